#include "BoardFixture.h"

#include "support/QtPrinters.h"

#include "util/KestrixError.h"

#include <functional>

using namespace kestrix;

namespace {

using SelectionAndUndo = BoardFixture;

QString boxes(const Editor &editor)
{
    QString ticks;
    for (int i = 0; i < 5; ++i)
        ticks += editor.stepBox(i) ? u'1' : u'0';
    return ticks;
}

} // namespace

TEST_F(SelectionAndUndo, TurnButtonsTurnTheShownPictureAndNothingElse)
{
    const struct { std::initializer_list<int> buttons; int rotation; } cases[] = {
        {{1}, 1}, {{2}, 2}, {{3}, 3}, {{1, 1, 1, 1}, 0}, {{2, 2}, 0}, {{1, 3}, 0}, {{3, 3}, 2}, {{2, 1}, 3},
    };
    editor.newBoard();
    Field &field = editor.cells()[20];
    field.tileId = OtherTile;
    field.rotation = 0;
    editor.redrawCell(20);
    const BoardView board = shown();
    for (const auto &c : cases) {
        editor.selectField(20);
        const QImage shownPicture = editor.selection().picture;
        // Turned as shown, not composed again: the large picture is not read.
        ASSERT_TRUE(folder.remove(QStringLiteral("Images/13000.bmp")));
        for (int button : c.buttons) {
            if (button == 1)
                editor.turnSelectionCounterClockwise();
            else if (button == 2)
                editor.turnSelectionHalf();
            else
                editor.turnSelectionClockwise();
        }
        EXPECT_EQ(editor.selection().rotation, c.rotation) << c.buttons.size();
        EXPECT_EQ(editor.selection().picture, turnBitmap(c.rotation, shownPicture)) << c.buttons.size();
        addTiles({OtherTile});
    }
    EXPECT_TRUE(sameBoard(shown(), board));
    EXPECT_FALSE(editor.undoRing().canUndo());
    EXPECT_FALSE(editor.boardModified());
}

TEST_F(SelectionAndUndo, RotationsFromAFileTurnOnWithinZeroToThree)
{
    const struct { int rotation, button, after; } cases[] = {{7, 1, 0}, {5, 2, 3}, {-2, 3, 1}, {-1, 1, 0}};
    editor.newBoard();
    for (const auto &c : cases) {
        editor.cells()[30].rotation = c.rotation;
        editor.selectField(30);
        if (c.button == 1)
            editor.turnSelectionCounterClockwise();
        else if (c.button == 2)
            editor.turnSelectionHalf();
        else
            editor.turnSelectionClockwise();
        EXPECT_EQ(editor.selection().rotation, c.after) << c.rotation;
    }
}

TEST_F(SelectionAndUndo, AllStepsTicksOrUnticksAllFiveWithOneRedraw)
{
    editor.newBoard();
    editor.cells()[3].steps = QStringLiteral("01000");
    editor.selectField(3);
    int redraws = 0;
    QObject::connect(&editor, &Editor::selectionChanged, [&redraws] { ++redraws; });
    editor.setAllStepsBox(true);
    editor.applyAllStepsBox();
    EXPECT_EQ(boxes(editor), QStringLiteral("11111"));
    EXPECT_EQ(redraws, 1);

    editor.setAllStepsBox(false);
    editor.applyAllStepsBox();
    EXPECT_EQ(boxes(editor), QStringLiteral("00000"));
    EXPECT_EQ(redraws, 2);

    // A single box leaves "Alle Schritte" as it is.
    editor.setAllStepsBox(true);
    editor.setStepBox(4, true);
    editor.applyStepBoxes();
    EXPECT_TRUE(editor.allStepsBox());
    EXPECT_EQ(boxes(editor), QStringLiteral("00001"));
    EXPECT_FALSE(editor.boardModified());
    EXPECT_FALSE(editor.undoRing().canUndo());
}

TEST_F(SelectionAndUndo, UndoRestoresEveryFieldOfTheApplication)
{
    editor.newBoard();
    const BoardView before = shown();
    apply(Tile, {50, 38, 51, 62});
    ASSERT_TRUE(editor.undoRing().canUndo());
    undoSignals.clear();

    editor.undoApplication();

    EXPECT_TRUE(sameBoard(shown(), before));
    EXPECT_FALSE(editor.undoRing().canUndo());
    EXPECT_EQ(undoSignals, QList<bool>{false});
    EXPECT_TRUE(editor.boardModified()) << "undo leaves the board changed";
    // Nothing left: the command does nothing.
    editor.undoApplication();
    EXPECT_TRUE(sameBoard(shown(), before));
}

