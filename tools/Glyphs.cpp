#include "Glyphs.h"

#include "Canvas.h"

namespace kestrix::tiles {

namespace {

constexpr int kMarkFactor = 6;

// Digits 1..5 on a grid of 3 x 5 cells, top row first.
const char *const kCells[][5] = {
    {"", "", "", "", ""},
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "##.", "..#", "##."},
};

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

QPainterPath digitCells(int digit, bool lit)
{
    QPainterPath path;
    if (digit < 1 || digit > 5)
        return path;
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 3; ++col) {
            if ((kCells[digit][row][col] == '#') == lit)
                path.addRect(QRectF(col * 0.2 + 0.01, row * 0.2 + 0.01, 0.18, 0.18));
        }
    }
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
    const QRectF box(kMarkSize * 0.27, kMarkSize * 0.18, kMarkSize * 0.46, kMarkSize * 0.64);
    return renderKeyed(kMarkSize, kMarkSize, kMarkFactor, [&](QPainter &p) {
        if (set == 1) {
            // Bold, so the digit survives the reduction to board size.
            drawDigit(p, step, box, QColor(14, 14, 16), kMarkSize / 26.0);
            return;
        }
        // An LED matrix: dim cells behind the lit ones. Its cells stay about
        // two pixels wide on a board field.
        const QTransform t = boxTransform(QRectF(kMarkSize * 0.2, kMarkSize * 0.14, kMarkSize * 0.6, kMarkSize * 0.72));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(44, 16, 14));
        p.drawPath(t.map(digitCells(step, false)));
        p.setBrush(QColor(255, 74, 36));
        p.drawPath(t.map(digitCells(step, true)));
    }, Qt::white);
}

QImage stepBackground(int number)
{
    return renderKeyed(kMarkSize, kMarkSize, kMarkFactor, [&](QPainter &p) {
        const QRectF r(1, 1, kMarkSize - 2, kMarkSize - 2);
        if (number == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(122, 74, 0));
            p.drawEllipse(r);
            p.setBrush(QColor(255, 206, 20));
            p.drawEllipse(r.adjusted(4, 4, -4, -4));
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
