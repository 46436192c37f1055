#include "BoardFixture.h"

#include "document/BoardFile.h"

#include <QBuffer>
#include <QDir>

#include <functional>
#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace kestrix;
using namespace Qt::StringLiterals;

namespace {

// What a note says for a board that has no file.
const QString NewBoardNote = QStringLiteral("-1");

DocumentState documentNamed(const QString &noteValue)
{
    return noteValue == NewBoardNote ? DocumentState::newBoard() : DocumentState::boardFile(noteValue);
}

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

    static QByteArray bytesOf(const BoardFields &cells)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        saveBoardFile(buffer, cells);
        return buffer.data();
    }

    // A second instance of the program on the same folders.
    std::unique_ptr<Editor> otherInstance(ScriptedPrompter &other)
    {
        auto instance = std::make_unique<Editor>(other);
        instance->setProgramFolder(folder.programFolder());
        instance->setUserFolder(folder.userFolder());
        instance->loadResources(Resources::LanguageStep);
        instance->loadResources(Resources::PaletteStep);
        return instance;
    }

    static int modeOf(const QString &path)
    {
        struct stat info{};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    }

    // A board with unsaved changes that another instance kept before it died.
    QString leftOverBy(const QString &noteValue, BoardView *board = nullptr)
    {
        ScriptedPrompter other;
        std::unique_ptr<Editor> dead = otherInstance(other);
        if (noteValue == NewBoardNote) {
            dead->newBoard();
        } else {
            saveBoardFile(noteValue, editor.cells());
            dead->loadBoard(noteValue);
        }
        Field &field = dead->cells()[40];
        field.tileId = Tile;
        field.rotation = 3;
        field.steps = QStringLiteral("01001");
        dead->redrawCell(40);
        dead->setBoardModified(true);
        dead->writeRecovery();
        if (board)
            *board = shownBy(*dead);
        return dead->recovery().boardPath();
    }
};

} // namespace

// The copy follows the board while it has unsaved changes, and whatever ends
// the unsaved state takes it away, the lock with it.
TEST_F(Recovery, KeptWhileChangedAndGoneWithTheChanges)
{
    const QString path = boardPath(QStringLiteral("Plan.zvb"));
    const PromptedCommand cases[] = {
        {"save", {}, {}, [](Editor &e) { e.saveBoard(); }},
        {"save as", {}, {QStringLiteral("%1")}, [](Editor &e) { e.saveBoardAs(); }},
        {"close, no", {Answer::No}, {}, [](Editor &e) { e.closeBoard(); }},
        {"close, yes", {Answer::Yes}, {}, [](Editor &e) { e.closeBoard(); }},
        {"new, no", {Answer::No}, {}, [](Editor &e) { e.newBoard(); }},
        {"open, no, open cancelled", {Answer::No}, {}, [](Editor &e) { e.openBoard(); }},
        {"open, no, another board", {Answer::No}, {QStringLiteral("%1")}, [](Editor &e) { e.openBoard(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        editor.newBoard();
        prompter.files = {path};
        ASSERT_TRUE(editor.saveBoardAs());
        const QByteArray saved = readFile(path);
        editor.writeRecovery();
        EXPECT_TRUE(kept().isEmpty()) << "a board without unsaved changes is not kept";

        apply(Tile, {30, 31});
        editor.writeRecovery();
        ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);
        const QString keptBoard = editor.recovery().boardPath();
        EXPECT_EQ(readFile(keptBoard), bytesOf(editor.cells()));
        EXPECT_EQ(readFile(path), saved) << "never the board's own file";

        // Written again only when the board changed since.
        ASSERT_TRUE(writeFile(keptBoard, "stale"));
        editor.writeRecovery();
        EXPECT_EQ(readFile(keptBoard), QByteArray("stale"));
        apply(OtherTile, {32});
        editor.writeRecovery();
        EXPECT_EQ(readFile(keptBoard), bytesOf(editor.cells()));
        EXPECT_EQ(kept().size(), 3) << kept().join(u' ').toStdString(); // board, note, lock

        prompter.answers = c.answers;
        prompter.files.clear();
        for (const QString &file : c.files)
            prompter.files.append(file.arg(boardPath(QStringLiteral("Other.zvb"))));
        if (!c.files.isEmpty() && QString::fromLatin1(c.name).startsWith(u"open"))
            saveBoardFile(boardPath(QStringLiteral("Other.zvb")), editor.cells());
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
    running->newBoard();
    running->cells()[5].tileId = Tile;
    running->setBoardModified(true);
    running->writeRecovery();
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    editor.newBoard();
    editor.offerRecovery();
    EXPECT_TRUE(prompter.messages.isEmpty()) << "the board of a running instance is not offered";
    EXPECT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    // Ends without the question about its changes, as a killed one would.
    running.reset();
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);
    prompter.answers = {Answer::No};
    editor.offerRecovery();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].type, BoxType::Confirmation);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("Untitled"))) << "a new board by its name";
    EXPECT_TRUE(kept().isEmpty()) << "No drops it, and the lock of its instance";
    EXPECT_EQ(editor.documentState(), DocumentState::newBoard());
    EXPECT_FALSE(editor.boardModified());
}

