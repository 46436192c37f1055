#pragma once

#include <QString>

#include <array>

namespace kestrix {

constexpr int BoardSide = 12;
constexpr int CellCount = BoardSide * BoardSide;

// One board field: the tile lying on it, how far it is turned and in which
// steps it is active. A board file's rotation is kept as read, also outside
// 0..3, so that saving writes the line back unchanged.
struct Field
{
    int tileId = 0;
    int rotation = 0; // quarter turns counter-clockwise
    QString steps = QStringLiteral("00000"); // "1" for each active step 1..5

    bool operator==(const Field &other) const = default;
};

using BoardFields = std::array<Field, CellCount>;

// A field of the board taking a state. draws counts the random numbers drawn
// for the edit up to and including this field's state.
struct FieldWrite
{
    int cell = 0;
    Field field;
    int draws = 0;

    bool operator==(const FieldWrite &other) const = default;
};

} // namespace kestrix
