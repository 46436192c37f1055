#include "BoardFixture.h"

#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"

#include "document/BoardFile.h"
#include "util/KestrixError.h"
#include "support/EditorSettings.h"

#include <QBuffer>
#include <QDir>

#include <algorithm>
#include <array>
#include <functional>
#include <random>

using namespace kestrix;

namespace {

using DocumentCommands = BoardFixture;
using Answer = Prompter::Answer;

// 144 lines as the writer writes them, the odd ones among them: tile 0
// turned (03), steps cut short (40452,1), no steps after the comma
// (40452,), rotations no writer produces (40457, 40454).
QByteArray handWrittenBoard()
{
    QByteArray bytes = "03\r\n40452,1\r\n40452,\r\n40451,10100\r\n40457\r\n30000\r\n40454,11111\r\n";
    for (int k = 7; k < CellCount; ++k)
        bytes += k % 3 ? "10\r\n" : "22,00100\r\n";
    return bytes;
}

QString errorOf(const std::function<void()> &command)
{
    try {
        command();
    } catch (const KestrixError &error) {
        return error.text();
    }
    return QString();
}

} // namespace

TEST_F(DocumentCommands, TitlePanelsAndFieldsFollowTheThreeStates)
{
    int refreshes = 0;
    QObject::connect(&editor, &Editor::documentChanged, [&refreshes] { ++refreshes; });
    // A view shows a field when told of it exactly while a board is open.
    std::array<int, CellCount> shownFields{};
    QObject::connect(&editor, &Editor::cellChanged, [&](int n) { shownFields[size_t(n)] = editor.isBoardOpen() ? 1 : 0; });
    const auto allShown = [&shownFields](int shown) {
        return std::all_of(shownFields.cbegin(), shownFields.cend(), [shown](int s) { return s == shown; });
    };
    EXPECT_FALSE(editor.isBoardOpen());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor"));

    editor.newBoard();
    EXPECT_EQ(editor.documentState(), DocumentState::newBoard());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor - Untitled"));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(editor.selection().cell, 0);
    EXPECT_TRUE(editor.selectionFromBoard());
    EXPECT_TRUE(allShown(1));

    const QString path = boardPath(QStringLiteral("Plan A.zvb"));
    prompter.files = {path};
    editor.saveBoard();
    EXPECT_EQ(prompter.saveRequests.last().fileName, QString()) << "a new board has no name to offer";
    EXPECT_EQ(editor.documentState(), DocumentState::boardFile(path));
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor - Plan A"));
    EXPECT_EQ(refreshes, 2);

    editor.closeBoard();
    EXPECT_FALSE(editor.documentState().isOpen());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor"));
    EXPECT_TRUE(allShown(0));

    prompter.files = {path};
    editor.openBoard();
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor - Plan A"));
    EXPECT_TRUE(allShown(1)) << "opening shows every field, also after a close";
}

TEST_F(DocumentCommands, NewBoardsAreGroundPlatesWithWallsOnTheSixteenWallPositions)
{
    const struct { bool walls; int setting; int group; } cases[] = {
        {true, 0, 0}, {true, 1, 1}, {false, 1, 1}, {false, 0, 0}, {true, 7, 0} /* no such group */,
    };
    for (const auto &c : cases) {
        changeSetting(editor, &Settings::OpKonventNeedWall, c.walls);
        changeSetting(editor, &Settings::OpGroundPlates, c.setting);
        editor.newBoard();
        const int plates = c.group == 0 ? 3 : 2;
        int walls = 0;
        for (int k = 0; k < CellCount; ++k) {
            const Field &field = editor.cells()[size_t(k)];
            const int side = wallPositionSide(k);
            if (c.walls && side >= 0) {
                ++walls;
                EXPECT_EQ(field.tileId, 8000 + 100 * c.group) << k;
                EXPECT_EQ(field.rotation, side) << k;
            } else {
                EXPECT_GE(field.tileId, 100 * c.group) << k;
                EXPECT_LT(field.tileId, 100 * c.group + plates) << k;
                EXPECT_GE(field.rotation, 0) << k;
                EXPECT_LT(field.rotation, 4) << k;
            }
            EXPECT_EQ(field.steps, QStringLiteral("00000"));
            EXPECT_EQ(editor.fieldPicture(k), boardPicture(field.tileId, field.rotation)) << k;
        }
        EXPECT_EQ(walls, c.walls ? 16 : 0);
        EXPECT_FALSE(editor.boardModified());
    }
}