TEST_F(Recovery, RestoredBoardKeepsItsNameAndIsChanged)
{
    editor.newBoard();
    // The note must give back any name a file can have.
    const QString path = boardPath(QStringLiteral("Plan 5%41\nzwei.zvb"));
    BoardView board;
    leftOverBy(path, &board);
    const QByteArray original = readFile(path);
    apply(OtherTile, {70});

    // The open board's changes are asked about first: Cancel keeps the
    // leftover for the next start, and a closed box does as well.
    prompter.answers = {Answer::Yes, Answer::Cancel, Answer::Cancel};
    editor.offerRecovery();
    editor.offerRecovery();
    EXPECT_EQ(editor.documentState(), DocumentState::newBoard());
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")).size(), 1);

    prompter.answers = {Answer::Yes, Answer::No};
    editor.offerRecovery();
    ASSERT_EQ(prompter.messages.size(), 5);
    EXPECT_TRUE(prompter.messages[3].text.contains(QStringLiteral("Plan"))) << prompter.messages[3].text.toStdString();
    EXPECT_EQ(editor.documentState(), DocumentState::boardFile(path));
    EXPECT_TRUE(editor.boardModified());
    EXPECT_TRUE(sameBoard(shown(), board));
    EXPECT_FALSE(editor.undoRing().canUndo());
    EXPECT_EQ(readFile(path), original) << "restoring writes nothing to the board's own file";
    // Kept again by this instance, the leftover gone.
    ASSERT_EQ(keptWith(QStringLiteral(".zvb")), QStringList{QFileInfo(editor.recovery().boardPath()).fileName()});
    EXPECT_TRUE(editor.recovery().boardPath().contains(editor.recovery().instance()));

    ASSERT_TRUE(editor.saveBoard());
    EXPECT_TRUE(prompter.saveRequests.isEmpty()) << "saved under its own name without a dialog";
    EXPECT_EQ(readFile(path), bytesOf(board.fields));
    EXPECT_TRUE(kept().isEmpty());
    EXPECT_TRUE(prompter.errors.isEmpty());
}

