#include "FloorArt.h"

#include "Art.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace kestrix::tiles {

namespace {

const QColor kSeam(46, 48, 52);

void drawBrushed(QPainter &p, Rng &rng, bool vertical)
{
    for (int i = 0; i < 70; ++i) {
        const qreal at = rng.range(4, kRef - 4);
        const qreal from = rng.range(4, kRef - 60);
        const qreal len = rng.range(30, 160);
        const bool light = rng.uniform() < 0.5;
        p.setPen(QPen(light ? QColor(255, 255, 255, 18) : QColor(0, 0, 0, 16), 1.2));
        if (vertical)
            p.drawLine(QPointF(at, from), QPointF(at, std::min(from + len, kRef - 4)));
        else
            p.drawLine(QPointF(from, at), QPointF(std::min(from + len, kRef - 4), at));
    }
}

void drawTread(QPainter &p, const QColor &base)
{
    // Raised diamond bars of a tread plate, alternating in direction.
    const qreal step = 26.0;
    for (int row = 0; row * step < kRef; ++row) {
        for (int col = 0; col * step < kRef + step; ++col) {
            const QPointF c(col * step + (row % 2 ? step / 2 : 0) + 6, row * step + 13);
            if (c.x() < 10 || c.x() > kRef - 10 || c.y() > kRef - 10)
                continue;
            p.save();
            p.translate(c);
            p.rotate((row + col) % 2 ? 45 : -45);
            p.setPen(Qt::NoPen);
            p.setBrush(base.darker(135));
            p.drawRoundedRect(QRectF(-7, -2, 16, 6), 3, 3);
            p.setBrush(base.lighter(125));
            p.drawRoundedRect(QRectF(-8, -3.5, 16, 6), 3, 3);
            p.restore();
        }
    }
}

void drawScratches(QPainter &p, Rng &rng, int count)
{
    for (int i = 0; i < count; ++i) {
        const QPointF a(rng.range(30, kRef - 30), rng.range(30, kRef - 30));
        const qreal angle = rng.range(0, M_PI);
        const qreal len = rng.range(12, 46);
        const QPointF b = a + QPointF(std::cos(angle) * len, std::sin(angle) * len);
        p.setPen(QPen(QColor(0, 0, 0, 55), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a + QPointF(0.8, 1.0), b + QPointF(0.8, 1.0));
        p.setPen(QPen(QColor(255, 255, 255, 90), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    }
}

void drawStain(QPainter &p, Rng &rng, const QColor &colour, qreal radius)
{
    const QPointF c(rng.range(60, kRef - 60), rng.range(60, kRef - 60));
    QRadialGradient g(c, radius * 1.2);
    QColor inner = colour;
    QColor outer = colour;
    outer.setAlpha(0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(blobPath(c, radius, 9, 0.3, rng));
}

void drawPatch(QPainter &p, Rng &rng, const QColor &base)
{
    const QRectF r(rng.range(40, 110), rng.range(40, 120), 92, 70);
    drawSteelBlock(p, r, base.darker(104), 2.0);
    p.setPen(QPen(QColor(60, 58, 55, 120), 2.0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(-2, -2, 2, 2));
    for (const QPointF c : {r.topLeft() + QPointF(9, 9), r.topRight() + QPointF(-9, 9),
                            r.bottomLeft() + QPointF(9, -9), r.bottomRight() + QPointF(-9, -9)})
        drawRivet(p, c, 4.0, base);
}

void drawDrain(QPainter &p, const QColor &base)
{
    const QRectF r(kMid - 38, kMid - 38, 76, 76);
    p.setPen(QPen(base.darker(200), 2.0));
    p.setBrush(base.darker(118));
    p.drawRoundedRect(r, 6, 6);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const QRectF slot(r.left() + 12, r.top() + 10 + i * 12.5, r.width() - 24, 6);
        p.setBrush(QColor(18, 18, 20));
        p.drawRoundedRect(slot, 3, 3);
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRect(QRectF(slot.left() + 3, slot.bottom(), slot.width() - 6, 1.5));
    }
    for (const QPointF c : {r.topLeft() + QPointF(6, 6), r.topRight() + QPointF(-6, 6),
                            r.bottomLeft() + QPointF(6, -6), r.bottomRight() + QPointF(-6, -6)})
        drawRivet(p, c, 3.0, base);
}

void drawBevel(QPainter &p, const QRectF &plate, const QColor &base)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(base.lighter(140), 3.0));
    p.drawLine(plate.topLeft() + QPointF(1.5, 1.5), plate.topRight() + QPointF(-1.5, 1.5));
    p.drawLine(plate.topLeft() + QPointF(1.5, 1.5), plate.bottomLeft() + QPointF(1.5, -1.5));
    p.setPen(QPen(base.darker(155), 3.0));
    p.drawLine(plate.bottomLeft() + QPointF(1.5, -1.5), plate.bottomRight() + QPointF(-1.5, -1.5));
    p.drawLine(plate.topRight() + QPointF(-1.5, 1.5), plate.bottomRight() + QPointF(-1.5, -1.5));
}

// The surface of each group's plates: brushed, two narrow plates, or tread.
void drawFloorSurface(QPainter &p, Rng &rng, int group, const QColor &base)
{
    switch (group) {
    case 0: drawBrushed(p, rng, false); break;
    case 1:
        drawBrushed(p, rng, true);
        // Two narrow plates with a seam down the middle.
        p.fillRect(QRectF(kMid - 2, 3, 4, kRef - 6), kSeam);
        p.fillRect(QRectF(kMid + 2, 3, 2, kRef - 6), base.lighter(130));
        for (int i = 0; i < 4; ++i) {
            drawRivet(p, QPointF(kMid - 12, 50 + i * 51), 4.5, base);
            drawRivet(p, QPointF(kMid + 14, 50 + i * 51), 4.5, base);
        }
        break;
    default: drawTread(p, base); break;
    }
}

// What a variant adds: scratches, stains, a patch or a drain.
void drawFloorWear(QPainter &p, Rng &rng, int variant, const QColor &base)
{
    switch (variant) {
    case 1: drawScratches(p, rng, 4); break;
    case 2:
        drawScratches(p, rng, 12);
        drawStain(p, rng, QColor(20, 20, 26, 90), 22);
        break;
    case 3: drawPatch(p, rng, base); break;
    case 4: drawDrain(p, base); break;
    case 5:
        drawStain(p, rng, QColor(125, 72, 36, 90), 34);
        drawStain(p, rng, QColor(125, 72, 36, 70), 20);
        drawScratches(p, rng, 6);
        break;
    default: break;
    }
}

} // namespace

QColor floorColour(int group)
{
    switch (group) {
    case 0: return QColor(150, 154, 158);
    case 1: return QColor(102, 110, 120);
    default: return QColor(142, 140, 136);
    }
}

void drawFloor(QPainter &p, int group, int variant)
{
    p.save();
    const QColor base = floorColour(group);
    Rng rng(quint32(group * 100 + variant + 1));
    p.fillRect(QRectF(0, 0, kRef, kRef), kSeam);
    const QRectF plate(2.5, 2.5, kRef - 5, kRef - 5);
    QLinearGradient g(0, 0, kRef * 0.3, kRef);
    g.setColorAt(0, base.lighter(110));
    g.setColorAt(1, base.darker(110));
    p.fillRect(plate, g);

    drawFloorSurface(p, rng, group, base);
    drawFloorWear(p, rng, variant, base);
    drawBevel(p, plate, base);

    const qreal inset = 15.0;
    for (const QPointF c : {QPointF(inset, inset), QPointF(kRef - inset, inset), QPointF(inset, kRef - inset),
                            QPointF(kRef - inset, kRef - inset)})
        drawRivet(p, c, 6.5, base);
    if (variant == 1 || variant == 4) {
        for (const QPointF c : {QPointF(kMid, inset), QPointF(kMid, kRef - inset), QPointF(inset, kMid),
                                QPointF(kRef - inset, kMid)})
            if (group != 1 || c.x() != kMid)
                drawRivet(p, c, 6.5, base);
    }
    p.restore();
}

} // namespace kestrix::tiles
