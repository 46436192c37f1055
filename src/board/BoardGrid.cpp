#include "board/BoardGrid.h"

namespace kestrix {

int neighbourIndex(int n, int d)
{
    switch (d) {
    case Down:
        return n > 131 ? -1 : n + 12;
    case Right:
        return (n + 1) % 12 == 0 ? -1 : n + 1;
    case Up:
        return n < 12 ? -1 : n - 12;
    case Left:
        return n % 12 == 0 ? -1 : n - 1;
    default:
        return -1;
    }
}

bool isBorderCell(int n)
{
    return !(n > 11 && n % 12 != 0 && (n + 1) % 12 != 0 && n <= 131);
}

int wallPositionSide(int n)
{
    switch (n) {
    case 2: case 4: case 7: case 9:
        return Up;
    case 24: case 48: case 84: case 108:
        return Left;
    case 35: case 59: case 95: case 119:
        return Right;
    case 134: case 136: case 139: case 141:
        return Down;
    default:
        return -1;
    }
}

int beltEdgeSide(int n)
{
    switch (n) {
    case 1: case 5:
        return Up;
    case 23: case 71:
        return Right;
    case 72: case 120:
        return Left;
    case 138: case 142:
        return Down;
    default:
        return -1;
    }
}

int localSide(int d, int r)
{
    const int s = (d - r) % 4;
    return s < 0 ? s + 4 : s;
}

} // namespace kestrix