// What hostile leftovers give: a board that can be read is offered, under
// its note's name only when Save may write there without a question; one that
// cannot be read is named with its reason in the program's language. Only
// an explicit answer removes a leftover.
TEST_F(Recovery, HostileLeftovers)
{
    ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"),
                             "English\r\nTitle=Board Editor\r\nNoFileName=Untitled\r\nText01=Save the changes to %s?\r\n"
                             "SFileNotFound=File %s cannot be opened (file not found)\r\n"
                             "SFileNotRegular=File %s cannot be opened (not a regular file)\r\n"
                             "SFileTooLarge=File %s cannot be read (larger than %s bytes)\r\n"));
    editor.loadResources(Resources::LanguageStep);
    const QString plan = boardPath(QStringLiteral("Plan.zvb"));
    const auto note = [this](const QByteArray &document) {
        return [this, document](const QString &, const QString &notePath) {
            ASSERT_TRUE(writeFile(notePath, "Document=" + document + "\nWritten=2026-01-01T00:00:00Z\n"));
        };
    };
    const auto none = [](const QString &, const QString &) {};
    const QString nativePlan = QDir::toNativeSeparators(plan);
    const struct {
        const char *name;
        std::function<void(const QString &board, const QString &note)> spoil;
        QList<Answer> answers;
        std::optional<BoxType> asked; // the one box shown
        QString shows;                // a text that box holds
        QString restoredAs;           // empty: not restored
        bool stays;                   // every file of the leftover is still there
    } cases[] = {
        {"whole, Yes", none, {Answer::Yes}, BoxType::Confirmation, nativePlan, plan, false},
        {"whole, No", none, {Answer::No}, BoxType::Confirmation, nativePlan, {}, false},
        {"whole, closed box", none, {Answer::Cancel}, BoxType::Confirmation, nativePlan, {}, true},
        {"note missing", [](const QString &, const QString &n) { QFile::remove(n); }, {Answer::Yes},
         BoxType::Confirmation, u"Untitled"_s, NewBoardNote, false},
        {"note without board name", note({}), {Answer::Yes}, BoxType::Confirmation, u"Untitled"_s,
         NewBoardNote, false},
        {"note with a broken time",
         [this](const QString &, const QString &n) { ASSERT_TRUE(writeFile(n, "Document=/tmp/x.zvb\nWritten=soon\n")); },
         {Answer::Yes}, BoxType::Confirmation, u"Untitled"_s, NewBoardNote, false},
        {"note too large",
         [this](const QString &, const QString &n) { ASSERT_TRUE(writeFile(n, QByteArray(RecoveryStore::MaxFileSize + 1, '\n'))); },
         {Answer::Yes}, BoxType::Confirmation, u"Untitled"_s, NewBoardNote, false},
        {"note names a relative path", note("Plan.zvb"), {Answer::Yes}, BoxType::Confirmation,
         u"Untitled"_s, NewBoardNote, false},
        {"note names a system file", note("/etc/passwd"), {Answer::Yes}, BoxType::Confirmation, u"Untitled"_s,
         NewBoardNote, false},
        {"note names a dotfile", note(QFile::encodeName(folder.userFolder() + u".profile"_s)), {Answer::Yes},
         BoxType::Confirmation, u"Untitled"_s, NewBoardNote, false},
        {"note names a missing folder", note(QFile::encodeName(folder.userFolder() + u"gone/Plan.zvb"_s)),
         {Answer::Yes}, BoxType::Confirmation, u"Untitled"_s, NewBoardNote, false},
        {"board missing", [](const QString &b, const QString &) { QFile::remove(b); }, {Answer::No}, BoxType::Warning,
         u"cannot be opened (file not found)"_s, {}, true},
        {"board missing, removed", [](const QString &b, const QString &) { QFile::remove(b); }, {Answer::Yes},
         BoxType::Warning, u"cannot be opened (file not found)"_s, {}, false},
        {"board too large",
         [this](const QString &b, const QString &) { ASSERT_TRUE(writeFile(b, QByteArray(RecoveryStore::MaxFileSize + 1, '0'))); },
         {Answer::No}, BoxType::Warning, u"cannot be read (larger than"_s, {}, true},
        {"board is a folder",
         [](const QString &b, const QString &) {
             QFile::remove(b);
             QDir().mkpath(b);
         },
         {Answer::No}, BoxType::Warning, u"(not a regular file)"_s, {}, true},
        {"tile without pictures", [this](const QString &b, const QString &) { ASSERT_TRUE(writeFile(b, "77770\r\n")); },
         {Answer::No}, BoxType::Warning, u"07777.bmp cannot be opened (file not found)"_s, {}, true},
        {"lock is a folder",
         [this](const QString &b, const QString &) {
             const QString lock = recoveryFolder() + QFileInfo(b).fileName().section(u'-', 0, 1) + u".lock"_s;
             QFile::remove(lock);
             QDir().mkpath(lock);
         },
         {}, std::nullopt, {}, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(recoveryFolder()).removeRecursively();
        prompter.messages.clear();
        editor.newBoard();
        const QString board = leftOverBy(plan);
        c.spoil(board, board.chopped(4) + u".txt"_s);
        const QStringList before = QDir(recoveryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        prompter.answers = c.answers;
        editor.offerRecovery();

        ASSERT_EQ(prompter.messages.size(), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_EQ(prompter.messages[0].type, *c.asked);
            EXPECT_TRUE(prompter.messages[0].text.contains(c.shows)) << prompter.messages[0].text.toStdString();
            if (*c.asked == BoxType::Warning) {
                EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(board)));
            }
        }
        EXPECT_EQ(editor.documentState(), documentNamed(c.restoredAs.isEmpty() ? NewBoardNote : c.restoredAs));
        EXPECT_EQ(editor.boardModified(), !c.restoredAs.isEmpty());
        // This instance's own copy of a restored board aside.
        editor.setBoardModified(false);
        const QStringList after = QDir(recoveryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        EXPECT_EQ(after, c.stays ? before : QStringList()) << after.join(u' ').toStdString();
        EXPECT_TRUE(prompter.answers.isEmpty());
        EXPECT_TRUE(prompter.errors.isEmpty());
    }
}

