#include "BoardFixture.h"

#include "document/BoardFile.h"

#include <QBuffer>
#include <QDir>

#include <functional>
#include <memory>

#include <sys/stat.h>

using namespace kestrix;
using namespace Qt::StringLiterals;

namespace {

class Recovery : public BoardFixture
{
protected:
    QString recoveryFolder() const { return folder.userFolder() + QStringLiteral("Recovery/"); }

    // Every file in the recovery folder, locks included.
    QStringList kept() const
    {
        return QDir(recoveryFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QStringList keptWith(const QString &suffix) const
    {
        return kept().filter(suffix);
    }

    static QByteArray bytesOf(const BoardCells &cells)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveBoardFile(buffer, cells);
        return buffer.data();
    }

    // A second instance of the program on the same folders.
    std::unique_ptr<Editor> otherInstance(ScriptedPrompter &other)
    {
        auto instance = std::make_unique<Editor>(other);
        instance->setProgramFolder(folder.programFolder());
        instance->setUserFolder(folder.userFolder());
        instance->LoadLanguage();
        instance->BuildPalette();
        return instance;
    }

    static int modeOf(const QString &path)
    {
        struct stat info{};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    }

    // A board with unsaved changes that another instance kept before it died.
    QString leftOverBy(const QString &documentFileName, BoardCells *board = nullptr)
    {
        ScriptedPrompter other;
        std::unique_ptr<Editor> dead = otherInstance(other);
        if (documentFileName == Editor::NewBoardName) {
            dead->Menu1_NewClick();
        } else {
            SaveBoardFile(documentFileName, editor.cells());
            dead->LoadBoardFile(documentFileName);
        }
        TImgKarte &field = dead->cells()[40];
        field.Tag = Tile;
        field.Rotation = 3;
        field.StepFlags = QStringLiteral("01001");
        dead->RedrawCell(40);
        dead->setBoardModified(true);
        dead->WriteRecovery();
        if (board)
            *board = dead->cells();
        return dead->recovery().boardPath();
    }
};

} // namespace

// The copy follows the board while it has unsaved changes, and whatever ends
// the unsaved state takes it away, the lock with it.
TEST_F(Recovery, KeptWhileChangedAndGoneWithTheChanges)
{
    const QString path = boardPath(QStringLiteral("Plan.zvb"));
    const struct {
        const char *name;
        QList<Answer> answers;
        QStringList files;
        std::function<void(Editor &)> command;
    } cases[] = {
        {"save", {}, {}, [](Editor &e) { e.Menu1_SaveClick(); }},
        {"save as", {}, {QStringLiteral("%1")}, [](Editor &e) { e.Menu1_SaveAsClick(); }},
        {"close, no", {Answer::No}, {}, [](Editor &e) { e.Menu1_CloseClick(); }},
        {"close, yes", {Answer::Yes}, {}, [](Editor &e) { e.Menu1_CloseClick(); }},
        {"new, no", {Answer::No}, {}, [](Editor &e) { e.Menu1_NewClick(); }},
        {"open, no, open cancelled", {Answer::No}, {}, [](Editor &e) { e.Menu1_OpenClick(); }},
        {"open, no, another board", {Answer::No}, {QStringLiteral("%1")}, [](Editor &e) { e.Menu1_OpenClick(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        editor.Menu1_NewClick();
        prompter.files = {path};
        ASSERT_TRUE(editor.Menu1_SaveAsClick());
        const QByteArray saved = readFile(path);
        editor.WriteRecovery();
        EXPECT_TRUE(kept().isEmpty()) << "a board without unsaved changes is not kept";

        apply(Tile, {30, 31});
        editor.WriteRecovery();
        ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);
        const QString keptBoard = editor.recovery().boardPath();
        EXPECT_EQ(readFile(keptBoard), bytesOf(editor.cells()));
        EXPECT_EQ(readFile(path), saved) << "never the board's own file";

        // Written again only when the board changed since.
        ASSERT_TRUE(writeFile(keptBoard, "stale"));
        editor.WriteRecovery();
        EXPECT_EQ(readFile(keptBoard), QByteArray("stale"));
        apply(OtherTile, {32});
        editor.WriteRecovery();
        EXPECT_EQ(readFile(keptBoard), bytesOf(editor.cells()));
        EXPECT_EQ(kept().size(), 3) << kept().join(u' ').toStdString(); // board, note, lock

        prompter.answers = c.answers;
        prompter.files.clear();
        for (const QString &file : c.files)
            prompter.files.append(file.arg(boardPath(QStringLiteral("Other.zvb"))));
        if (!c.files.isEmpty() && QString::fromLatin1(c.name).startsWith(u"open"))
            SaveBoardFile(boardPath(QStringLiteral("Other.zvb")), editor.cells());
        c.command(editor);
        EXPECT_FALSE(editor.boardModified());
        EXPECT_TRUE(kept().isEmpty()) << kept().join(u' ').toStdString();
        EXPECT_TRUE(prompter.answers.isEmpty());
        EXPECT_TRUE(prompter.errors.isEmpty());
    }
}

// Each instance sees only what instances that no longer run left over.
TEST_F(Recovery, InstancesNeverTakeEachOthersBoards)
{
    ScriptedPrompter otherPrompter;
    std::unique_ptr<Editor> running = otherInstance(otherPrompter);
    running->Menu1_NewClick();
    running->cells()[5].Tag = Tile;
    running->setBoardModified(true);
    running->WriteRecovery();
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    editor.Menu1_NewClick();
    editor.OfferRecovery();
    EXPECT_TRUE(prompter.messages.isEmpty()) << "the board of a running instance is not offered";
    EXPECT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    // Ends without the question about its changes, as a killed one would.
    running.reset();
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);
    prompter.answers = {Answer::No};
    editor.OfferRecovery();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].type, BoxType::Confirmation);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("Untitled"))) << "a new board by its name";
    EXPECT_TRUE(kept().isEmpty()) << "No drops it, and the lock of its instance";
    EXPECT_EQ(editor.DocumentFileName(), Editor::NewBoardName);
    EXPECT_FALSE(editor.boardModified());
}

