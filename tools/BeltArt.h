#pragma once

#include <QList>
#include <QPainter>
#include <QString>

namespace kestrix::tiles {

// Draws a belt tile from its six-character pattern: the family digit picks
// the belt kind (0 normal, 1 express), the side codes give the outlet, the
// side inputs (curves and merges) and the start roller, the last character
// the extra element. Throws std::runtime_error for a pattern it cannot draw.
void drawBelt(QPainter &p, const QString &pattern, const QList<int> &wallSides);

} // namespace kestrix::tiles
