#pragma once

#include "board/Field.h"

namespace kestrix {

// World directions, counter-clockwise.
enum Direction { Down = 0, Right = 1, Up = 2, Left = 3 };

int NeighbourIndex(int n, int d);
bool IsBorderCell(int n);
int WallPositionSide(int n);
int BeltEdgeSide(int n);
int LocalSide(int d, int r);

} // namespace kestrix
