#pragma once

#include "TileSet.h"

#include <QString>

namespace kestrix::tiles {

// Pictures for looking the tile set over: every tile at both sizes with its
// id, the palette pictures, the step marks, the flags, and every board in
// `binDir`/Boards composed as the editor shows it. Needs a QGuiApplication
// for the labels.
void writeContactSheets(const TileSet &tiles, const QString &binDir, const QString &outDir);

} // namespace kestrix::tiles