TEST_F(Recovery, RestoredBoardKeepsItsNameAndIsChanged)
{
    editor.Menu1_NewClick();
    // The note must give back any name a file can have.
    const QString path = boardPath(QStringLiteral("Plan 5%41\nzwei.zvb"));
    BoardCells board;
    leftOverBy(path, &board);
    const QByteArray original = readFile(path);
    apply(OtherTile, {70});

    // The open board's changes are asked about first: Cancel keeps the
    // leftover for the next start, and a closed box does as well.
    prompter.answers = {Answer::Yes, Answer::Cancel, Answer::Cancel};
    editor.OfferRecovery();
    editor.OfferRecovery();
    EXPECT_EQ(editor.DocumentFileName(), Editor::NewBoardName);
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    prompter.answers = {Answer::Yes, Answer::No};
    editor.OfferRecovery();
    ASSERT_EQ(prompter.messages.size(), 5);
    EXPECT_TRUE(prompter.messages[3].text.contains(QStringLiteral("Plan"))) << prompter.messages[3].text.toStdString();
    EXPECT_EQ(editor.DocumentFileName(), path);
    EXPECT_TRUE(editor.boardModified());
    EXPECT_TRUE(sameBoard(editor.cells(), board));
    EXPECT_FALSE(editor.undoRing().canUndo());
    EXPECT_EQ(readFile(path), original) << "restoring writes nothing to the board's own file";
    // Kept again by this instance, the leftover gone.
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")), QStringList{QFileInfo(editor.recovery().boardPath()).fileName()});
    EXPECT_TRUE(editor.recovery().boardPath().contains(editor.recovery().instance()));

    ASSERT_TRUE(editor.Menu1_SaveClick());
    EXPECT_TRUE(prompter.saveRequests.isEmpty()) << "saved under its own name without a dialog";
    EXPECT_EQ(readFile(path), bytesOf(board));
    EXPECT_TRUE(kept().isEmpty());
    EXPECT_TRUE(prompter.errors.isEmpty());
}

