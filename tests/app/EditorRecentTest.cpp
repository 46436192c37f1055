#include "BoardFixture.h"

#include "app/BoardDrop.h"
#include "app/ProgramFolder.h"
#include "util/Utils.h"

#include <QDir>
#include <QTemporaryDir>

using namespace kestrix;

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

    EXPECT_EQ(ProgramFolderFor(root + QStringLiteral("/build/bin")), root + QStringLiteral("/build/bin/"));
    EXPECT_EQ(ProgramFolderFor(root + QStringLiteral("/usr/bin")), root + QStringLiteral("/usr/share/kestrix/"));
    EXPECT_EQ(ProgramFolderFor(root + QStringLiteral("/usr/bin/")), root + QStringLiteral("/usr/share/kestrix/"));
}

TEST(BoardDrop, OnlyOneLocalBoardFileIsTaken)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString board = dir.filePath(QStringLiteral("Plan.zvb"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Folder.zvb")));
    const QUrl local = QUrl::fromLocalFile(board);
    EXPECT_EQ(DroppedBoardPath({local}), board);
    EXPECT_EQ(DroppedBoardPath({QUrl::fromLocalFile(dir.filePath(QStringLiteral("PLAN.ZVB")))}),
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
        EXPECT_EQ(DroppedBoardPath(drop.urls), QString()) << drop.what;
}

TEST_F(Recent, OpenedAndSavedBoardsNewestFirstAtMostEightInAFileOfTheirOwn)
{
    editor.Menu1_NewClick();
    QStringList saved;
    for (int i = 1; i <= 9; ++i) {
        saved.prepend(boardPath(QStringLiteral("Plan %1.zvb").arg(i)));
        prompter.files = {saved.first()};
        ASSERT_TRUE(editor.Menu1_SaveAsClick());
    }
    saved.removeLast();
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // Choosing an entry opens it and brings it to the front.
    editor.OpenRecentBoard(5);
    EXPECT_EQ(editor.DocumentFileName(), saved[5]);
    saved.move(5, 0);
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // Open through the dialog counts too; the oldest entry makes room.
    const QString dropped = boardPath(QStringLiteral("Plan 1.zvb"));
    ASSERT_FALSE(saved.contains(dropped));
    prompter.files = {dropped};
    editor.Menu1_OpenClick();
    saved.prepend(dropped);
    saved.removeLast();
    EXPECT_EQ(editor.recentBoards().paths(), saved);

    // The list lives in its own file, which the next start reads; the
    // settings file keeps its lines.
    EXPECT_EQ(RecentBoards::Read(folder.userFolder()).paths(), saved);
    editor.WriteSettings();
    EXPECT_EQ(SplitLines(readFile(folder.userFolder() + QStringLiteral("Kestrix.ini"))).size(), 11);
}

TEST_F(Recent, AMissingBoardLeavesTheListWithAMessageAndTheOpenBoardStays)
{
    const QString gone = boardPath(QStringLiteral("Gone & Lost.zvb"));
    const QString kept = boardPath(QStringLiteral("Kept.zvb"));
    editor.Menu1_NewClick();
    prompter.files = {gone, kept};
    ASSERT_TRUE(editor.Menu1_SaveAsClick());
    ASSERT_TRUE(editor.Menu1_SaveAsClick());
    ASSERT_TRUE(QFile::remove(gone));
    apply(Tile, {7});
    const Snapshot before = snapshot();

    editor.OpenRecentBoard(1);
    ASSERT_EQ(prompter.messages.size(), 1) << "no question about the unsaved changes either";
    EXPECT_EQ(prompter.messages[0].type, BoxType::Warning);
    // No key in this language file: the built-in text, with the path as it is.
    EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(gone)));
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("gibt es nicht mehr")));
    EXPECT_TRUE(sameState(before, snapshot()));
    EXPECT_EQ(editor.recentBoards().paths(), QStringList{kept});
    EXPECT_EQ(RecentBoards::Read(folder.userFolder()).paths(), QStringList{kept});

    // A language file's text is taken when it has one.
    ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"), "English\r\nRecentMissing=Gone: %s\r\n"));
    editor.LoadLanguage();
    ASSERT_TRUE(QFile::remove(kept));
    editor.OpenRecentBoard(0);
    EXPECT_EQ(prompter.messages.last().text, QStringLiteral("Gone: ") + QDir::toNativeSeparators(kept));
    EXPECT_TRUE(editor.recentBoards().paths().isEmpty());
}
