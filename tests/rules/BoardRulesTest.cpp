#include "RulesBench.h"

#include "board/BoardGrid.h"
#include "support/QtPrinters.h"
#include "support/Text.h"

#include <gtest/gtest.h>

#include <optional>

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

} // namespace

TEST(BoardRules, EdgeChecksRefuseWithTheirMessageAndChangeNothing)
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
        RulesBench bench(EdgeCatalogue);
        const QString conventions = u(c.conventions);
        bench.conventions = {conventions[0] == u'1', conventions[1] == u'1', conventions[2] == u'1',
                             conventions[3] == u'1'};
        bench.place(c.field, c.onField, 1);
        const BoardFields before = bench.fields;

        const Application application = bench.apply(c.field, c.tile, c.rotation, u(c.steps), c.stepPanel);

        if (c.message < 0) {
            EXPECT_FALSE(application.refusal);
            EXPECT_EQ(bench.fields[size_t(c.field)].tileId, c.tile);
            continue;
        }
        ASSERT_TRUE(application.refusal);
        EXPECT_EQ(int(*application.refusal), c.message);
        EXPECT_TRUE(application.recorded.isEmpty());
        EXPECT_TRUE(application.written.isEmpty());
        EXPECT_EQ(bench.fields, before);
    }
}

TEST(BoardRules, OneApplicationRecordsTheTargetFirstAndWritesItAfterItsOldFields)
{
    // 3300 replaces 3500, which brought the field above along; 3300 brings
    // the field below and a belt field to its right along.
    RulesBench bench({"A035002=00000", "A033000=03301", "A033001=01000", "D01000=000300", "D01001=020300"});
    bench.place(50, 3500, 0, u("10000"));
    bench.place(39, 1000); // runs up from the field above the new belt

    const Application application = bench.apply(50, 3300, 0, u("01100"));

    // Target, its old attachment, the field below, the belt, the belt it
    // runs into.
    EXPECT_EQ(cellsOf(application.recorded), QList<int>({50, 38, 62, 51, 39}));
    EXPECT_EQ(cellsOf(application.written), QList<int>({38, 50, 62, 51, 39}));
    ASSERT_FALSE(application.recorded.isEmpty());
    EXPECT_EQ(application.recorded.first().field, (Field{3500, 0, u("10000")}));

    EXPECT_EQ(bench.fields[50], (Field{3300, 0, u("01100")}));
    EXPECT_EQ(bench.fields[62], (Field{3301, 0, u("00000")}));
    EXPECT_EQ(bench.fields[51].tileId, 1000);
    EXPECT_EQ(bench.fields[39].tileId, 1001);
    EXPECT_EQ(bench.fields[38].tileId, 0);
    EXPECT_EQ(application.fittedTile, 3300);
}

TEST(BoardRules, AnAddedFieldsOldTileNeverClearsTheTileJustApplied)
{
    // 3400 lay below the target; its N sides claim the target (side 2, up)
    // and the field to its right (side 1). 3300 adds 3301 below itself.
    RulesBench bench({"A033000=03301", "N034002=03300", "N034001=00000"});
    bench.place(62, 3400);
    bench.place(63, 3301);

    const Application application = bench.apply(50, 3300, 0);

    EXPECT_EQ(bench.fields[50].tileId, 3300);
    EXPECT_EQ(bench.fields[62].tileId, 3301);
    EXPECT_EQ(bench.fields[63].tileId, 0) << "the field that did belong to the old tile is cleared";
    EXPECT_EQ(cellsOf(application.recorded), QList<int>({50, 63, 62}));
}

