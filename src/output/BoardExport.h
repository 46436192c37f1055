#pragma once

#include "board/BoardGrid.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>

namespace kestrix {

class Catalogue;
struct StepMarkTables;

// What the board's pictures are drawn from. Only read, so several quarters
// can be drawn from it at the same time.
struct BoardPictureSource
{
    const BoardFields &cells;
    const Catalogue &catalogue;
    const StepMarkTables &stepMarks;
    QString programFolder; // ends with "/"
};

constexpr int BoardQuarterCount = 4;

// Renders quarter 1..4 with a cell composition of its own.
QImage RenderQuarter(const BoardPictureSource &source, int quarter);

// The four quarters as JPEG files, rendered and encoded at the same time,
// index 0 for quarter 1. Throws the KestrixError of the lowest quarter that
// failed.
std::array<QByteArray, BoardQuarterCount> EncodeBoardQuarters(const BoardPictureSource &source);

// Writes the four quarters beside chosen, named by QuarterPictureFileName,
// in the order 1 to 4. Throws KestrixError: when a quarter cannot be drawn
// the quarters before it are written and no later one; when a file cannot
// be written no later one is.
void ExportBoardQuarters(const BoardPictureSource &source, const QString &chosen);

} // namespace kestrix
