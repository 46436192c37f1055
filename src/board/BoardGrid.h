#pragma once

#include "board/TImgKarte.h"

#include <array>

namespace kestrix {

constexpr int BoardSide = 12;
constexpr int CellCount = BoardSide * BoardSide;

// World directions, counter-clockwise.
enum Direction { Down = 0, Right = 1, Up = 2, Left = 3 };

using BoardCells = std::array<TImgKarte, CellCount>;

int NeighbourIndex(int n, int d);
bool IsBorderCell(int n);
int WallPositionSide(int n);
int BeltEdgeSide(int n);
int LocalSide(int d, int r);

// Where cell n lies on the board panel.
inline int CellLeft(int n) { return (n % BoardSide) * 59 + 4; }
inline int CellTop(int n) { return (n / BoardSide) * 59 + 4; }

} // namespace kestrix
