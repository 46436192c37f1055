#include "BeltArt.h"

#include "Art.h"
#include "BeltExtraArt.h"
#include "FloorArt.h"

#include <QLinearGradient>

#include <cmath>
#include <stdexcept>

namespace kestrix::tiles {

namespace {

constexpr qreal kHalf = 72.0;  // half the band width
constexpr qreal kOver = 24.0;  // how far the band runs past the tile edge

const QColor kRubber(50, 52, 56);

struct BeltStyle
{
    QColor arrow;
    QColor rail;
    bool express;
};

BeltStyle styleOf(QChar family)
{
    if (family == QLatin1Char('1'))
        return {QColor(70, 170, 255), QColor(30, 92, 170), true};
    return {QColor(255, 150, 30), QColor(176, 92, 14), false};
}

// Side codes seen with the outlet turned to the top: back (canonical side 0),
// right (1), left (3).
struct Flow
{
    bool backIn;
    bool rightIn;
    bool leftIn;
    bool curve() const { return !backIn && (rightIn != leftIn); }
    bool start() const { return !backIn && !rightIn && !leftIn; }
};

QRectF trunkRect() { return QRectF(kMid - kHalf, -kOver, 2 * kHalf, kMid + kOver); }
QRectF backRect(bool start) { return QRectF(kMid - kHalf, kMid - 1, 2 * kHalf, start ? kRef - kMid - 15 : kMid + kOver + 1); }
QRectF stubRect(bool right)
{
    return right ? QRectF(kMid, kMid - kHalf, kMid + kOver, 2 * kHalf) : QRectF(-kOver, kMid - kHalf, kMid + kOver, 2 * kHalf);
}

QPainterPath united(const QPainterPath &path, const QRectF &rect)
{
    QPainterPath r;
    r.addRect(rect);
    return path.united(r);
}

QPointF curveCentre(bool right) { return right ? QPointF(kRef, 0) : QPointF(0, 0); }

QPainterPath curvePath(bool right)
{
    // A quarter ring around the top corner on the input's side, joining the
    // input edge to the top edge.
    const QPointF c = curveCentre(right);
    const qreal r0 = kMid - kHalf, r1 = kMid + kHalf;
    QPainterPath ring;
    ring.addEllipse(c, r1, r1);
    QPainterPath hole;
    hole.addEllipse(c, r0, r0);
    QPainterPath quadrant;
    quadrant.addRect(right ? QRectF(c.x() - r1, 0, r1, r1) : QRectF(0, 0, r1, r1));
    QPainterPath path = ring.subtracted(hole).intersected(quadrant);
    path = united(path, QRectF(kMid - kHalf, -kOver, 2 * kHalf, kOver + 1));
    return united(path, right ? QRectF(kRef - 1, kMid - kHalf, kOver + 1, 2 * kHalf)
                              : QRectF(-kOver, kMid - kHalf, kOver + 1, 2 * kHalf));
}

QPainterPath bandPath(const Flow &f)
{
    if (f.curve())
        return curvePath(f.rightIn);
    QPainterPath band = united(QPainterPath(), trunkRect());
    if (f.backIn || f.start())
        band = united(band, backRect(f.start()));
    if (f.rightIn)
        band = united(band, stubRect(true));
    if (f.leftIn)
        band = united(band, stubRect(false));
    return band;
}

void drawRibs(QPainter &p, const Flow &f, const QPainterPath &band)
{
    p.save();
    p.setClipPath(band);
    p.setPen(QPen(QColor(36, 37, 40), 3.0));
    if (f.curve()) {
        const QPointF c = curveCentre(f.rightIn);
        for (int i = 1; i < 10; ++i) {
            const qreal a = M_PI / 2 * i / 10.0;
            const QPointF dir(f.rightIn ? -std::sin(a) : std::sin(a), std::cos(a));
            p.drawLine(c + dir * (kMid - kHalf), c + dir * (kMid + kHalf));
        }
        for (qreal y = 0; y > -kOver; y -= 16)
            p.drawLine(QPointF(kMid - kHalf, y - 8), QPointF(kMid + kHalf, y - 8));
    } else {
        for (qreal y = 8; y < kRef; y += 16)
            p.drawLine(QPointF(kMid - kHalf, y), QPointF(kMid + kHalf, y));
        p.setClipRect(QRectF(kMid + kHalf, 0, kMid, kRef), Qt::IntersectClip);
        p.setClipPath(band, Qt::IntersectClip);
        for (qreal x = kRef - 8; x > kMid + kHalf; x -= 16)
            p.drawLine(QPointF(x, kMid - kHalf), QPointF(x, kMid + kHalf));
        p.setClipPath(band);
        p.setClipRect(QRectF(0, 0, kMid - kHalf, kRef), Qt::IntersectClip);
        for (qreal x = 8; x < kMid - kHalf; x += 16)
            p.drawLine(QPointF(x, kMid - kHalf), QPointF(x, kMid + kHalf));
    }
    p.restore();
}

void drawRoller(QPainter &p)
{
    const QRectF r(kMid - kHalf - 6, kRef - 40, 2 * kHalf + 12, 22);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(200, 204, 210));
    g.setColorAt(0.45, QColor(120, 124, 130));
    g.setColorAt(1, QColor(56, 58, 62));
    p.setPen(QPen(QColor(24, 24, 26), 2.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 9, 9);
}

void arrow(QPainter &p, QPointF at, qreal angle, const BeltStyle &s)
{
    if (!s.express) {
        drawChevron(p, at, angle, 1.15, s.arrow);
        return;
    }
    const qreal rad = qDegreesToRadians(angle);
    const QPointF step(std::sin(rad) * 17, -std::cos(rad) * 17);
    drawChevron(p, at - step, angle, 1.0, s.arrow);
    drawChevron(p, at + step, angle, 1.0, s.arrow);
}

// With `topCovered` an extra element hides the outlet edge, so the arrows
// there move below it.
void drawArrows(QPainter &p, const Flow &f, const BeltStyle &s, bool topCovered)
{
    if (f.curve()) {
        const qreal a = qDegreesToRadians(topCovered ? 28.0 : 45.0);
        const QPointF c = curveCentre(f.rightIn);
        const QPointF at = c + QPointF(f.rightIn ? -std::sin(a) * kMid : std::sin(a) * kMid, std::cos(a) * kMid);
        arrow(p, at, f.rightIn ? -90.0 + qRadiansToDegrees(a) : 90.0 - qRadiansToDegrees(a), s);
        return;
    }
    arrow(p, QPointF(kMid, topCovered ? 110 : 52), 0, s);
    if (f.backIn || f.start())
        arrow(p, QPointF(kMid, f.start() ? 172 : 196), 0, s);
    if (f.rightIn)
        arrow(p, QPointF(kRef - 40, kMid), -90, s);
    if (f.leftIn)
        arrow(p, QPointF(40, kMid), 90, s);
}

} // namespace

void drawBelt(QPainter &p, const QString &pattern, const QList<int> &wallSides)
{
    const QString sides = pattern.mid(1, 4);
    if (pattern.size() != 6 || sides.count(QLatin1Char('3')) != 1 || !beltExtraDrawable(pattern.at(5)))
        throw std::runtime_error(QStringLiteral("no picture for belt pattern %1").arg(pattern).toStdString());
    const int outlet = int(sides.indexOf(QLatin1Char('3')));
    auto code = [&](int canonicalSide) { return pattern.at(1 + (canonicalSide + outlet + 2) % 4); };
    const Flow flow{code(0) == QLatin1Char('2'), code(1) == QLatin1Char('2'), code(3) == QLatin1Char('2')};
    const BeltStyle style = styleOf(pattern.at(0));

    drawFloor(p, 0, 0);
    p.save();
    turnToSide(p, outlet);
    const QPainterPath band = bandPath(flow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(band.translated(3, 4));
    p.setBrush(kRubber);
    p.drawPath(band);
    drawRibs(p, flow, band);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.rail, 9.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(band);
    p.setPen(QPen(style.rail.lighter(150), 2.0));
    p.drawPath(band);
    if (flow.start())
        drawRoller(p);
    drawArrows(p, flow, style, pattern.at(5) != QLatin1Char('0'));
    p.restore();
    drawWalls(p, wallSides);
    if (pattern.at(5) != QLatin1Char('0')) {
        p.save();
        turnToSide(p, outlet);
        drawBeltExtra(p, pattern.at(5));
        p.restore();
    }
}

} // namespace kestrix::tiles
