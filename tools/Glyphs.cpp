#include "Glyphs.h"

#include "Canvas.h"

#include <QPolygonF>

namespace kestrix::tiles {

namespace {

constexpr int kMarkFactor = 6;

// Seven segments a..g: top, top right, bottom right, bottom, bottom left,
// top left, middle.
const char *const kSegmentsLit[] = {"", "bc", "abged", "abgcd", "fgbc", "afgcd"};

QPolygonF segment(char name)
{
    const qreal w = 0.6, t = 0.13, g = 0.02;
    const qreal ht = t / 2;
    auto horizontal = [&](qreal y) {
        return QPolygonF{QPointF(ht + g, y), QPointF(t + g, y - ht), QPointF(w - t - g, y - ht),
                         QPointF(w - ht - g, y), QPointF(w - t - g, y + ht), QPointF(t + g, y + ht)};
    };
    auto vertical = [&](qreal x, qreal y0, qreal y1) {
        return QPolygonF{QPointF(x, y0 + g), QPointF(x + ht, y0 + ht + g), QPointF(x + ht, y1 - ht - g),
                         QPointF(x, y1 - g), QPointF(x - ht, y1 - ht - g), QPointF(x - ht, y0 + ht + g)};
    };
    switch (name) {
    case 'a': return horizontal(ht);
    case 'b': return vertical(w - ht, ht, 0.5);
    case 'c': return vertical(w - ht, 0.5, 1 - ht);
    case 'd': return horizontal(1 - ht);
    case 'e': return vertical(ht, 0.5, 1 - ht);
    case 'f': return vertical(ht, ht, 0.5);
    default: return horizontal(0.5);
    }
}

QTransform boxTransform(const QRectF &box)
{
    // The digit box is 0.6 x 1; keep its proportions and centre it.
    const qreal scale = qMin(box.width() / 0.6, box.height());
    QTransform t;
    t.translate(box.center().x() - 0.3 * scale, box.center().y() - 0.5 * scale);
    t.scale(scale, scale);
    return t;
}

} // namespace

QPainterPath digitStroke(int digit)
{
    QPainterPath p;
    switch (digit) {
    case 1:
        p.moveTo(0.12, 0.2);
        p.lineTo(0.34, 0.0);
        p.lineTo(0.34, 1.0);
        p.moveTo(0.1, 1.0);
        p.lineTo(0.56, 1.0);
        break;
    case 2:
        p.moveTo(0.04, 0.24);
        p.cubicTo(0.08, -0.06, 0.56, -0.06, 0.56, 0.27);
        p.cubicTo(0.56, 0.5, 0.2, 0.7, 0.04, 1.0);
        p.lineTo(0.58, 1.0);
        break;
    case 3:
        p.moveTo(0.05, 0.12);
        p.cubicTo(0.22, -0.06, 0.56, -0.02, 0.54, 0.24);
        p.cubicTo(0.52, 0.43, 0.32, 0.47, 0.2, 0.47);
        p.cubicTo(0.44, 0.47, 0.6, 0.57, 0.58, 0.74);
        p.cubicTo(0.56, 1.03, 0.18, 1.05, 0.03, 0.87);
        break;
    case 4:
        p.moveTo(0.44, 1.0);
        p.lineTo(0.44, 0.0);
        p.lineTo(0.02, 0.68);
        p.lineTo(0.6, 0.68);
        break;
    case 5:
        p.moveTo(0.54, 0.0);
        p.lineTo(0.12, 0.0);
        p.lineTo(0.08, 0.44);
        p.cubicTo(0.3, 0.35, 0.6, 0.4, 0.58, 0.7);
        p.cubicTo(0.56, 1.03, 0.18, 1.05, 0.03, 0.87);
        break;
    default: break;
    }
    return p;
}

QPainterPath digitSegments(int digit, bool lit)
{
    const QByteArray on = (digit >= 1 && digit <= 5) ? QByteArray(kSegmentsLit[digit]) : QByteArray();
    QPainterPath path;
    for (char s : QByteArray("abcdefg")) {
        if (on.contains(s) == lit)
            path.addPolygon(segment(s));
    }
    path.closeSubpath();
    return path;
}

void drawDigit(QPainter &p, int digit, const QRectF &box, const QColor &colour, qreal widen)
{
    const QTransform t = boxTransform(box);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 0.17 * t.m11() + widen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t.map(digitStroke(digit)));
    p.restore();
}

QImage stepGlyph(int set, int step)
{
    const QRectF box(kMarkSize * 0.28, kMarkSize * 0.16, kMarkSize * 0.44, kMarkSize * 0.68);
    return renderKeyed(kMarkSize, kMarkSize, kMarkFactor, [&](QPainter &p) {
        if (set == 1) {
            drawDigit(p, step, box, QColor(14, 14, 16));
            return;
        }
        // An LED display: dim bars behind the lit ones.
        const QTransform t = boxTransform(box.adjusted(-1, -2, 1, 2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(78, 22, 18));
        p.drawPath(t.map(digitSegments(step, false)));
        p.setBrush(QColor(255, 74, 36));
        p.drawPath(t.map(digitSegments(step, true)));
    }, Qt::white);
}

QImage stepBackground(int number)
{
    return renderKeyed(kMarkSize, kMarkSize, kMarkFactor, [&](QPainter &p) {
        const QRectF r(1, 1, kMarkSize - 2, kMarkSize - 2);
        if (number == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(16, 16, 18));
            p.drawEllipse(r);
            p.setBrush(QColor(255, 206, 20));
            p.drawEllipse(r.adjusted(5, 5, -5, -5));
            p.setBrush(QColor(255, 232, 120));
            p.drawEllipse(r.adjusted(10, 8, -24, -34));
            p.setBrush(QColor(255, 206, 20));
            p.drawEllipse(r.adjusted(10, 12, -10, -9));
            return;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 154, 160));
        p.drawRoundedRect(r, 9, 9);
        p.setBrush(QColor(60, 62, 66));
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 7, 7);
        p.setBrush(QColor(22, 14, 14));
        p.drawRoundedRect(r.adjusted(6, 6, -6, -6), 5, 5);
    }, Qt::white);
}

} // namespace kestrix::tiles