// A leftover that cannot be read is reported and removed; the others are
// still offered.
TEST_F(Recovery, UnreadableLeftoversAreReportedAndRemoved)
{
    const struct {
        const char *name;
        std::function<void(const QString &board, const QString &note)> spoil;
    } cases[] = {
        {"note missing", [](const QString &, const QString &note) { QFile::remove(note); }},
        {"board missing", [](const QString &board, const QString &) { QFile::remove(board); }},
        {"note without board name",
         [this](const QString &, const QString &note) { ASSERT_TRUE(writeFile(note, "Written=2026-01-01T00:00:00Z\n")); }},
        {"note with a broken time",
         [this](const QString &, const QString &note) { ASSERT_TRUE(writeFile(note, "Document=-1\nWritten=soon\n")); }},
        {"board too large",
         [this](const QString &board, const QString &) {
             ASSERT_TRUE(writeFile(board, QByteArray(RecoveryStore::MaxFileSize + 1, '0')));
         }},
        {"board is a folder",
         [](const QString &board, const QString &) {
             QFile::remove(board);
             QDir().mkpath(board);
         }},
        {"tile without pictures", [this](const QString &board, const QString &) { ASSERT_TRUE(writeFile(board, "77770\r\n")); }},
    };
    editor.Menu1_NewClick();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        const QString spoiled = leftOverBy(Editor::NewBoardName);
        c.spoil(spoiled, spoiled.chopped(4) + QStringLiteral(".txt"));
        BoardCells good;
        leftOverBy(boardPath(QStringLiteral("Good.zvb")), &good);
        const BoardCells before = editor.cells();

        prompter.answers = {Answer::Ok, Answer::No};
        editor.OfferRecovery();

        // In name order: the spoiled one was left first.
        ASSERT_EQ(prompter.messages.size(), 2);
        EXPECT_EQ(prompter.messages[0].type, BoxType::Error);
        EXPECT_TRUE(prompter.messages[0].text.contains(QFileInfo(spoiled).fileName()))
            << prompter.messages[0].text.toStdString();
        EXPECT_EQ(prompter.messages[1].type, BoxType::Confirmation);
        EXPECT_TRUE(sameBoard(editor.cells(), before));
        QDir(spoiled).removeRecursively();
        EXPECT_TRUE(kept().isEmpty()) << kept().join(u' ').toStdString();
        EXPECT_TRUE(prompter.errors.isEmpty());
    }
}

// The folders and kept files are their owner's alone under any umask, the
// per-user folder too when the program makes it.
TEST_F(Recovery, KeptFilesAreTheOwnersAlone)
{
    const struct {
        mode_t umask;
        const char *board; // empty: a new board
        int boardMode;
    } cases[] = {{022, "", 0}, {022, "Private.zvb", 0600}, {022, "Open.zvb", 0644}, {077, "", 0}, {077, "Open.zvb", 0644}};
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::number(c.umask, 8).toStdString() + " " + c.board);
        if (*c.board) {
            const QString path = boardPath(QString::fromLatin1(c.board));
            SaveBoardFile(path, editor.cells());
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(c.boardMode)), 0);
            editor.LoadBoardFile(path);
        } else {
            editor.Menu1_NewClick();
        }
        const QString userFolder = folder.userFolder() + u"fresh%1/"_s.arg(++n);
        editor.setUserFolder(userFolder);
        const mode_t previous = ::umask(c.umask);
        apply(Tile, {30});
        editor.WriteRecovery();
        ::umask(previous);

        EXPECT_EQ(modeOf(userFolder), 0700);
        EXPECT_EQ(modeOf(userFolder + u"Recovery"_s), 0700);
        const QString board = editor.recovery().boardPath();
        const QString lock = userFolder + u"Recovery/"_s + QFileInfo(board).fileName().section(u'-', 0, 1) + u".lock"_s;
        for (const QString &file : {board, board.chopped(4) + u".txt"_s, lock})
            EXPECT_EQ(modeOf(file), 0600) << file.toStdString();
        editor.setBoardModified(false);
    }
    EXPECT_TRUE(prompter.errors.isEmpty());
}

// Opening a board that another running instance keeps unsaved changes of
// warns, by any spelling of its path; the board opens all the same.
TEST_F(Recovery, OpeningABoardAnotherInstanceChangesWarns)
{
    const QString plan = boardPath(u"Plan.zvb"_s);
    const QString other = boardPath(u"Other.zvb"_s);
    SaveBoardFile(other, editor.cells());
    ScriptedPrompter otherPrompter;
    std::unique_ptr<Editor> running = otherInstance(otherPrompter);
    SaveBoardFile(plan, editor.cells());
    running->LoadBoardFile(plan);
    running->cells()[5].Tag = Tile;
    running->setBoardModified(true);
    running->WriteRecovery();

    const struct {
        const char *name;
        QString path;
        bool runs;
        bool warned;
    } cases[] = {
        {"same path", plan, true, true},
        {"other spelling", folder.programFolder() + u"Boards/../Boards/./Plan.zvb"_s, true, true},
        {"another board", other, true, false},
        {"the instance ended", plan, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.runs)
            running.reset();
        prompter.messages.clear();
        editor.LoadBoardFile(c.path);
        EXPECT_EQ(editor.DocumentFileName(), c.path);
        ASSERT_EQ(prompter.messages.size(), c.warned ? 1 : 0);
        if (c.warned) {
            EXPECT_EQ(prompter.messages[0].type, BoxType::Warning);
            EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(c.path)));
        }
    }
    EXPECT_TRUE(otherPrompter.messages.isEmpty());
}