TEST_F(DocumentCommands, NewDrawsEachFieldsPlateBeforeItsRotation)
{
    changeSetting(editor, &Settings::OpKonventNeedWall, true);
    editor.seedRandom(2024);
    editor.newBoard();

    std::mt19937 generator(2024);
    const auto draw = [&generator](int m) { return std::uniform_int_distribution<int>(0, m - 1)(generator); };
    for (int k = 0; k < CellCount; ++k) {
        if (wallPositionSide(k) >= 0)
            continue;
        const int tile = draw(3);
        const int rotation = draw(4);
        ASSERT_EQ(editor.cells()[size_t(k)].tileId, tile) << k;
        ASSERT_EQ(editor.cells()[size_t(k)].rotation, rotation) << k;
    }
}

TEST_F(DocumentCommands, NewOpenAndCloseEmptyTheUndoRingAndSelectFieldZero)
{
    const QString path = boardPath(QStringLiteral("Saved.zvb"));
    ASSERT_TRUE(writeFile(path, handWrittenBoard()));
        const struct { const char *name; std::function<void()> command; bool open; } cases[] = {
        {"new", [this] { editor.newBoard(); }, true},
        {"open", [&] { prompter.files = {path}; editor.openBoard(); }, true},
        {"close", [this] { editor.closeBoard(); }, false},
    };
    for (const auto &c : cases) {
        editor.newBoard();
        apply(Tile, {30, 31});
        editor.setBoardModified(false);
        editor.selectField(30);
        undoSignals.clear();

        c.command();

        EXPECT_FALSE(editor.undoRing().canUndo()) << c.name;
        EXPECT_EQ(undoSignals, QList<bool>{false}) << c.name;
        EXPECT_EQ(editor.isBoardOpen(), c.open) << c.name;
        if (c.open) {
            EXPECT_EQ(editor.selection().cell, 0) << c.name;
            EXPECT_EQ(editor.selection().tileId, editor.cells()[0].tileId) << c.name;
        }
    }

    // An Open whose dialog is cancelled leaves everything, undo too.
    editor.newBoard();
    apply(Tile, {30});
    editor.setBoardModified(false);
    const Snapshot before = snapshot();
    prompter.files.clear();
    editor.openBoard();
    EXPECT_TRUE(sameState(snapshot(), before));
    EXPECT_TRUE(editor.undoRing().canUndo());
}

TEST_F(DocumentCommands, TheQuestionAboutUnsavedChanges)
{
    const QString saved = boardPath(QStringLiteral("Saved.zvb"));
    const QString other = boardPath(QStringLiteral("Other.zvb"));
    ASSERT_TRUE(writeFile(other, handWrittenBoard()));
        enum Command { New, Open, Close };
    const struct {
        const char *name;
        Command command;
        bool changed;       // one tile applied before the command
        QList<Answer> answers;
        QStringList files;  // save dialog, then open dialog
        bool asked;
        bool replaced;      // the board was replaced or closed
        bool savedFile;     // the changed board was written to `saved`
        bool modifiedAfter;
    } cases[] = {
        {"unchanged new", New, false, {}, {}, false, true, false, false},
        {"unchanged close", Close, false, {}, {}, false, true, false, false},
        {"cancel new", New, true, {Answer::Cancel}, {}, true, false, false, true},
        {"cancel open", Open, true, {Answer::Cancel}, {}, true, false, false, true},
        {"cancel close", Close, true, {Answer::Cancel}, {}, true, false, false, true},
        {"no new", New, true, {Answer::No}, {}, true, true, false, false},
        {"no open", Open, true, {Answer::No}, {other}, true, true, false, false},
        {"no, open cancelled", Open, true, {Answer::No}, {}, true, false, false, false},
        {"no close", Close, true, {Answer::No}, {}, true, true, false, false},
        {"yes, save cancelled, new", New, true, {Answer::Yes}, {QString()}, true, false, false, true},
        {"yes, save cancelled, open", Open, true, {Answer::Yes}, {QString()}, true, false, false, true},
        {"yes, save cancelled, close", Close, true, {Answer::Yes}, {QString()}, true, false, false, true},
        {"yes new", New, true, {Answer::Yes}, {saved}, true, true, true, false},
        {"yes open", Open, true, {Answer::Yes}, {saved, other}, true, true, true, false},
        {"yes close", Close, true, {Answer::Yes}, {saved}, true, true, true, false},
    };
    for (const auto &c : cases) {
        QFile::remove(saved);
        editor.newBoard();
        if (c.changed)
            apply(Tile, {50, 51});
        const Snapshot before = snapshot();
        prompter.messages.clear();
        prompter.answers = c.answers;
        prompter.files = c.files;

        if (c.command == New)
            editor.newBoard();
        else if (c.command == Open)
            editor.openBoard();
        else
            editor.closeBoard();

        ASSERT_EQ(prompter.messages.size(), c.asked ? 1 : 0) << c.name;
        if (c.asked) {
            const Prompter::Message &question = prompter.messages.first();
            EXPECT_EQ(question.type, BoxType::Confirmation) << c.name;
            EXPECT_EQ(question.text, QStringLiteral("Save the changes to Untitled?")) << c.name;
            ASSERT_EQ(question.buttons.size(), 3) << c.name;
            EXPECT_EQ(question.buttons[2].answer, Answer::Cancel) << c.name;
        }
        EXPECT_TRUE(prompter.files.isEmpty()) << c.name << ": every dialog was asked";
        if (c.replaced) {
            EXPECT_FALSE(sameBoard(shown(), before.board)) << c.name;
        } else {
            Snapshot expected = before;
            expected.modified = c.modifiedAfter;
            EXPECT_TRUE(sameState(snapshot(), expected)) << c.name;
        }
        EXPECT_EQ(editor.boardModified(), c.modifiedAfter) << c.name;
        EXPECT_EQ(QFile::exists(saved), c.savedFile) << c.name;
        if (c.savedFile) {
            prompter.files = {saved};
            editor.openBoard();
            EXPECT_TRUE(sameBoard(shown(), before.board)) << c.name << ": the changes were saved";
        }
    }
}

