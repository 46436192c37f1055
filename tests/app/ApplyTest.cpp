#include "ApplyBench.h"

#include "support/QtPrinters.h"
#include "support/Text.h"
#include "util/KestrixError.h"
#include "support/EditorSettings.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// Tiles of the edge checks: 3000 has a wall on its local side 2, 3100 a C
// entry on its local side 1, 3200 belongs to a field beside it (N entry).
const QList<QByteArray> EdgeCatalogue{
    "W030002=", "C031001=00000", "N032000=00000", "P03000=00000",
};

struct Refusal
{
    const char *what;
    const char *conventions; // needWall, notWall, belt, field as "0"/"1"
    int onField;             // tile lying on the field before
    int field, tile, rotation;
    bool stepPanel;
    const char *steps;
    int message; // -1: applied
};

TImgKarte fieldOf(int tag, int cell, int rotation, const char *flags)
{
    TImgKarte field;
    field.Tag = tag;
    field.CellNumber = cell;
    field.Rotation = rotation;
    field.StepFlags = u(flags);
    return field;
}

} // namespace

TEST(Apply, EdgeChecksRefuseWithTheirMessageAndChangeNothing)
{
    const Refusal cases[] = {
        {"wall facing up on a corner", "0100", 0, 0, 3000, 0, false, "00000", 2},
        {"wall facing left on a corner", "0100", 0, 0, 3000, 1, false, "00000", 2},
        {"wall facing down on the top row", "0100", 0, 0, 3000, 2, false, "00000", -1},
        {"wall facing up on a wall position", "0100", 0, 2, 3000, 0, false, "00000", -1},
        {"wall facing up, rule off", "0000", 0, 0, 3000, 0, false, "00000", -1},
        {"wall inside the board", "0100", 0, 13, 3000, 0, false, "00000", -1},
        {"no wall facing down on a wall position", "1000", 0, 136, 3000, 0, false, "00000", 3},
        {"the wall turned to face down", "1000", 0, 136, 3000, 2, false, "00000", -1},
        {"no wall on a border field that is no wall position", "1000", 0, 137, 3000, 0, false, "00000", -1},
        {"no wall, rule off", "0000", 0, 136, 3000, 0, false, "00000", -1},
        {"step panel without a step", "0000", 0, 60, 0, 0, true, "00000", 4},
        {"step panel with a step", "0000", 0, 60, 0, 0, true, "00100", -1},
        {"no step panel, no step", "0000", 0, 60, 0, 0, false, "00000", -1},
        {"C side facing right on a corner", "0001", 0, 11, 3100, 0, false, "00000", 5},
        {"C side facing up on a corner", "0001", 0, 11, 3100, 1, false, "00000", 5},
        {"C side facing left on the right corner", "0001", 0, 11, 3100, 2, false, "00000", -1},
        {"C side facing off a wall position", "0001", 0, 24, 3100, 2, false, "00000", 5},
        {"C side, rule off", "0000", 0, 11, 3100, 0, false, "00000", -1},
        {"the first failing check speaks", "1101", 0, 0, 3000, 0, true, "00000", 2},
        {"steps before C sides", "0001", 0, 11, 3100, 0, true, "00000", 4},
        {"the same tile with N entries", "0000", 3200, 50, 3200, 0, false, "00000", 6},
        {"the same tile with N entries turned", "0000", 3200, 50, 3200, 3, false, "00000", 6},
        {"another tile on a tile with N entries", "0000", 3200, 50, 3000, 0, false, "00000", -1},
        {"the same tile without N entries", "0000", 3000, 50, 3000, 0, false, "00000", -1},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.what);
        ApplyBench bench(EdgeCatalogue, {0, 3000, 3100, 3200});
        ASSERT_TRUE(bench.isValid());
        const QString conventions = u(c.conventions);
        bench.setConventions(conventions[0] == u'1', conventions[1] == u'1', conventions[2] == u'1',
                             conventions[3] == u'1');
        bench.place(c.field, c.onField, 1);
        bench.select(c.field, c.tile, c.rotation, u(c.steps), c.stepPanel);
        const BoardCells before = bench.editor.cells();
        const TImgKarte selection = bench.editor.selection();

        bench.editor.applySelection();

        EXPECT_EQ(bench.editor.selection(), selection);
        if (c.message < 0) {
            EXPECT_TRUE(bench.prompter.messages.isEmpty());
            EXPECT_EQ(bench.editor.cells()[size_t(c.field)].Tag, c.tile);
            EXPECT_TRUE(bench.editor.boardModified());
            continue;
        }
        ASSERT_EQ(bench.prompter.messages.size(), 1);
        const Prompter::Message &box = bench.prompter.messages.first();
        EXPECT_EQ(box.text, u("m%1").arg(c.message + 1));
        EXPECT_EQ(box.type, BoxType::Error);
        ASSERT_EQ(box.buttons.size(), 1);
        EXPECT_EQ(box.buttons.first().answer, Answer::Ok);
        EXPECT_EQ(bench.editor.cells(), before);
        EXPECT_FALSE(bench.editor.undoRing().canUndo());
        EXPECT_FALSE(bench.editor.boardModified());
    }
}

