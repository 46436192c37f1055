#pragma once

#include "board/Field.h"

namespace kestrix {

// World directions, counter-clockwise.
enum Direction { Down = 0, Right = 1, Up = 2, Left = 3 };

int neighbourIndex(int n, int d);
bool isBorderCell(int n);
int wallPositionSide(int n);
int beltEdgeSide(int n);
int localSide(int d, int r);

} // namespace kestrix
