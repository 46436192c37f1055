#pragma once

#include "TileSet.h"

#include <QImage>
#include <QString>

namespace kestrix::tiles {

// The program's icon at size x size pixels: a corner of a board, four tiles
// in a rounded frame on a transparent background; small sizes show one tile
// so it stays readable.
QImage programIcon(const TileSet &tiles, int size);

// Writes the icon in the usual sizes as
// iconsDir/hicolor/<n>x<n>/apps/kestrix.png; returns the number written.
int writeProgramIcons(const TileSet &tiles, const QString &iconsDir);

} // namespace kestrix::tiles