TEST(Apply, OneApplicationIsOneUndoGroupTargetFirst)
{
    // 3300 replaces 3500, which brought the field above along; 3300 brings
    // the field below and a belt field to its right along.
    ApplyBench bench({"A035002=00000", "A033000=03301", "A033001=01000", "D01000=000300", "D01001=020300"},
                     {0, 1000, 1001, 3300, 3301, 3500});
    ASSERT_TRUE(bench.isValid());
    bench.place(50, 3500, 0, u("10000"));
    bench.place(39, 1000); // runs up from the field above the new belt
    bench.select(50, 3300, 0, u("01100"));

    bench.editor.applySelection();

    const QList<UndoEntry> group = bench.newestGroup();
    QList<int> order;
    for (const UndoEntry &entry : group)
        order.append(entry.cellNumber);
    // Target, its old attachment, the field below, the belt, the belt it
    // runs into.
    EXPECT_EQ(order, QList<int>({50, 38, 62, 51, 39}));
    ASSERT_FALSE(group.isEmpty());
    EXPECT_EQ(group.first(), (UndoEntry{3500, 50, 0, u("10000"), true}));
    for (qsizetype i = 1; i < group.size(); ++i)
        EXPECT_FALSE(group[i].groupStart) << i;

    const BoardCells &cells = bench.editor.cells();
    EXPECT_EQ(cells[50], fieldOf(3300, 50, 0, "01100"));
    EXPECT_EQ(cells[62], fieldOf(3301, 62, 0, "00000"));
    EXPECT_EQ(cells[51].Tag, 1000);
    EXPECT_EQ(cells[39].Tag, 1001);
    EXPECT_EQ(cells[38].Tag, 0);
    EXPECT_EQ(bench.editor.selection().Tag, 3300);
    EXPECT_EQ(bench.editor.selection().CellNumber, 50);
    EXPECT_TRUE(bench.editor.selectionFromBoard());
}

TEST(Apply, AnAddedFieldsOldTileNeverClearsTheTileJustApplied)
{
    // 3400 lay below the target; its N sides claim the target (side 2, up)
    // and the field to its right (side 1). 3300 adds 3301 below itself.
    ApplyBench bench({"A033000=03301", "N034002=03300", "N034001=00000"}, {0, 3300, 3301, 3400});
    ASSERT_TRUE(bench.isValid());
    bench.place(62, 3400);
    bench.place(63, 3301);
    bench.select(50, 3300, 0);

    bench.editor.applySelection();

    const BoardCells &cells = bench.editor.cells();
    EXPECT_EQ(cells[50].Tag, 3300);
    EXPECT_EQ(cells[62].Tag, 3301);
    EXPECT_EQ(cells[63].Tag, 0) << "the field that did belong to the old tile is cleared";
    QList<int> order;
    for (const UndoEntry &entry : bench.newestGroup())
        order.append(entry.cellNumber);
    EXPECT_EQ(order, QList<int>({50, 63, 62}));
}

TEST(Apply, ClearedFieldsDrawRotationThenPlate)
{
    // Group 1 has three plates; 3500 brings two fields along.
    ApplyBench bench({"A035000=00000", "A035002=00000"}, {0, 100, 101, 102, 3500});
    ASSERT_TRUE(bench.isValid());
    changeSetting(bench.editor, &Settings::OpGroundPlates, 1);
    std::mt19937 expected;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        bench.place(50, 3500, 0);
        bench.select(50, 0, 0);
        bench.editor.seedRandom(seed);
        expected.seed(seed);

        bench.editor.applySelection();

        // Down first, then up, each drawing its rotation and then its plate.
        for (int cell : {62, 38}) {
            const int rotation = std::uniform_int_distribution<int>(0, 3)(expected);
            const int plate = 100 + std::uniform_int_distribution<int>(0, 2)(expected);
            EXPECT_EQ(bench.editor.cells()[size_t(cell)], fieldOf(plate, cell, rotation, "00000"))
                << "seed " << seed;
        }
    }
}

