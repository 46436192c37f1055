#include "board/BoardGrid.h"

#include <gtest/gtest.h>

using namespace kestrix;

TEST(BoardGrid, NeighbourIndexStopsAtTheEdges)
{
    const struct { int n, d, expected; } cases[] = {
        {11, Right, -1}, {12, Left, -1}, {131, Down, 143}, {132, Down, -1}, {5, Up, -1},
        {0, Down, 12},   {0, Right, 1},  {13, Up, 1},      {13, Left, 12},  {143, Right, -1},
        {143, Up, 131},  {50, 4, -1},    {50, -1, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(neighbourIndex(c.n, c.d), c.expected) << c.n << " " << c.d;
}

TEST(BoardGrid, NeighboursAreMutual)
{
    for (int n = 0; n < CellCount; ++n) {
        for (int d = 0; d < 4; ++d) {
            const int m = neighbourIndex(n, d);
            if (m >= 0)
                EXPECT_EQ(neighbourIndex(m, (d + 2) % 4), n);
            else
                EXPECT_TRUE(isBorderCell(n));
        }
    }
}

TEST(BoardGrid, BorderCells)
{
    for (int n : {0, 11, 12, 23, 132, 143})
        EXPECT_TRUE(isBorderCell(n)) << n;
    for (int n : {13, 22, 121, 130})
        EXPECT_FALSE(isBorderCell(n)) << n;
    int count = 0;
    for (int n = 0; n < CellCount; ++n)
        count += isBorderCell(n);
    EXPECT_EQ(count, 44);
}

TEST(BoardGrid, EdgePositionsPointOffTheBoard)
{
    int walls = 0, belts = 0;
    for (int n = 0; n < CellCount; ++n) {
        for (int side : {wallPositionSide(n), beltEdgeSide(n)}) {
            if (side < 0)
                continue;
            EXPECT_EQ(neighbourIndex(n, side), -1) << n;
            int offBoard = 0;
            for (int d = 0; d < 4; ++d)
                offBoard += neighbourIndex(n, d) < 0;
            EXPECT_EQ(offBoard, 1) << n << " is a corner";
        }
        walls += wallPositionSide(n) >= 0;
        belts += beltEdgeSide(n) >= 0;
        EXPECT_FALSE(wallPositionSide(n) >= 0 && beltEdgeSide(n) >= 0) << n;
    }
    EXPECT_EQ(walls, 16);
    EXPECT_EQ(belts, 8);
    EXPECT_EQ(wallPositionSide(136), Down);
    EXPECT_EQ(wallPositionSide(24), Left);
    EXPECT_EQ(beltEdgeSide(71), Right);
    EXPECT_EQ(beltEdgeSide(72), Left);
}

TEST(BoardGrid, LocalSideUndoesTheTurn)
{
    EXPECT_EQ(localSide(0, 3), 1);
    EXPECT_EQ(localSide(2, 2), 0);
    EXPECT_EQ(localSide(3, 0), 3);
    // Rotations outside 0..3 come from board files; they turn modulo 4, like
    // the picture, so the side stays one of 0..3.
    for (int s = 0; s < 4; ++s)
        for (int r : {0, 1, 2, 3, 4, 5, 7, 9, -1, -2, -3, -4, -5, -9})
            EXPECT_EQ(localSide(((s + r) % 4 + 4) % 4, r), s) << "side " << s << ", rotation " << r;
}
