#pragma once

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace kestrix::tiles {

// Every tile is drawn in the coordinates of its large picture; the board
// picture is the same drawing scaled down.
inline constexpr qreal kRef = 253.0;
inline constexpr qreal kMid = kRef / 2.0;
// Depth of a wall bar along a tile edge.
inline constexpr qreal kWall = 36.0;

// A small deterministic generator, so every build draws the same scratches
// and stains on every machine.
class Rng
{
public:
    explicit Rng(quint32 seed) : m_state(seed * 2654435761u + 0x9E3779B9u) { next(); }
    quint32 next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    qreal uniform() { return next() / 4294967296.0; }
    qreal range(qreal lo, qreal hi) { return lo + (hi - lo) * uniform(); }

private:
    quint32 m_state;
};

// The band of depth `depth` along local side `side` (0 bottom, 1 right,
// 2 top, 3 left).
QRectF sideRect(int side, qreal depth);

// Turns the painter so that the canonical top (side 2) lands on `side`.
void turnToSide(QPainter &p, int side);

void drawRivet(QPainter &p, QPointF centre, qreal radius, const QColor &plate);
// Yellow and black warning stripes filling `rect`.
void drawHazard(QPainter &p, const QRectF &rect, qreal period = 28.0);
// Thick striped wall bars on the given local sides, with shadows and posts.
void drawWalls(QPainter &p, const QList<int> &sides);
// A closed, smooth, irregular outline around `centre`.
QPainterPath blobPath(QPointF centre, qreal radius, int points, qreal wobble, Rng &rng);
// Steel plate with a light top-left and dark bottom-right bevel.
void drawSteelBlock(QPainter &p, const QRectF &rect, const QColor &base, qreal radius = 4.0);
// A red laser beam from `from` to `to`, glowing.
void drawBeam(QPainter &p, QPointF from, QPointF to);
// An arrow head pointing along `angle` degrees (0 = up, clockwise).
void drawChevron(QPainter &p, QPointF centre, qreal angle, qreal scale, const QColor &fill);

} // namespace kestrix::tiles
