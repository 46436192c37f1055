#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace kestrix::tiles {

// Step marks are drawn in the 253-pixel frame of the large picture; every
// background and glyph is this many pixels square.
inline constexpr int kMarkSize = 64;
// The glyph sets and backgrounds the generator draws (Font001..., BG001...).
inline constexpr int kGlyphSets = 2;
inline constexpr int kBackgrounds = 2;

// Digits 1..5 as shapes in a box 0.6 wide and 1 high, so no font is needed
// and every machine draws the same pixels. The stroke form is meant to be
// drawn with a round pen about 0.17 wide.
QPainterPath digitStroke(int digit);
// The same digits as the lit cells of a 3 x 5 matrix; `lit` false gives the
// cells that stay dark.
QPainterPath digitCells(int digit, bool lit);

// Draws digit in stroke form, centred in box; `widen` thickens the stroke,
// for a halo drawn underneath.
void drawDigit(QPainter &p, int digit, const QRectF &box, const QColor &colour, qreal widen = 0.0);

// Glyph of step `step` in glyph set `set`: the digit on pure white, which
// is transparent when it is laid over the background.
QImage stepGlyph(int set, int step);
// Step-mark background `number`; its white corners let the tile show.
QImage stepBackground(int number);

} // namespace kestrix::tiles
