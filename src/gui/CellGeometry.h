#pragma once

#include "board/Field.h"

namespace kestrix {

// Where field n lies on the board panel: 57-pixel cells two pixels apart,
// inside a four-pixel margin.
constexpr int CellPitch = 59;
constexpr int CellMargin = 4;

constexpr int cellLeft(int n)
{
    return (n % BoardSide) * CellPitch + CellMargin;
}

constexpr int cellTop(int n)
{
    return (n / BoardSide) * CellPitch + CellMargin;
}

} // namespace kestrix
