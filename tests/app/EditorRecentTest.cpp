#include "BoardFixture.h"

#include "app/BoardDrop.h"
#include "app/ProgramFolder.h"
#include "language/KeyValueText.h"
#include "util/Utils.h"

#include "support/EnvironmentValue.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace kestrix;
using namespace Qt::StringLiterals;

namespace {

using Recent = BoardFixture;

} // namespace

TEST(ProgramFolder, BesideTheExecutableWhenTheCatalogueIsThereElseTheSharedDataFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("build/bin")) && QDir(root).mkpath(QStringLiteral("usr/bin")));
    QFile catalogue(root + QStringLiteral("/build/bin/InitList.ini"));
    ASSERT_TRUE(catalogue.open(QIODevice::WriteOnly));
    catalogue.close();
    // A folder named like the catalogue does not make a program folder.
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("usr/bin/InitList.ini")));

    EXPECT_EQ(programFolderFor(root + QStringLiteral("/build/bin")), root + QStringLiteral("/build/bin/"));
    EXPECT_EQ(programFolderFor(root + QStringLiteral("/usr/bin")), root + QStringLiteral("/usr/share/kestrix/"));
    EXPECT_EQ(programFolderFor(root + QStringLiteral("/usr/bin/")), root + QStringLiteral("/usr/share/kestrix/"));
}

TEST(BoardDrop, OnlyOneLocalBoardFileIsTaken)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString board = dir.filePath(QStringLiteral("Plan.zvb"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Folder.zvb")));
    const QUrl local = QUrl::fromLocalFile(board);
    EXPECT_EQ(droppedBoardPath({local}), board);
    EXPECT_EQ(droppedBoardPath({QUrl::fromLocalFile(dir.filePath(QStringLiteral("PLAN.ZVB")))}),
              dir.filePath(QStringLiteral("PLAN.ZVB")));

    const struct { const char *what; QList<QUrl> urls; } ignored[] = {
        {"nothing", {}},
        {"two boards", {local, local}},
        {"another file type", {QUrl::fromLocalFile(dir.filePath(QStringLiteral("Plan.txt")))}},
        {"no extension", {QUrl::fromLocalFile(dir.filePath(QStringLiteral("zvb")))}},
        {"a folder", {QUrl::fromLocalFile(dir.filePath(QStringLiteral("Folder.zvb")))}},
        {"a remote file", {QUrl(QStringLiteral("https://example.org/Plan.zvb"))}},
    };
    for (const auto &drop : ignored)
        EXPECT_EQ(droppedBoardPath(drop.urls), QString()) << drop.what;
}

TEST_F(Recent, OpenedAndSavedBoardsNewestFirstAtMostEightInAFileOfTheirOwn)
{
    editor.newBoard();
    QStringList saved;
    for (int i = 1; i <= 9; ++i) {
        saved.prepend(boardPath(QStringLiteral("Plan %1.zvb").arg(i)));
        prompter.files = {saved.first()};
        ASSERT_TRUE(editor.saveBoardAs());
    }
    saved.removeLast();
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // Choosing an entry opens it and brings it to the front.
    editor.openRecentBoard(5);
    EXPECT_EQ(editor.documentState(), DocumentState::boardFile(saved[5]));
    saved.move(5, 0);
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // Open through the dialog counts too; the oldest entry makes room.
    const QString dropped = boardPath(QStringLiteral("Plan 1.zvb"));
    ASSERT_FALSE(saved.contains(dropped));
    prompter.files = {dropped};
    editor.openBoard();
    saved.prepend(dropped);
    saved.removeLast();
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // The list lives in its own file, which the next start reads; the
    // settings file keeps its lines.
    EXPECT_EQ(RecentBoards::read(folder.userFolder()).paths(), saved);
    editor.writeSettings();
    EXPECT_EQ(splitByteLines(readFile(folder.userFolder() + QStringLiteral("Kestrix.ini"))).size(), 11);
}

TEST_F(Recent, AMissingBoardLeavesTheListWithAMessageAndTheOpenBoardStays)
{
    const QString gone = boardPath(QStringLiteral("Gone & Lost.zvb"));
    const QString kept = boardPath(QStringLiteral("Kept.zvb"));
    editor.newBoard();
    prompter.files = {gone, kept};
    ASSERT_TRUE(editor.saveBoardAs());
    ASSERT_TRUE(editor.saveBoardAs());
    ASSERT_TRUE(QFile::remove(gone));
    apply(Tile, {7});
    const Snapshot before = snapshot();

    editor.openRecentBoard(1);
    ASSERT_EQ(prompter.messages.size(), 1) << "no question about the unsaved changes either";
    EXPECT_EQ(prompter.messages[0].type, BoxType::Warning);
    // No key in this language file: the built-in text, with the path as it is.
    EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(gone)));
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("gibt es nicht mehr")));
    EXPECT_TRUE(sameState(before, snapshot()));
    EXPECT_EQ(editor.recentBoards().paths(), QStringList{kept});
    EXPECT_EQ(RecentBoards::read(folder.userFolder()).paths(), QStringList{kept});

    // A language file's text is taken when it has one.
    ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"), "English\r\nRecentMissing=Gone: %s\r\n"));
    editor.loadResources(Resources::LanguageStep);
    ASSERT_TRUE(QFile::remove(kept));
    editor.openRecentBoard(0);
    EXPECT_EQ(prompter.messages.last().text, QStringLiteral("Gone: ") + QDir::toNativeSeparators(kept));
    EXPECT_TRUE(editor.recentBoards().paths().isEmpty());
}