// Several leftovers come in one dialog, newest first. The window holds one
// board: the one chosen opens, the others stay for the next start.
TEST_F(Recovery, SeveralLeftoversInOneDialog)
{
    const QString first = boardPath(u"First.zvb"_s);
    const QString last = boardPath(u"Last.zvb"_s);
    const struct {
        const char *name;
        QList<Prompter::RecoveryChoice> choices;
        QString restoredAs;  // empty: not restored
        QStringList gone;    // the boards' names whose leftovers are gone
    } cases[] = {
        {"closed", {}, {}, {}},
        {"restore one", {{Prompter::RecoveryChoice::Action::Restore, {2}}}, first, {u"First"_s}},
        {"restore two", {{Prompter::RecoveryChoice::Action::Restore, {0, 1}}}, {}, {}},
        {"discard two", {{Prompter::RecoveryChoice::Action::Discard, {0, 2}}}, {}, {u"Last"_s, u"First"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(recoveryFolder()).removeRecursively();
        editor.newBoard();
        prompter.recoveryRequests.clear();
        prompter.messages.clear();
        // Name order is not time order.
        const std::pair<QString, const char *> left[] = {{first, "2026-01-01T00:00:00Z"},
                                                         {NewBoardNote, "2026-02-01T00:00:00Z"},
                                                         {last, "2026-03-01T00:00:00Z"}};
        QMap<QString, QString> boards; // by the name the note gives
        for (const auto &[name, time] : left) {
            const QString board = leftOverBy(name);
            ASSERT_TRUE(writeFile(board.chopped(4) + u".txt"_s,
                                  "Document=" + name.toUtf8() + "\nWritten=" + QByteArray(time) + "\n"));
            boards[QFileInfo(name).completeBaseName()] = board;
        }

        prompter.recoveryChoices = c.choices;
        editor.offerRecovery();
        EXPECT_TRUE(prompter.messages.isEmpty());
        ASSERT_EQ(prompter.recoveryRequests.size(), 1);
        const QStringList offered = prompter.recoveryRequests[0].boards;
        ASSERT_EQ(offered.size(), 3);
        EXPECT_TRUE(offered[0].startsWith(QDir::toNativeSeparators(last))) << offered[0].toStdString();
        EXPECT_TRUE(offered[1].startsWith(u"Untitled"_s)) << offered[1].toStdString();
        EXPECT_TRUE(offered[2].startsWith(QDir::toNativeSeparators(first))) << offered[2].toStdString();
        EXPECT_EQ(editor.documentState(), documentNamed(c.restoredAs.isEmpty() ? NewBoardNote : c.restoredAs));
        for (auto board = boards.cbegin(); board != boards.cend(); ++board)
            EXPECT_EQ(QFileInfo::exists(board.value()), !c.gone.contains(board.key())) << board.key().toStdString();
        editor.setBoardModified(false);
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
            saveBoardFile(path, editor.cells());
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(c.boardMode)), 0);
            editor.loadBoard(path);
        } else {
            editor.newBoard();
        }
        const QString userFolder = folder.userFolder() + u"fresh%1/"_s.arg(++n);
        editor.setUserFolder(userFolder);
        const mode_t previous = ::umask(c.umask);
        apply(Tile, {30});
        editor.writeRecovery();
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
    saveBoardFile(other, editor.cells());
    ScriptedPrompter otherPrompter;
    std::unique_ptr<Editor> running = otherInstance(otherPrompter);
    saveBoardFile(plan, editor.cells());
    running->loadBoard(plan);
    running->cells()[5].tileId = Tile;
    running->setBoardModified(true);
    running->writeRecovery();

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
        editor.loadBoard(c.path);
        EXPECT_EQ(editor.documentState(), DocumentState::boardFile(c.path));
        ASSERT_EQ(prompter.messages.size(), c.warned ? 1 : 0);
        if (c.warned) {
            EXPECT_EQ(prompter.messages[0].type, BoxType::Warning);
            EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(c.path)));
        }
    }
    EXPECT_TRUE(otherPrompter.messages.isEmpty());
}

// A new board that another running instance keeps has no file: no board
// opened here is it, whatever the note writes in place of a path.
TEST_F(Recovery, ANewBoardKeptElsewhereIsNoBoardFile)
{
    ScriptedPrompter otherPrompter;
    std::unique_ptr<Editor> running = otherInstance(otherPrompter);
    running->newBoard();
    running->setBoardModified(true);
    running->writeRecovery();
    ASSERT_TRUE(readFile(running->recovery().boardPath().chopped(4) + u".txt"_s).startsWith("Document=" + NewBoardNote.toUtf8() + '\n'));

    const QString boards = folder.programFolder() + u"Boards"_s;
    saveBoardFile(boards + u'/' + NewBoardNote, editor.cells());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(boards));
    editor.loadBoard(NewBoardNote);
    QDir::setCurrent(previous);
    EXPECT_EQ(editor.documentState(), DocumentState::boardFile(NewBoardNote));
    EXPECT_TRUE(prompter.messages.isEmpty());
}