TEST(Apply, APlateGroupWithoutPlatesNamesTheMissingPictureAndKeepsTheBoard)
{
    // Group 3 exists among the pictures only through plate 400, so it has
    // no plates and no picture 00300.bmp. The fitted belt 1004 adds 3500
    // below itself, where the 3500 lying there claims the field below it.
    ApplyBench bench({"D01000=000300", "D01004=000320", "A010040=03500", "A035000=00000"},
                     {0, 400, 1000, 1004, 3500});
    ASSERT_TRUE(bench.isValid());
    changeSetting(bench.editor, &Settings::OpGroundPlates, 3);
    EXPECT_EQ(bench.editor.randomGroundPlate(), 300);

    bench.place(62, 3500);
    bench.select(49, 1000, 3); // runs right, into 50
    bench.editor.applySelection();
    bench.editor.setBoardModified(false);
    bench.select(50, 1000, 0);
    const BoardCells before = bench.editor.cells();
    const TImgKarte selection = bench.editor.selection();
    QList<int> repainted;
    QObject::connect(&bench.editor, &Editor::cellChanged, [&repainted](int n) { repainted.append(n); });

    try {
        bench.editor.applySelection();
        FAIL() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(u("Images/00300.bmp"))) << error.text().toStdString();
    }

    // The target had been drawn and the plate recorded when the error came.
    EXPECT_EQ(repainted, QList<int>({50, 50, 74}));
    EXPECT_EQ(bench.editor.cells(), before);
    EXPECT_EQ(bench.editor.cells()[50].picture.cacheKey(), before[50].picture.cacheKey());
    EXPECT_EQ(bench.editor.selection(), selection);
    EXPECT_EQ(bench.editor.selection().picture.cacheKey(), selection.picture.cacheKey());
    EXPECT_EQ(bench.editor.undoRing().UndoPos(), 1);
    EXPECT_EQ(bench.newestGroup().first().cellNumber, 49) << "the earlier application is the one undone next";
    EXPECT_FALSE(bench.editor.boardModified());
    EXPECT_TRUE(bench.prompter.messages.isEmpty());
}

TEST(Apply, BeltsWithoutAUsablePatternAreLeftAsTheyAre)
{
    // 1500 has no D entry, 1600 a short one; 1000 runs up, 1001 is fed from
    // below. A short pattern is never looked up, so D01600 never matches.
    ApplyBench bench({"D01000=000300", "D01001=020300", "D01600=0203", "D01700=0203"},
                     {0, 1000, 1001, 1500, 1600, 1700});
    ASSERT_TRUE(bench.isValid());
    bench.place(62, 1000); // runs up into 50
    bench.place(38, 1001); // fed from 50
    bench.place(51, 1600, 0);
    bench.place(49, 1700, 0);

    for (int tile : {1500, 1600}) {
        SCOPED_TRACE(tile);
        bench.select(50, tile, 0);
        EXPECT_EQ(bench.editor.fitBelt(bench.editor.selection()), tile);
    }

    bench.select(50, 1500, 0);
    bench.editor.applySelection();
    const BoardCells &cells = bench.editor.cells();
    EXPECT_EQ(cells[50].Tag, 1500);
    // Without a pattern it runs into nothing: 38 loses its input.
    EXPECT_EQ(cells[38].Tag, 1000);
    EXPECT_EQ(cells[62].Tag, 1000);
    EXPECT_EQ(cells[51].Tag, 1600);
    EXPECT_EQ(cells[49].Tag, 1700);
    QList<int> order;
    for (const UndoEntry &entry : bench.newestGroup())
        order.append(entry.cellNumber);
    EXPECT_EQ(order, QList<int>({50, 38}));

    // A belt beside a belt with a short pattern reads nothing from it.
    bench.place(51, 1600, 1);
    bench.select(50, 1000, 0);
    EXPECT_EQ(bench.editor.fitBelt(bench.editor.selection()), 1001);
}

TEST(Apply, AFittedBeltBecomesTheSelectionAndTheSameTileCanGoAgain)
{
    ApplyBench bench({"D01000=000300", "D01001=020300"}, {0, 1000, 1001});
    ASSERT_TRUE(bench.isValid());
    bench.place(62, 1000); // runs up into 50
    bench.select(50, 1000, 0, u("00000"));
    int redraws = 0;
    QObject::connect(&bench.editor, &Editor::selectionChanged, [&redraws] { ++redraws; });

    bench.editor.applySelection();
    EXPECT_EQ(bench.editor.selection().Tag, 1001);
    EXPECT_EQ(bench.editor.selection().Rotation, 0);
    EXPECT_EQ(bench.editor.selection().CellNumber, 50);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(bench.editor.cells()[50].Tag, 1001);

    // Nothing to fit the second time: the selection is not redrawn.
    bench.editor.applySelection();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(bench.editor.undoRing().UndoPos(), 2);
    EXPECT_TRUE(bench.prompter.messages.isEmpty());
}
