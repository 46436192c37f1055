#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

namespace kestrix::tiles {

using Drawing = std::function<void(QPainter &)>;

// A drawing made in tile coordinates (253 wide) as an opaque picture of
// size x size pixels. Small pictures are drawn four times larger and averaged
// down, so thin lines stay smooth.
QImage renderTile(int size, const Drawing &draw);

// A drawing in w x h coordinates, drawn `factor` times larger on a
// transparent canvas, then reduced: a pixel at least half covered takes the
// averaged colour of its cover, every other pixel the key colour. The edges
// stay crisp, so no pale fringe shows where the key colour is see-through.
QImage renderKeyed(int w, int h, int factor, const Drawing &draw, const QColor &key);

// Averages factor x factor blocks of an opaque picture.
QImage averageDown(const QImage &image, int factor);

// Writes a 24-bit Windows bitmap through a temporary file; throws
// std::runtime_error with the path and the reason on failure.
void saveBmp24(const QImage &image, const QString &path);

} // namespace kestrix::tiles
