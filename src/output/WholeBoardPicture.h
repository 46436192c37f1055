#pragma once

#include "output/BoardQuarter.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

namespace kestrix {

// The whole board in one picture: a black square with every field's large
// picture on it, placed so that each field lies exactly where quarter 1
// puts its top-left six by six.
constexpr int WholeBoardMargin = 50;
constexpr int WholeBoardSize = 2 * WholeBoardMargin + BoardSide * QuarterCellPitch;

// The smallest and largest scale of the picture, in percent.
constexpr int WholeBoardMinScale = 10;
constexpr int WholeBoardMaxScale = 100;

// Top-left corner of board field n's picture.
QPoint wholeBoardCellOrigin(int n);

// Renders the whole board at full size in BitmapFormat, the fields' large
// pictures composed as the quarters compose them and drawn unscaled in field
// order. Throws KestrixError when a picture cannot be read.
QImage renderWholeBoard(const BoardPictureSource &source);

// The picture resized smoothly to percent (WholeBoardMinScale..
// WholeBoardMaxScale) of its side, rounded to whole pixels; at 100 it stays.
QImage scaledWholeBoard(const QImage &picture, int percent);

// The picture resized smoothly to fit side x side pixels.
QImage scaledToFit(const QImage &picture, int side);

// The picture as PNG file bytes, compressed as Qt's PNG writer does by
// default. Throws KestrixError naming fileName when it cannot be encoded.
QByteArray encodePng(const QImage &picture, const QString &fileName);

// Renders, scales and writes the board's picture to fileName through the
// safe save. Throws KestrixError; a file that was there stays as it was then.
void exportWholeBoard(const BoardPictureSource &source, int percent, const QString &fileName);

// Writes the board's picture fitted into side x side pixels to fileName
// through the safe save, whether or not the board passes the check.
void writeBoardThumbnail(const BoardPictureSource &source, int side, const QString &fileName);

} // namespace kestrix
