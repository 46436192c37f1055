#include "BeltExtraArt.h"

#include "Art.h"
#include "Glyphs.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace kestrix::tiles {

namespace {

const QColor kHousing(70, 74, 82);

void drawLens(QPainter &p, QPointF centre, qreal radius)
{
    QRadialGradient lens(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
    lens.setColorAt(0, QColor(255, 235, 225));
    lens.setColorAt(0.35, QColor(255, 50, 30));
    lens.setColorAt(1, QColor(110, 0, 0));
    p.setPen(QPen(QColor(20, 20, 22), 2.5));
    p.setBrush(lens);
    p.drawEllipse(centre, radius, radius);
}

// A press across the outlet: two columns and a heavy head whose lower edge
// carries the warning stripes. Its step marks sit on the head.
void drawPressHead(QPainter &p, const QColor &steel)
{
    drawSteelBlock(p, QRectF(0, 0, 24, 90), steel.darker(115), 3);
    drawSteelBlock(p, QRectF(kRef - 24, 0, 24, 90), steel.darker(115), 3);
    p.fillRect(QRectF(12, 84, kRef - 24, 9), QColor(0, 0, 0, 80));
    const QRectF head(6, 2, kRef - 12, 82);
    drawSteelBlock(p, head, steel, 4);
    p.setPen(QPen(steel.darker(150), 3.0));
    for (qreal x = 40; x < kRef - 30; x += 34)
        p.drawLine(QPointF(x, 12), QPointF(x, 62));
    for (const QPointF c : {QPointF(18, 14), QPointF(kRef - 18, 14), QPointF(18, 60), QPointF(kRef - 18, 60)})
        drawRivet(p, c, 5.0, steel);
    drawHazard(p, QRectF(8, 70, kRef - 16, 14), 18);
    p.setPen(QPen(QColor(20, 20, 22), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 70, kRef - 16, 14));
}

// The same press in copper with a counter window: it strikes once the
// counter has run down, which its step marks count out.
void drawCounterPress(QPainter &p)
{
    drawPressHead(p, QColor(168, 96, 52));
    const QRectF window(kMid - 44, 18, 88, 40);
    drawSteelBlock(p, window.adjusted(-5, -5, 5, 5), QColor(60, 40, 30), 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 14, 12));
    p.drawRoundedRect(window, 4, 4);
    for (int i = 0; i < 3; ++i) {
        const QRectF cell(window.left() + 6 + i * 27, window.top() + 5, 22, window.height() - 10);
        p.setBrush(QColor(236, 226, 196));
        p.drawRoundedRect(cell, 3, 3);
        drawDigit(p, 3 - i, cell.adjusted(3, 3, -3, -3), QColor(30, 24, 20));
    }
}

// An emitter beside the band fires across it just before the outlet; a
// catcher on the far side takes the beam.
void drawCrossLaser(QPainter &p)
{
    const qreal y = 34;
    drawBeam(p, QPointF(40, y), QPointF(kRef - 28, y));
    drawSteelBlock(p, QRectF(2, y - 28, 46, 56), kHousing, 5);
    drawRivet(p, QPointF(14, y - 16), 4, QColor(110, 114, 120));
    drawRivet(p, QPointF(14, y + 16), 4, QColor(110, 114, 120));
    drawLens(p, QPointF(36, y), 12);
    drawSteelBlock(p, QRectF(kRef - 32, y - 22, 30, 44), kHousing, 4);
    p.fillRect(QRectF(kRef - 34, y - 9, 8, 18), QColor(16, 16, 18));
}

// A pusher in the corner beside the band; its plate shoves across the band
// in the direction of the chevrons. Pusher 1 stands on the left, pusher 2
// on the right; the housing carries the number.
void drawPusher(QPainter &p, bool fromRight, const QColor &colour, int number)
{
    const QRectF housing(0, 4, 48, 70);
    p.save();
    if (fromRight) {
        p.translate(kRef, 0);
        p.scale(-1, 1);
    }
    for (const qreal y : {20.0, 58.0}) {
        QLinearGradient g(0, y - 6, 0, y + 6);
        g.setColorAt(0, QColor(120, 124, 130));
        g.setColorAt(0.4, QColor(235, 238, 242));
        g.setColorAt(1, QColor(90, 94, 100));
        p.fillRect(QRectF(44, y - 6, 20, 12), g);
    }
    drawSteelBlock(p, housing, QColor(80, 84, 92), 4);
    const QRectF plate(60, 0, 16, 78);
    drawSteelBlock(p, plate, QColor(120, 124, 132), 3);
    drawHazard(p, plate.adjusted(3, 3, -3, -3), 16);
    drawChevron(p, QPointF(118, 39), 90, 0.9, colour);
    drawChevron(p, QPointF(160, 39), 90, 0.7, colour);
    p.restore();
    // The number is drawn unmirrored.
    const qreal left = fromRight ? kRef - housing.right() : housing.left();
    const QRectF box(left + 10, housing.top() + 12, housing.width() - 20, housing.height() - 24);
    drawDigit(p, number, box, QColor(20, 20, 22), 8.0);
    drawDigit(p, number, box, colour.lighter(130));
}

// A nozzle beside the band blows a short flame over it.
void drawSmallFlame(QPainter &p)
{
    const qreal y = 38;
    const QPointF base(210, y);
    QPainterPath flame;
    flame.moveTo(92, y);
    flame.cubicTo(130, y - 34, 180, y - 30, base.x(), y - 15);
    flame.lineTo(base.x(), y + 15);
    flame.cubicTo(180, y + 30, 130, y + 34, 92, y);
    const struct { qreal s; QColor c; } layers[] = {
        {1.0, QColor(240, 90, 20)}, {0.72, QColor(255, 170, 30)}, {0.44, QColor(255, 236, 150)}};
    p.setPen(Qt::NoPen);
    for (const auto &l : layers) {
        QTransform t;
        t.translate(base.x(), base.y());
        t.scale(l.s, l.s);
        t.translate(-base.x(), -base.y());
        p.setBrush(l.c);
        p.drawPath(t.map(flame));
    }
    drawSteelBlock(p, QRectF(200, y - 12, 24, 24), QColor(170, 174, 182), 3);
    drawSteelBlock(p, QRectF(218, y - 32, 34, 64), kHousing, 5);
    drawRivet(p, QPointF(235, y - 20), 4, QColor(110, 114, 120));
    drawRivet(p, QPointF(235, y + 20), 4, QColor(110, 114, 120));
}

// A turret over the outlet whose barrel fires along the belt.
void drawLaserCannon(QPainter &p)
{
    const QPointF c(kMid, 62);
    const qreal r = 48;
    drawBeam(p, QPointF(kMid, 14), QPointF(kMid, -4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawEllipse(c + QPointF(4, 5), r, r);
    // A striped ring round the turret's base.
    QPainterPath ring;
    ring.addEllipse(c, r, r);
    p.save();
    p.setClipPath(ring);
    drawHazard(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 16);
    p.restore();
    p.setPen(QPen(QColor(20, 20, 22), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QRadialGradient g(c - QPointF(14, 14), 60);
    g.setColorAt(0, QColor(150, 154, 162));
    g.setColorAt(1, QColor(50, 52, 58));
    p.setPen(QPen(QColor(24, 24, 26), 2.5));
    p.setBrush(g);
    p.drawEllipse(c, r - 8, r - 8);
    drawSteelBlock(p, QRectF(kMid - 14, 12, 28, 44), QColor(96, 100, 108), 3);
    drawSteelBlock(p, QRectF(kMid - 18, 6, 36, 14), QColor(60, 62, 68), 3);
    drawLens(p, c + QPointF(0, 12), 15);
}

} // namespace

bool beltExtraDrawable(QChar extra)
{
    return extra >= QLatin1Char('0') && extra <= QLatin1Char('7');
}

void drawBeltExtra(QPainter &p, QChar extra)
{
    switch (extra.unicode()) {
    case '1': drawCrossLaser(p); break;
    case '2': drawPressHead(p, QColor(104, 108, 116)); break;
    case '3': drawCounterPress(p); break;
    case '4': drawPusher(p, false, QColor(90, 190, 255), 1); break;
    case '5': drawPusher(p, true, QColor(110, 225, 90), 2); break;
    case '6': drawSmallFlame(p); break;
    case '7': drawLaserCannon(p); break;
    default: break;
    }
}

} // namespace kestrix::tiles