TEST(BoardRules, ClearedFieldsDrawRotationThenPlate)
{
    // Group 1 has three plates; 3500 brings two fields along.
    RulesBench bench({"A035000=00000", "A035002=00000"});
    bench.plateGroup = 1;
    bench.plateCount = 3;
    std::mt19937 expected;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        bench.place(50, 3500, 0);
        bench.random.generator.seed(seed);
        expected.seed(seed);

        const Application application = bench.apply(50, 0, 0);

        // Down first, then up, each drawing its rotation and then its plate.
        QList<int> draws;
        for (int cell : {62, 38}) {
            const int rotation = std::uniform_int_distribution<int>(0, 3)(expected);
            const int plate = 100 + std::uniform_int_distribution<int>(0, 2)(expected);
            EXPECT_EQ(bench.fields[size_t(cell)], (Field{plate, rotation, u("00000")})) << "seed " << seed;
        }
        for (const FieldWrite &write : application.written)
            draws.append(write.draws);
        EXPECT_EQ(draws, QList<int>({2, 4, 4})) << "each cleared field counts the draws made for it";
    }
    // A group without plates gives its first number and draws nothing.
    bench.plateCount = 0;
    bench.place(50, 3500, 0);
    bench.random.generator.seed(1);
    expected.seed(1);
    bench.apply(50, 0, 0);
    EXPECT_EQ(bench.fields[62].tileId, 100);
    EXPECT_EQ(bench.fields[62].rotation, std::uniform_int_distribution<int>(0, 3)(expected));
    EXPECT_EQ(bench.fields[38].rotation, std::uniform_int_distribution<int>(0, 3)(expected));
}

TEST(BoardRules, BeltsWithoutAUsablePatternAreLeftAsTheyAre)
{
    // 1500 has no D entry, 1600 a short one; 1000 runs up, 1001 is fed from
    // below. A short pattern is never looked up, so D01600 never matches.
    RulesBench bench({"D01000=000300", "D01001=020300", "D01600=0203", "D01700=0203"});
    bench.place(62, 1000); // runs up into 50
    bench.place(38, 1001); // fed from 50
    bench.place(51, 1600, 0);
    bench.place(49, 1700, 0);

    for (int tile : {1500, 1600})
        EXPECT_EQ(bench.fitBelt(50, tile, 0), tile) << tile;

    const Application application = bench.apply(50, 1500, 0);
    EXPECT_EQ(bench.fields[50].tileId, 1500);
    // Without a pattern it runs into nothing: 38 loses its input.
    EXPECT_EQ(bench.fields[38].tileId, 1000);
    EXPECT_EQ(bench.fields[62].tileId, 1000);
    EXPECT_EQ(bench.fields[51].tileId, 1600);
    EXPECT_EQ(bench.fields[49].tileId, 1700);
    EXPECT_EQ(cellsOf(application.recorded), QList<int>({50, 38}));

    // A belt beside a belt with a short pattern reads nothing from it.
    bench.place(51, 1600, 1);
    EXPECT_EQ(bench.fitBelt(50, 1000, 0), 1001);
}

TEST(BoardRules, ANewBoardDrawsPlateThenRotationAndPutsWallsOnTheWallPositions)
{
    RulesBench bench({});
    bench.plateGroup = 2;
    bench.plateCount = 4;
    bench.conventions.needWall = true;
    bench.random.generator.seed(11);
    std::mt19937 expected(11);

    const QList<FieldWrite> writes = newBoardFill(bench.rules());

    ASSERT_EQ(writes.size(), CellCount);
    int draws = 0;
    for (int k = 0; k < CellCount; ++k) {
        const FieldWrite &write = writes[k];
        EXPECT_EQ(write.cell, k);
        if (const int side = wallPositionSide(k); side >= 0) {
            EXPECT_EQ(write.field, (Field{8200, side, u("00000")})) << k;
        } else {
            const int plate = 200 + std::uniform_int_distribution<int>(0, 3)(expected);
            const int rotation = std::uniform_int_distribution<int>(0, 3)(expected);
            EXPECT_EQ(write.field, (Field{plate, rotation, u("00000")})) << k;
            draws += 2;
        }
        EXPECT_EQ(write.draws, draws) << k;
    }
}