TEST_F(DocumentCommands, AFailedOpenChangesNothing)
{
    const QString missingPicture = boardPath(QStringLiteral("Unknown tile.zvb"));
    ASSERT_TRUE(writeFile(missingPicture, "10\r\n20\r\n4440\r\n"));
    const QString folderPath = boardPath(QStringLiteral("A folder.zvb"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    // Field 0 becomes the selection, which shows the large picture.
    const QString noLargePicture = boardPath(QStringLiteral("No large picture.zvb"));
    ASSERT_TRUE(writeFile(noLargePicture, QByteArray::number(OtherTile) + "0\r\n"));
    ASSERT_TRUE(folder.remove(QStringLiteral("Images/1%1.bmp").arg(OtherTile)));
    const struct { const char *name; QString path; const char *reason; } cases[] = {
        {"missing file", boardPath(QStringLiteral("Missing.zvb")), "Datei nicht gefunden"},
        {"tile without picture", missingPicture, "00444.bmp"},
        {"a folder", folderPath, ""},
        {"field 0 without large picture", noLargePicture, "13000.bmp"},
    };
    for (const bool newBoard : {true, false}) {
        const QString saved = boardPath(QStringLiteral("Saved.zvb"));
        editor.newBoard();
        if (!newBoard) {
            prompter.files = {saved};
            editor.saveBoardAs();
        }
        apply(Tile, {5, 6});
        for (const auto &c : cases) {
            const Snapshot before = snapshot();
            // Answered No: the changes are given up, the board stays until
            // the new one is read.
            prompter.answers = {Answer::No};
            prompter.files = {c.path};
            const QString error = errorOf([this] { editor.openBoard(); });
            EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.path))) << c.name << ": " << error.toStdString();
            EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.name << ": " << error.toStdString();
            Snapshot expected = before;
            expected.modified = false;
            EXPECT_TRUE(sameState(snapshot(), expected)) << c.name;
            editor.setBoardModified(true);
        }
    }
}

TEST_F(DocumentCommands, AFailedNewChangesNothing)
{
    editor.newBoard();
    apply(Tile, {12});
    editor.setBoardModified(false);
    const Snapshot before = snapshot();
    // A board picture, or the large pictures the selection of field 0 shows.
    const struct { const char *name; QStringList removed; } cases[] = {
        {"board picture", {QStringLiteral("00001.bmp")}},
        {"large pictures", {QStringLiteral("10000.bmp"), QStringLiteral("10001.bmp"), QStringLiteral("10002.bmp")}},
    };
    for (const auto &c : cases) {
        for (const QString &name : c.removed)
            ASSERT_TRUE(folder.remove(QStringLiteral("Images/") + name)) << c.name;
        const QString error = errorOf([this] { editor.newBoard(); });
        EXPECT_TRUE(error.contains(c.removed.first().left(4))) << c.name << ": " << error.toStdString();
        EXPECT_TRUE(sameState(snapshot(), before)) << c.name;
        ASSERT_TRUE(folder.writeTilePictures(c.removed.first().mid(1, 4).toInt(), colourOf(1))) << c.name;
    }
}

