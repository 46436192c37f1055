#pragma once

#include "board/BoardGrid.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

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

// The board leaves the editor in four quarters of 6 x 6 fields, numbered
// 1 top left, 2 top right, 3 bottom right, 4 bottom left. A quarter is a
// black square with the large cell pictures on it and a white strip beside
// the square: right of it, below it, left of it and above it for the
// quarters 1 to 4.
constexpr int QuarterSide = 6;
constexpr int QuarterCellCount = QuarterSide * QuarterSide;
constexpr int QuarterSquareSize = 1575;
constexpr int QuarterStripSize = 150;
constexpr int QuarterCellPitch = 254;

// Where a quarter's parts lie in its picture, in pixels.
struct QuarterGeometry
{
    QSize size;       // the whole picture
    QRect square;     // the black square
    QRect strip;      // the white strip beside it
    int firstRow = 0; // the board row and column of the quarter's first field
    int firstColumn = 0;
    QPoint firstCell; // top-left corner of the first field's picture

    // Board field of the quarter's field k (0..35, row by row).
    int boardCell(int k) const;
    // Top-left corner of the picture of the quarter's field k.
    QPoint cellOrigin(int k) const;
};

// The geometry of quarter 1..4. The fields start 50 pixels inside an edge of
// the square that is an outer edge of the board and 1 pixel inside an edge
// along the board's centre lines.
QuarterGeometry boardQuarterGeometry(int quarter);

constexpr int BoardQuarterCount = 4;

// Renders quarter 1..4 of the board: white with a dashed black outline, the
// black square, and each field's large picture composed with its rotation
// and steps, drawn unscaled. The picture is in BitmapFormat. Throws
// KestrixError when a picture cannot be read. The composition has a scratch
// bitmap of its own, so quarters can be drawn side by side.
QImage renderBoardQuarter(const BoardPictureSource &source, int quarter);

// Copies picture 1:1 into image (in BitmapFormat) with its top-left corner
// at origin, clipped to image.
void drawUnscaled(QImage &image, const QImage &picture, QPoint origin);

// The file of quarter n when the user chose the name chosen: its folder, its
// name without the last extension, " (n).jpg".
QString quarterPictureFileName(const QString &chosen, int quarter);

} // namespace kestrix
