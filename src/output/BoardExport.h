#pragma once

#include "output/BoardQuarter.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace kestrix {

// The four quarters as JPEG files, rendered and encoded at the same time,
// index 0 for quarter 1. Throws the KestrixError of the lowest quarter that
// failed.
std::array<QByteArray, BoardQuarterCount> encodeBoardQuarters(const BoardPictureSource &source);

// Writes the four quarters beside chosen, named by quarterPictureFileName,
// in the order 1 to 4. Throws KestrixError: when a quarter cannot be drawn
// the quarters before it are written and no later one; when a file cannot
// be written no later one is.
void exportBoardQuarters(const BoardPictureSource &source, const QString &chosen);

} // namespace kestrix
