#pragma once

#include "board/Field.h"

#include <QList>

#include <algorithm>
#include <cstdlib>

namespace kestrix {

// A rectangle of board fields, given by its top-left field's column and row
// and its size in fields.
struct Region
{
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;

    // The rectangle spanned by two fields, in either order.
    static Region spanning(int a, int b)
    {
        const int left = std::min(a % BoardSide, b % BoardSide);
        const int top = std::min(a / BoardSide, b / BoardSide);
        return {left, top, std::abs(a % BoardSide - b % BoardSide) + 1, std::abs(a / BoardSide - b / BoardSide) + 1};
    }
    static Region wholeBoard() { return {0, 0, BoardSide, BoardSide}; }
    // The width x height rectangle whose top-left field is cell; it may reach
    // past the board's edge (see fitsOnBoard).
    static Region at(int cell, int width, int height) { return {cell % BoardSide, cell / BoardSide, width, height}; }

    bool fitsOnBoard() const
    {
        return left >= 0 && top >= 0 && width > 0 && height > 0 && left + width <= BoardSide && top + height <= BoardSide;
    }
    bool isSquare() const { return width == height; }
    int fieldCount() const { return width * height; }
    bool contains(int cell) const
    {
        const int column = cell % BoardSide;
        const int row = cell / BoardSide;
        return cell >= 0 && cell < CellCount && column >= left && column < left + width && row >= top
               && row < top + height;
    }
    // Field i of the region in row order (0 is its top-left field).
    int cell(int i) const { return (top + i / width) * BoardSide + left + i % width; }
    int firstCell() const { return cell(0); }
    int lastCell() const { return cell(fieldCount() - 1); }

    bool operator==(const Region &other) const = default;
};

// The fields of a region, row by row, as copied.
struct RegionClip
{
    int width = 0;
    int height = 0;
    QList<Field> fields;

    bool operator==(const RegionClip &other) const = default;
};

} // namespace kestrix
