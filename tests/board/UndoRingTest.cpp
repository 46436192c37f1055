#include "board/UndoRing.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

Field field(int tile, int rotation = 0, const QString &flags = QStringLiteral("00000"))
{
    return {tile, rotation, flags};
}

QList<int> cellsOf(const QList<UndoEntry> &entries)
{
    QList<int> cells;
    for (const UndoEntry &e : entries)
        cells.append(e.cell);
    return cells;
}

// One application: its target field first, then the others.
void recordGroup(UndoRing &ring, const QList<int> &cells, int tile = 1)
{
    bool first = true;
    for (int cell : cells) {
        ring.recordUndo(cell, field(tile), first);
        first = false;
    }
}

} // namespace

TEST(UndoRing, TakesBackOneApplicationWholeNewestFirst)
{
    UndoRing ring;
    EXPECT_FALSE(ring.canUndo());
    ring.recordUndo(50, field(1002, 1, QStringLiteral("10100")), true);
    ring.recordUndo(51, field(1003, 2), false);
    ring.recordUndo(38, field(45, 3, QStringLiteral("1")), false);
    ring.recordUndo(62, field(7, 0, QString()), false);
    EXPECT_EQ(ring.undoPos(), 4);
    EXPECT_TRUE(ring.canUndo());

    const QList<UndoEntry> expected = {
        {62, {7, 0, QString()}, false},
        {38, {45, 3, QStringLiteral("1")}, false},
        {51, {1003, 2, QStringLiteral("00000")}, false},
        {50, {1002, 1, QStringLiteral("10100")}, true},
    };
    EXPECT_EQ(ring.takeBackGroup(), expected);
    EXPECT_EQ(ring.undoPos(), 0);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_TRUE(ring.takeBackGroup().isEmpty());
}

TEST(UndoRing, GroupsComeBackNewestFirst)
{
    UndoRing ring;
    recordGroup(ring, {10, 11});
    recordGroup(ring, {20, 21, 22});
    recordGroup(ring, {30});

    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({30}));
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({22, 21, 20}));
    EXPECT_TRUE(ring.canUndo());
    // A new application after an undo writes over what was taken back.
    recordGroup(ring, {40, 41});
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({41, 40}));
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({11, 10}));
    EXPECT_FALSE(ring.canUndo());
}

TEST(UndoRing, KeepsAtMostFiveStepCharacters)
{
    UndoRing ring;
    ring.recordUndo(3, field(45, 2, QStringLiteral("1010111")), true);
    EXPECT_EQ(ring.takeBackGroup().value(0).field.steps, QStringLiteral("10101"));
}

TEST(UndoRing, WalkStopsAtSlotZeroWithoutGroupStart)
{
    UndoRing ring;
    ring.recordUndo(1, field(1), false);
    ring.recordUndo(2, field(1), false);
    recordGroup(ring, {3, 4});

    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({4, 3}));
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({2, 1}));
    EXPECT_FALSE(ring.canUndo());
}

TEST(UndoRing, StartsAgainAtSlotZeroAfterThe1000thEntry)
{
    UndoRing ring;
    for (int i = 0; i < UndoRing::SlotCount - 1; ++i)
        recordGroup(ring, {i % 144});
    EXPECT_EQ(ring.undoPos(), 999);
    EXPECT_TRUE(ring.canUndo());

    recordGroup(ring, {77});
    EXPECT_EQ(ring.undoPos(), 0);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_TRUE(ring.takeBackGroup().isEmpty());

    // Later entries fill the ring from slot 0 again; the entries from before
    // the wrap are out of reach.
    recordGroup(ring, {5, 6});
    EXPECT_EQ(ring.undoPos(), 2);
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({6, 5}));
    EXPECT_FALSE(ring.canUndo());
}

TEST(UndoRing, ApplicationCutByTheWrapIsNotTakenBackHalfway)
{
    UndoRing ring;
    for (int i = 0; i < UndoRing::SlotCount - 2; ++i)
        recordGroup(ring, {i % 144});
    // Slots 998 and 999 take the first two entries; the last two would land
    // in slots 0 and 1, where undo would restore them without the target.
    recordGroup(ring, {60, 61, 62, 63});
    EXPECT_EQ(ring.undoPos(), 0);
    EXPECT_FALSE(ring.canUndo());

    recordGroup(ring, {90, 91});
    EXPECT_EQ(ring.undoPos(), 2);
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({91, 90}));
    EXPECT_FALSE(ring.canUndo());
}

TEST(UndoRing, ApplicationEndingExactlyAtTheWrapLeavesTheNextOneWhole)
{
    UndoRing ring;
    for (int i = 0; i < UndoRing::SlotCount - 2; ++i)
        recordGroup(ring, {i % 144});
    recordGroup(ring, {60, 61});
    EXPECT_EQ(ring.undoPos(), 0);
    recordGroup(ring, {70, 71, 72});
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({72, 71, 70}));
}

TEST(UndoRing, ClearLeavesNothingToTakeBack)
{
    UndoRing ring;
    recordGroup(ring, {1, 2, 3});
    ring.clear();
    EXPECT_EQ(ring.undoPos(), 0);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_TRUE(ring.takeBackGroup().isEmpty());

    // After a wrap inside a group, clearing starts afresh: the next entry is
    // kept whatever it is.
    for (int i = 0; i < UndoRing::SlotCount - 1; ++i)
        recordGroup(ring, {i % 144});
    recordGroup(ring, {8, 9});
    ring.clear();
    ring.recordUndo(12, field(3), false);
    EXPECT_EQ(cellsOf(ring.takeBackGroup()), QList<int>({12}));
}