TEST_F(DocumentCommands, SaveKeepsUndoAndSelectionAndSaveAsRenamesTheBoard)
{
    editor.newBoard();
    apply(Tile, {70, 71});
    editor.selectField(71);
    const QString first = boardPath(QStringLiteral("First.zvb"));
    const QString second = boardPath(QStringLiteral("Second.zvb"));
    prompter.files = {first};
    editor.saveBoard();
    EXPECT_FALSE(editor.boardModified());
    EXPECT_TRUE(editor.undoRing().canUndo());
    EXPECT_EQ(editor.selection().cell, 71);

    // A board that has a file is saved without a dialog.
    apply(OtherTile, {72});
    editor.saveBoard();
    EXPECT_EQ(prompter.saveRequests.size(), 1);
    const QByteArray firstBytes = readFile(first);

    prompter.files = {second};
    editor.saveBoardAs();
    EXPECT_EQ(prompter.saveRequests.last().fileName, first) << "Save as offers the current path";
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Board Editor - Second"));
    apply(Tile, {73});
    editor.saveBoard();
    EXPECT_EQ(readFile(first), firstBytes) << "Save after Save as writes to the new name";
    EXPECT_NE(readFile(second), firstBytes);

    // A cancelled Save as changes nothing.
    apply(Tile, {74});
    const Snapshot before = snapshot();
    prompter.files.clear();
    EXPECT_FALSE(editor.saveBoardAs());
    EXPECT_TRUE(sameState(snapshot(), before));
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheOldFileTheNameAndTheChanges)
{
    const QString path = boardPath(QStringLiteral("Kept.zvb"));
    ASSERT_TRUE(writeFile(path, handWrittenBoard()));
        prompter.files = {path};
    editor.openBoard();
    apply(Tile, {100, 101});
    const Snapshot before = snapshot();

    QString error;
    {
        const FileSizeLimit limit(64);
        ASSERT_TRUE(limit.isSet());
        error = errorOf([this] { editor.saveBoard(); });
    }
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_EQ(readFile(path), handWrittenBoard());
    EXPECT_TRUE(sameState(snapshot(), before));

    // Save as to a folder that does not exist: the board keeps its name.
    const QString nowhere = folder.programFolder() + QStringLiteral("No such folder/New.zvb");
    prompter.files = {nowhere};
    error = errorOf([this] { editor.saveBoardAs(); });
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();
    EXPECT_TRUE(sameState(snapshot(), before));
}

TEST_F(DocumentCommands, YesWithAFailingSaveStopsTheCommandThatAsked)
{
    editor.newBoard();
    apply(Tile, {9});
    const Snapshot before = snapshot();
    const QString nowhere = folder.programFolder() + QStringLiteral("No such folder/New.zvb");
    for (const auto &command : std::initializer_list<std::function<void()>>{
             [this] { editor.newBoard(); }, [this] { editor.closeBoard(); },
             [this] { editor.openBoard(); }, [this] { editor.askSaveChanges(); }}) {
        prompter.answers = {Answer::Yes};
        prompter.files = {nowhere};
        EXPECT_FALSE(errorOf(command).isEmpty());
        EXPECT_TRUE(prompter.openRequests.isEmpty()) << "Open stopped before its dialog";
        EXPECT_TRUE(sameState(snapshot(), before));
    }
}

TEST_F(DocumentCommands, HandWrittenBoardsOpenAndSaveBackByteIdentical)
{
    const QString path = boardPath(QStringLiteral("Hand.zvb"));
    ASSERT_TRUE(writeFile(path, handWrittenBoard()));
        editor.loadBoard(path);

    const struct { int field, tile, rotation, shown; const char *flags; } fields[] = {
        {0, 0, 3, 3, "00000"},         {1, Tile, 2, 2, "1"},          {2, Tile, 2, 2, ""},
        {3, Tile, 1, 1, "10100"},      {4, Tile, 7, 3, "00000"},      {5, OtherTile, 0, 0, "00000"},
        {6, Tile, 4, 0, "11111"},      {7, 1, 0, 0, "00000"},         {9, 2, 2, 2, "00100"},
    };
    for (const auto &f : fields) {
        const Field &cell = editor.cells()[size_t(f.field)];
        EXPECT_EQ(cell.tileId, f.tile) << f.field;
        EXPECT_EQ(cell.rotation, f.rotation) << f.field;
        EXPECT_EQ(cell.steps, QLatin1String(f.flags)) << f.field;
        EXPECT_EQ(editor.fieldPicture(f.field), boardPicture(f.tile, f.shown)) << f.field;
    }
    EXPECT_EQ(editor.documentState(), DocumentState::boardFile(path));
    EXPECT_FALSE(editor.boardModified());

    ASSERT_TRUE(editor.saveBoard());
    EXPECT_EQ(readFile(path), handWrittenBoard());
}

