#include "Art.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace kestrix::tiles {

namespace {

const QColor kHazardYellow(248, 196, 24);
const QColor kHazardBlack(28, 28, 30);
const QColor kOutline(20, 20, 22);

} // namespace

QRectF sideRect(int side, qreal depth)
{
    switch (side) {
    case 0: return QRectF(0, kRef - depth, kRef, depth);
    case 1: return QRectF(kRef - depth, 0, depth, kRef);
    case 2: return QRectF(0, 0, kRef, depth);
    default: return QRectF(0, 0, depth, kRef);
    }
}

void turnToSide(QPainter &p, int side)
{
    // Local sides count counter-clockwise; QPainter turns clockwise.
    p.translate(kMid, kMid);
    p.rotate(-90.0 * (side - 2));
    p.translate(-kMid, -kMid);
}

void drawRivet(QPainter &p, QPointF centre, qreal radius, const QColor &plate)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(centre + QPointF(1.2, 1.6), radius, radius);
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    g.setColorAt(0.0, plate.lighter(160));
    g.setColorAt(0.6, plate.lighter(105));
    g.setColorAt(1.0, plate.darker(160));
    p.setBrush(g);
    p.setPen(QPen(plate.darker(210), 1.0));
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void drawHazard(QPainter &p, const QRectF &rect, qreal period)
{
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.fillRect(rect, kHazardYellow);
    p.setPen(Qt::NoPen);
    p.setBrush(kHazardBlack);
    const qreal span = rect.width() + rect.height();
    for (qreal x = -span; x < span; x += period) {
        const qreal x0 = rect.left() + x;
        QPolygonF stripe;
        stripe << QPointF(x0, rect.bottom()) << QPointF(x0 + period / 2, rect.bottom())
               << QPointF(x0 + period / 2 + rect.height(), rect.top())
               << QPointF(x0 + rect.height(), rect.top());
        p.drawPolygon(stripe);
    }
    p.restore();
}

void drawWalls(QPainter &p, const QList<int> &sides)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int s : sides) {
        // Shadow cast on the floor beside the bar.
        const QRectF shade = sideRect(s, kWall + 9);
        QLinearGradient g;
        switch (s) {
        case 0: g = QLinearGradient(0, kRef - kWall, 0, kRef - kWall - 9); break;
        case 1: g = QLinearGradient(kRef - kWall, 0, kRef - kWall - 9, 0); break;
        case 2: g = QLinearGradient(0, kWall, 0, kWall + 9); break;
        default: g = QLinearGradient(kWall, 0, kWall + 9, 0); break;
        }
        g.setColorAt(0, QColor(0, 0, 0, 110));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(shade, g);
    }
    for (int s : sides) {
        const QRectF bar = sideRect(s, kWall);
        drawHazard(p, bar);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kOutline, 3.0));
        p.drawRect(bar.adjusted(1.5, 1.5, -1.5, -1.5));
        // A light edge on the top face makes the bar read as raised.
        p.setPen(QPen(QColor(255, 240, 170, 150), 2.0));
        p.drawRect(bar.adjusted(4.5, 4.5, -4.5, -4.5));
        p.setPen(Qt::NoPen);
    }
    // Posts where two walls meet.
    const QPointF corners[4] = {QPointF(kRef, kRef), QPointF(kRef, 0), QPointF(0, 0), QPointF(0, kRef)};
    for (int s = 0; s < 4; ++s) {
        const int next = (s + 1) % 4;
        if (!sides.contains(s) || !sides.contains(next))
            continue;
        // Side s and side s + 1 meet at the corner between them.
        const QPointF c = corners[s];
        const qreal d = kWall + 6;
        const QRectF post(c.x() < kMid ? 0 : kRef - d, c.y() < kMid ? 0 : kRef - d, d, d);
        drawSteelBlock(p, post, QColor(88, 92, 98), 3.0);
        drawRivet(p, post.center(), 6.0, QColor(130, 134, 140));
    }
    p.restore();
}

QPainterPath blobPath(QPointF centre, qreal radius, int points, qreal wobble, Rng &rng)
{
    QList<QPointF> pts;
    for (int i = 0; i < points; ++i) {
        const qreal a = 2.0 * M_PI * i / points + rng.range(-0.2, 0.2);
        const qreal r = radius * (1.0 + rng.range(-wobble, wobble));
        pts << centre + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    // Catmull-Rom through the points, as cubic Bezier segments.
    QPainterPath path(pts[0]);
    for (int i = 0; i < points; ++i) {
        const QPointF p0 = pts[(i + points - 1) % points];
        const QPointF p1 = pts[i];
        const QPointF p2 = pts[(i + 1) % points];
        const QPointF p3 = pts[(i + 2) % points];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

void drawSteelBlock(QPainter &p, const QRectF &rect, const QColor &base, qreal radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(rect.translated(2.5, 3.5), radius, radius);
    QLinearGradient g(rect.topLeft(), rect.bottomRight());
    g.setColorAt(0.0, base.lighter(135));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, base.darker(135));
    p.setBrush(g);
    p.setPen(QPen(base.darker(220), 2.0));
    p.drawRoundedRect(rect, radius, radius);
    p.restore();
}

void drawBeam(QPainter &p, QPointF from, QPointF to)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const struct { qreal width; QColor colour; } layers[] = {
        {40.0, QColor(255, 30, 20, 40)},
        {24.0, QColor(255, 40, 30, 90)},
        {12.0, QColor(255, 60, 40, 220)},
        {5.0, QColor(255, 215, 200)},
    };
    for (const auto &layer : layers) {
        p.setPen(QPen(layer.colour, layer.width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(from, to);
    }
    p.restore();
}

void drawChevron(QPainter &p, QPointF centre, qreal angle, qreal scale, const QColor &fill)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.scale(scale, scale);
    QPolygonF shape;
    shape << QPointF(-34, 12) << QPointF(0, -22) << QPointF(34, 12) << QPointF(34, 30) << QPointF(0, -4)
          << QPointF(-34, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPolygon(shape.translated(2, 3));
    p.setBrush(fill);
    p.setPen(QPen(fill.darker(200), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(shape);
    p.restore();
}

} // namespace kestrix::tiles
