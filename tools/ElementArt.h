#pragma once

#include <QPainter>

namespace kestrix::tiles {

// Pits, oil, lasers, counter elements and paired elements. Each is drawn on
// top of the plain floor and the tile's walls.
bool hasElementArt(int id);
void drawElement(QPainter &p, int id);

} // namespace kestrix::tiles