// Two instances on one board. A saves first; B, whose changes are older than
// A's file, is asked before its Save replaces it, and each answer does what it
// says. Where replacing loses nothing (the file holds what B read, or is gone)
// B saves without a question.
TEST_F(DocumentCommands, TwoEditorsOnOneBoardTheSecondSaveAsksBeforeOverwriting)
{
    const QString plan = boardPath(QStringLiteral("Plan.zvb"));
    const QString other = boardPath(QStringLiteral("Other.zvb"));
    editor.newBoard();
    prompter.files = {plan};
    ASSERT_TRUE(editor.saveBoardAs());
    const QByteArray base = readFile(plan);

    enum class Meanwhile { ASaves, ASavesTheSame, Deleted };
    enum class Holds { A, B, Nothing };
    const struct
    {
        const char *name;
        Meanwhile meanwhile;
        QList<Answer> answers; // B's answers to the question
        QStringList files;     // B's save dialog
        bool asked;
        bool saved;            // what B's Save returns
        Holds planHolds;
        Holds otherHolds;
    } rows[] = {
        {"overwrite", Meanwhile::ASaves, {Answer::Yes}, {}, true, true, Holds::B, Holds::Nothing},
        {"save as another name", Meanwhile::ASaves, {Answer::No}, {other}, true, true, Holds::A, Holds::B},
        {"save as, dialog cancelled", Meanwhile::ASaves, {Answer::No}, {}, true, false, Holds::A, Holds::Nothing},
        {"cancel", Meanwhile::ASaves, {Answer::Cancel}, {}, true, false, Holds::A, Holds::Nothing},
        {"A wrote the same board again", Meanwhile::ASavesTheSame, {}, {}, false, true, Holds::B, Holds::Nothing},
        {"the file was deleted", Meanwhile::Deleted, {}, {}, false, true, Holds::B, Holds::Nothing},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(writeFile(plan, base));
        QFile::remove(other);
        ScriptedPrompter bPrompter;
        Editor b(bPrompter);
        b.setProgramFolder(folder.programFolder());
        b.setUserFolder(folder.userFolder());
        b.loadResources(Resources::LanguageStep);
        b.loadResources(Resources::PaletteStep);
        editor.loadBoard(plan);
        b.loadBoard(plan);

        switch (row.meanwhile) {
        case Meanwhile::ASaves:
            apply(Tile, {5});
            ASSERT_TRUE(editor.saveBoard());
            break;
        case Meanwhile::ASavesTheSame:
            ASSERT_TRUE(editor.saveBoard());
            break;
        case Meanwhile::Deleted:
            ASSERT_TRUE(QFile::remove(plan));
            break;
        }
        const QByteArray aBytes = readFile(plan);
        b.cells()[9].tileId = OtherTile;
        b.redrawCell(9);
        b.setBoardModified(true);
        bPrompter.answers = row.answers;
        bPrompter.files = row.files;
        EXPECT_EQ(b.saveBoard(), row.saved);

        EXPECT_EQ(bPrompter.messages.size(), row.asked ? 1 : 0);
        if (row.asked && !bPrompter.messages.isEmpty()) {
            const MessageBox &box = bPrompter.messages[0];
            EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(plan))) << box.text.toStdString();
            ASSERT_EQ(box.buttons.size(), 3);
            EXPECT_EQ(box.buttons[0].caption, QStringLiteral("Überschreiben"));
            EXPECT_EQ(box.buttons[1].caption, QStringLiteral("Speichern unter..."));
            EXPECT_EQ(box.buttons[2].answer, Answer::Cancel);
        }
        const QByteArray bBytes = [&b] {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            saveBoardFile(buffer, b.cells());
            return buffer.data();
        }();
        const auto bytesOf = [&](Holds holds) {
            return holds == Holds::A ? aBytes : holds == Holds::B ? bBytes : QByteArray("(missing)");
        };
        EXPECT_EQ(readFile(plan), bytesOf(row.planHolds));
        EXPECT_EQ(readFile(other), bytesOf(row.otherHolds));
        EXPECT_EQ(b.boardModified(), !row.saved);
        EXPECT_EQ(b.documentState(), DocumentState::boardFile(row.otherHolds == Holds::B ? other : plan));

        // Once B has written the file, its next Save asks no more.
        if (row.saved) {
            b.setBoardModified(true);
            EXPECT_TRUE(b.saveBoard());
            EXPECT_EQ(bPrompter.messages.size(), row.asked ? 1 : 0);
        }
    }
}