namespace {

bool isFifo(const QString &path)
{
    struct stat info{};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

mode_t folderMode(const QString &path)
{
    struct stat info{};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) ? info.st_mode & 07777
                                                                                            : 0;
}

// A device of the test's own where the system lets it make one, so that a
// fault that writes over a device never reaches the system's /dev/null.
QString deviceIn(const QString &root)
{
    const QString path = root + u"/null"_s;
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 ? path : u"/dev/null"_s;
}

bool isDevice(const QString &path)
{
    struct stat info{};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

::testing::AssertionResult holds(bool condition, const char *what)
{
    return condition ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << what;
}

} // namespace

// A start, the board named at start opened, and an exit (or a choice from the
// recent list) in a per-user folder made hostile beforehand: what can be read
// is read, the board opens all the same, each problem is said once, naming the
// file and why, and nothing the user had is written over.
TEST_F(Recent, HostilePerUserFoldersAreSaidOnceAndNeverWrittenOver)
{
    const QString board = boardPath(QStringLiteral("Plan.zvb"));
    editor.newBoard();
    prompter.files = {board};
    ASSERT_TRUE(editor.saveBoardAs());
    const QByteArray big = "[Options]\r\n" + QByteArray(KeyValueText::MaxFileSize, 'x');
    static const char binaryText[] = "[Options]\r\nOpAdministration=TRUE\r\n\0\x01\x02";
    const QByteArray binary(binaryText, sizeof binaryText - 1);
    const QString kept = QStringLiteral("Standardeinstellungen"); // the settings box's own text

    enum class Action { StartOpenExit, StartExit, ChooseRecent };
    const struct Row
    {
        const char *name;
        std::function<bool(const QString &root)> before; // the per-user folder is root + "/Kestrix/"
        std::vector<QStringList> said; // each box or error shown, in order: words it holds
        std::function<::testing::AssertionResult(const QString &root, const Editor &run)> after;
        Action action = Action::StartOpenExit;
        mode_t mask = 022;
        const char *userprofile = nullptr; // the per-user folder from the variable, set in root
        bool noUserFolder = false;
        bool unlessRoot = false; // the superuser reads any file
    } rows[] = {
        {"user folder is a file", [](const QString &root) { return writeFile(root + u"/Kestrix"_s, "mine"); },
         {{u"Kestrix.ini"_s, u"Not a directory"_s, kept}, {u"Ordner"_s}},
         [](const QString &root, const Editor &) {
             return holds(QFileInfo(root + u"/Kestrix"_s).isFile() && readFile(root + u"/Kestrix"_s) == "mine", "kept");
         }},
        {"user folder links to a device",
         [](const QString &root) { return QFile::link(deviceIn(root), root + u"/Kestrix"_s); },
         {{u"Kestrix.ini"_s, u"Not a directory"_s, kept}, {u"Ordner"_s}},
         [](const QString &root, const Editor &) {
             return holds(QFileInfo(root + u"/Kestrix"_s).isSymLink() && isDevice(root + u"/Kestrix"_s),
                          "link and device kept");
         }},
        {"settings file links to a device",
         [](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s) && QFile::link(deviceIn(root), root + u"/Kestrix/Kestrix.ini"_s);
         },
         {{u"Kestrix.ini"_s, u"keine gewöhnliche Datei"_s, kept}},
         [](const QString &root, const Editor &) {
             const QString file = root + u"/Kestrix/Kestrix.ini"_s;
             return holds(QFileInfo(file).isSymLink() && isDevice(file), "link and device kept");
         }},
        {"unreadable settings",
         [](const QString &root) {
             const QString file = root + u"/Kestrix/Kestrix.ini"_s;
             return QDir(root).mkdir(u"Kestrix"_s) && writeFile(file, "[Options]\r\n")
                    && QFile::setPermissions(file, {});
         },
         {{u"Kestrix.ini"_s, u"Permission denied"_s, kept}},
         [](const QString &root, const Editor &) {
             return holds(QFileInfo(root + u"/Kestrix/Kestrix.ini"_s).permissions() == QFile::Permissions(),
                          "file kept");
         },
         Action::StartOpenExit, 022, nullptr, false, true},
        {"oversized settings",
         [&big](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s) && writeFile(root + u"/Kestrix/Kestrix.ini"_s, big);
         },
         {{u"Kestrix.ini"_s, u"größer als"_s, kept}},
         [&big](const QString &root, const Editor &) {
             return holds(readFile(root + u"/Kestrix/Kestrix.ini"_s) == big, "file kept");
         }},
        {"binary settings",
         [&binary](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s) && writeFile(root + u"/Kestrix/Kestrix.ini"_s, binary);
         },
         {{u"Kestrix.ini"_s, u"Binärdaten"_s, kept}},
         [&binary](const QString &root, const Editor &run) {
             return holds(readFile(root + u"/Kestrix/Kestrix.ini"_s) == binary && !run.settings().OpAdministration,
                          "file kept, defaults in memory");
         }},
        {"FIFO settings",
         [](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s)
                    && ::mkfifo(QFile::encodeName(root + u"/Kestrix/Kestrix.ini"_s).constData(), 0600) == 0;
         },
         {{u"Kestrix.ini"_s, u"keine gewöhnliche Datei"_s, kept}},
         [](const QString &root, const Editor &) { return holds(isFifo(root + u"/Kestrix/Kestrix.ini"_s), "FIFO kept"); }},
        {"relative recent entries",
         [](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s)
                    && writeFile(root + u"/Kestrix/RecentBoards.txt"_s, "Boards/Plan.zvb\n/b/Other.zvb\n");
         },
         {},
         [board](const QString &root, const Editor &) {
             return holds(readFile(root + u"/Kestrix/RecentBoards.txt"_s) == QFile::encodeName(board) + "\n/b/Other.zvb\n",
                          "relative entry left out");
         }},
        {"recent entry names a FIFO",
         [](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s) && ::mkfifo(QFile::encodeName(root + u"/Pipe.zvb"_s).constData(), 0600) == 0
                    && writeFile(root + u"/Kestrix/RecentBoards.txt"_s, QFile::encodeName(root + u"/Pipe.zvb\n"_s));
         },
         {{u"Pipe.zvb"_s, u"besondere Datei"_s}},
         [](const QString &root, const Editor &run) {
             return holds(isFifo(root + u"/Pipe.zvb"_s) && run.recentBoards().paths().isEmpty()
                              && readFile(root + u"/Kestrix/RecentBoards.txt"_s).isEmpty(),
                          "FIFO kept, entry gone");
         },
         Action::ChooseRecent},
        {"recent entry names a device",
         [](const QString &root) {
             return QDir(root).mkdir(u"Kestrix"_s) && writeFile(root + u"/Kestrix/RecentBoards.txt"_s, "/dev/null\n");
         },
         {{u"/dev/null"_s, u"besondere Datei"_s}},
         [](const QString &, const Editor &run) { return holds(run.recentBoards().paths().isEmpty(), "entry gone"); },
         Action::ChooseRecent},
        {"recent entry names a folder",
         [](const QString &root) {
             return QDir(root).mkpath(u"Kestrix"_s) && QDir(root).mkdir(u"Folder.zvb"_s)
                    && writeFile(root + u"/Kestrix/RecentBoards.txt"_s, QFile::encodeName(root + u"/Folder.zvb\n"_s));
         },
         {{u"Folder.zvb"_s, u"Ordner"_s}},
         [](const QString &root, const Editor &run) {
             return holds(QFileInfo(root + u"/Folder.zvb"_s).isDir() && run.recentBoards().paths().isEmpty(),
                          "folder kept, entry gone");
         },
         Action::ChooseRecent},
        {"relative userprofile", [](const QString &) { return true; }, {},
         [](const QString &root, const Editor &run) {
             return holds(run.userFolder() == root + u"/rel/Kestrix/"_s
                              && QFileInfo(root + u"/rel/Kestrix/Kestrix.ini"_s).isFile(),
                          "resolved in the folder of the start");
         },
         Action::StartOpenExit, 022, "rel"},
        {"no per-user folder at all", [](const QString &) { return true; }, {},
         [](const QString &root, const Editor &) {
             return holds(QDir(root).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                          "nothing written, not even into the current folder");
         },
         Action::StartOpenExit, 022, nullptr, true},
        {"umask 022, the settings make the folder", [](const QString &) { return true; }, {},
         [](const QString &root, const Editor &) {
             return holds(folderMode(root + u"/Kestrix"_s) == 0700 && QFileInfo(root + u"/Kestrix/Kestrix.ini"_s).isFile(),
                          "folder 0700 with the settings");
         },
         Action::StartExit},
        {"umask 077", [](const QString &) { return true; }, {},
         [](const QString &root, const Editor &) {
             return holds(folderMode(root + u"/Kestrix"_s) == 0700, "folder 0700");
         },
         Action::StartExit, 077},
        {"a missing parent, the recent list makes them", [](const QString &) { return true; }, {},
         [](const QString &root, const Editor &) {
             return holds(folderMode(root + u"/rel"_s) == 0700 && folderMode(root + u"/rel/Kestrix"_s) == 0700
                              && QFileInfo(root + u"/rel/Kestrix/RecentBoards.txt"_s).isFile()
                              && QFileInfo(root + u"/rel/Kestrix/Kestrix.ini"_s).isFile(),
                          "both folders 0700");
         },
         Action::StartOpenExit, 022, "rel"},
    };
    const QString started = QDir::currentPath();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.unlessRoot && ::geteuid() == 0)
            continue;
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString root = dir.path();
        ASSERT_TRUE(row.before(root));
        QString user = root + u"/Kestrix/"_s;
        if (row.userprofile) {
            // Resolved at start; the current folder changes afterwards.
            ASSERT_TRUE(QDir::setCurrent(root));
            EnvironmentValue profile("userprofile", row.userprofile);
            user = userFolderPath();
            ASSERT_TRUE(QDir::setCurrent(started));
        }
        if (row.noUserFolder) {
            user.clear();
            ASSERT_TRUE(QDir::setCurrent(root));
        }
        const mode_t mask = ::umask(row.mask);
        ScriptedPrompter shown;
        Editor run(shown);
        run.setProgramFolder(folder.programFolder());
        run.setUserFolder(user);
        run.loadResources(Resources::SettingsStep);
        run.loadResources(Resources::LanguageStep);
        run.reportSettingsError();
        if (row.action == Action::StartExit) {
            EXPECT_NO_THROW(run.writeSettings());
        } else if (row.action == Action::StartOpenExit) {
            // Twice: a list that cannot be written is said once, not at every open.
            EXPECT_NO_THROW(run.loadBoard(board));
            EXPECT_NO_THROW(run.loadBoard(board));
            EXPECT_EQ(run.documentState(), DocumentState::boardFile(board));
            EXPECT_NO_THROW(run.writeSettings());
        } else {
            EXPECT_NO_THROW(run.openRecentBoard(0));
        }
        ::umask(mask);
        ASSERT_TRUE(QDir::setCurrent(started));

        QStringList texts;
        for (const MessageBox &box : shown.messages)
            texts << box.text;
        texts << shown.errors;
        EXPECT_EQ(size_t(texts.size()), row.said.size()) << texts.join(u'\n').toStdString();
        for (size_t i = 0; i < row.said.size() && i < size_t(texts.size()); ++i) {
            for (const QString &word : row.said[i])
                EXPECT_TRUE(texts[qsizetype(i)].contains(word)) << texts[qsizetype(i)].toStdString();
        }
        EXPECT_TRUE(row.after(root, run));
        QFile::setPermissions(root + u"/Kestrix/Kestrix.ini"_s, QFile::ReadOwner | QFile::WriteOwner);
    }
}
