#pragma once

#include <QChar>
#include <QPainter>

namespace kestrix::tiles {

// The extra elements a belt carries, by the last character of its pattern:
// 1 laser across the band, 2 press, 3 counter press, 4 and 5 pushers from the
// left and from the right, 6 small flame, 7 laser cannon. They sit over the
// outlet, drawn with the outlet at the top.
bool beltExtraDrawable(QChar extra);
void drawBeltExtra(QPainter &p, QChar extra);

} // namespace kestrix::tiles