// What undo took back can be redone until the next application or change of
// document. Undo and redo both leave the board changed, also right after a
// save, so closing asks before their result is lost.
TEST_F(SelectionAndUndo, RedoLastsUntilTheNextApplicationOrDocument)
{
    const QString path = boardPath(QStringLiteral("Plan.zvb"));
    QList<bool> redoSignals;
    QObject::connect(&editor, &Editor::redoChanged, [&](bool canRedo) { redoSignals.append(canRedo); });
    const auto applyTile = [](Editor &e, int field, int tile) {
        e.selectField(field);
        e.pickTile(tile);
        e.applySelection();
    };
    const PromptedCommand cases[] = {
        {"apply", {}, {}, [&](Editor &e) { applyTile(e, 9, OtherTile); }},
        {"new", {Answer::No}, {}, [](Editor &e) { e.newBoard(); }},
        {"open", {Answer::No}, {path}, [](Editor &e) { e.openBoard(); }},
        {"close", {Answer::No}, {}, [](Editor &e) { e.closeBoard(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        editor.newBoard();
        prompter.files = {path};
        ASSERT_TRUE(editor.saveBoardAs());
        applyTile(editor, 30, Tile);
        const BoardView applied = shown();
        ASSERT_TRUE(editor.saveBoard());

        editor.undoApplication();
        EXPECT_TRUE(editor.boardModified());
        EXPECT_TRUE(editor.undoRing().canRedo());
        EXPECT_EQ(redoSignals.last(), true);
        const BoardView undone = shown();
        ASSERT_TRUE(editor.saveBoard());
        editor.redoApplication();
        EXPECT_TRUE(editor.boardModified());
        EXPECT_TRUE(sameBoard(shown(), applied));
        EXPECT_EQ(redoSignals.last(), false);
        editor.undoApplication();
        EXPECT_TRUE(sameBoard(shown(), undone));

        prompter.answers = c.answers;
        prompter.files = c.files;
        c.command(editor);
        EXPECT_TRUE(prompter.answers.isEmpty()) << "asked about the undone change";
        EXPECT_FALSE(editor.undoRing().canRedo());
        EXPECT_EQ(redoSignals.last(), false);
        const BoardView now = shown();
        editor.redoApplication();
        EXPECT_TRUE(sameBoard(shown(), now));
        EXPECT_TRUE(prompter.errors.isEmpty());
    }
}

TEST_F(SelectionAndUndo, AfterAThousandEntriesTheRingStartsAgainEmpty)
{
    editor.newBoard();
    for (int i = 0; i < UndoRing::SlotCount; ++i)
        apply(i % 2 ? Tile : OtherTile, {i % CellCount});
    EXPECT_FALSE(editor.undoRing().canUndo());
    EXPECT_EQ(undoSignals.last(), false);
    const BoardView changed = shown();
    editor.undoApplication();
    EXPECT_TRUE(sameBoard(shown(), changed)) << "the board was changed, yet nothing can be taken back";

    apply(OtherTile, {7});
    EXPECT_TRUE(editor.undoRing().canUndo());
    editor.undoApplication();
    EXPECT_TRUE(sameBoard(shown(), changed));
    EXPECT_FALSE(editor.undoRing().canUndo());
}

TEST_F(SelectionAndUndo, UndoReselectsTheFieldOnlyWhenTheSelectionCameFromIt)
{
    editor.newBoard();
    const int oldTile = editor.cells()[40].tileId;

    editor.selectField(40);
    apply(Tile, {40, 41});
    editor.selectField(40);
    ASSERT_EQ(editor.selection().tileId, Tile);
    editor.undoApplication();
    EXPECT_EQ(editor.selection().tileId, oldTile);
    EXPECT_EQ(editor.selection().picture, turnBitmap(editor.cells()[40].rotation,
                                                     TestProgramFolder::tilePicture(16, colourOf(oldTile))));

    // A tile picked from the palette stays in the selection.
    apply(Tile, {40, 41});
    editor.selectField(40);
    editor.pickTile(OtherTile);
    editor.undoApplication();
    EXPECT_EQ(editor.selection().tileId, OtherTile);
    EXPECT_EQ(editor.selection().cell, 40);
    EXPECT_EQ(editor.cells()[40].tileId, oldTile);

    // Undo of other fields leaves the selection alone.
    editor.selectField(40);
    apply(OtherTile, {90});
    int selections = 0;
    QObject::connect(&editor, &Editor::cursorMoved, [&selections] { ++selections; });
    editor.undoApplication();
    EXPECT_EQ(selections, 0);
    EXPECT_EQ(editor.selection().cell, 40);
}

TEST_F(SelectionAndUndo, UndoThatCannotDrawAPictureChangesNothing)
{
    editor.newBoard();
    Field &field = editor.cells()[60];
    field.tileId = Tile;
    editor.redrawCell(60);
    apply(OtherTile, {60, 61});
    ASSERT_TRUE(folder.remove(QStringLiteral("Images/04045.bmp")));
    const Snapshot before = snapshot();

    EXPECT_THROW(editor.undoApplication(), KestrixError);
    EXPECT_TRUE(sameState(snapshot(), before));

    addTiles({Tile});
    editor.undoApplication();
    EXPECT_EQ(editor.cells()[60].tileId, Tile);
    EXPECT_FALSE(editor.undoRing().canUndo());
}

TEST_F(SelectionAndUndo, RecordingAFieldOffTheBoardIsIgnored)
{
    editor.recordUndo(-1, true);
    editor.recordUndo(CellCount, true);
    EXPECT_FALSE(editor.undoRing().canUndo());
}
