#include "ElementArt.h"

#include "Art.h"
#include "Glyphs.h"

#include <QHash>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace kestrix::tiles {

namespace {

// ---- pits ----------------------------------------------------------------

enum class PitFill { Hole, Acid };

// The floor of a pit: bubbling acid, or a hole fading into the dark.
void drawPitFloor(QPainter &p, const QRectF &floor, int open, PitFill fill)
{
    if (fill == PitFill::Acid) {
        QLinearGradient g(floor.topLeft(), floor.bottomRight());
        g.setColorAt(0, QColor(150, 230, 60));
        g.setColorAt(1, QColor(40, 140, 40));
        p.fillRect(floor, g);
        Rng rng(77 + open);
        p.setPen(QPen(QColor(220, 255, 170, 200), 2.0));
        p.setBrush(QColor(190, 250, 120, 120));
        for (int i = 0; i < 12; ++i) {
            const qreal r = rng.range(3, 10);
            const QPointF c(rng.range(floor.left() + r + 2, floor.right() - r - 2),
                            rng.range(floor.top() + r + 2, floor.bottom() - r - 2));
            p.drawEllipse(c, r, r);
        }
    } else {
        QRadialGradient g(floor.center(), floor.width() * 0.75);
        g.setColorAt(0, QColor(2, 2, 4));
        g.setColorAt(1, QColor(16, 16, 20));
        p.fillRect(floor, g);
    }
}

// A pit whose hole runs on to the neighbouring field on the sides in `open`
// (bit s for local side s); the other sides get a striped rim.
void drawPit(QPainter &p, int open, PitFill fill)
{
    const qreal rim = 20.0, margin = 9.0;
    QRectF outer(margin, margin, kRef - 2 * margin, kRef - 2 * margin);
    QRectF hole = outer.adjusted(rim, rim, -rim, -rim);
    if (open & 1) { outer.setBottom(kRef); hole.setBottom(kRef); }
    if (open & 2) { outer.setRight(kRef); hole.setRight(kRef); }
    if (open & 4) { outer.setTop(0); hole.setTop(0); }
    if (open & 8) { outer.setLeft(0); hole.setLeft(0); }

    drawHazard(p, outer, 24);
    p.setPen(QPen(QColor(20, 20, 22), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outer);

    // Inner walls on the closed sides, lit from the top, around the floor of
    // the pit; on open sides the pit runs on into the next field.
    QRectF floor = hole;
    if (!(open & 4)) floor.setTop(hole.top() + 30);
    if (!(open & 8)) floor.setLeft(hole.left() + 22);
    if (!(open & 2)) floor.setRight(hole.right() - 22);
    if (!(open & 1)) floor.setBottom(hole.bottom() - 14);
    const struct { QPolygonF shape; QColor colour; } walls[] = {
        {QPolygonF{hole.topLeft(), hole.topRight(), floor.topRight(), floor.topLeft()}, QColor(92, 92, 98)},
        {QPolygonF{hole.topLeft(), floor.topLeft(), floor.bottomLeft(), hole.bottomLeft()}, QColor(62, 62, 68)},
        {QPolygonF{hole.topRight(), hole.bottomRight(), floor.bottomRight(), floor.topRight()}, QColor(42, 42, 48)},
        {QPolygonF{hole.bottomLeft(), floor.bottomLeft(), floor.bottomRight(), hole.bottomRight()}, QColor(30, 30, 34)},
    };
    p.setPen(Qt::NoPen);
    for (const auto &w : walls) {
        const QColor c = fill == PitFill::Acid ? QColor(w.colour.red() / 2, w.colour.green(), w.colour.blue() / 2) : w.colour;
        QLinearGradient g(w.shape.boundingRect().topLeft(), w.shape.boundingRect().bottomRight());
        g.setColorAt(0, c);
        g.setColorAt(1, c.darker(160));
        p.setBrush(g);
        p.drawPolygon(w.shape);
    }
    drawPitFloor(p, floor, open, fill);
}

void drawBridge(QPainter &p)
{
    drawPit(p, 0, PitFill::Hole);
    const QRectF deck(kMid - 46, 0, 92, kRef);
    p.fillRect(deck.translated(10, 0), QColor(0, 0, 0, 110));
    QLinearGradient g(deck.topLeft(), deck.topRight());
    g.setColorAt(0, QColor(120, 124, 130));
    g.setColorAt(0.5, QColor(160, 164, 170));
    g.setColorAt(1, QColor(110, 114, 120));
    p.fillRect(deck, g);
    p.setPen(QPen(QColor(90, 94, 100), 3.0));
    for (qreal y = 10; y < kRef; y += 20)
        p.drawLine(QPointF(deck.left() + 10, y), QPointF(deck.right() - 10, y));
    for (const qreal x : {deck.left(), deck.right() - 10}) {
        const QRectF rail(x, 0, 10, kRef);
        drawHazard(p, rail, 20);
        p.setPen(QPen(QColor(20, 20, 22), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rail);
    }
}

// ---- oil -----------------------------------------------------------------

void drawSlick(QPainter &p, const QPainterPath &shape, Rng &rng)
{
    const QRectF b = shape.boundingRect();
    QRadialGradient g(b.center() - QPointF(b.width() * 0.15, b.height() * 0.15), qMax(b.width(), b.height()) * 0.7);
    g.setColorAt(0, QColor(40, 34, 52));
    g.setColorAt(1, QColor(10, 9, 14));
    p.setPen(QPen(QColor(70, 58, 96, 160), 2.0));
    p.setBrush(g);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    // Thin-film colours on the surface.
    const QColor sheen[] = {QColor(150, 70, 220, 70), QColor(40, 180, 200, 60), QColor(220, 180, 60, 50)};
    for (int i = 0; i < 3; ++i) {
        const QPointF c = b.center() + QPointF(rng.range(-0.3, 0.3) * b.width(), rng.range(-0.3, 0.3) * b.height());
        const qreal r = rng.range(0.25, 0.45) * b.width();
        p.setPen(QPen(sheen[i], qMax(3.0, b.width() * 0.06)));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(rng.range(0, 360)) * 16, 120 * 16);
    }
    p.restore();
    // Gloss.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    const QPointF h = b.topLeft() + QPointF(b.width() * 0.3, b.height() * 0.28);
    p.drawEllipse(h, b.width() * 0.07, b.height() * 0.04);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(h + QPointF(b.width() * 0.12, b.height() * 0.06), b.width() * 0.03, b.height() * 0.02);
}

void drawOil(QPainter &p, int variant)
{
    Rng rng(3000 + variant);
    switch (variant) {
    case 0: drawSlick(p, blobPath(QPointF(kMid, kMid), 70, 9, 0.22, rng), rng); break;
    case 1: {
        QPainterPath big = blobPath(QPointF(kMid - 12, kMid - 8), 88, 11, 0.18, rng);
        big = big.united(blobPath(QPointF(kMid + 40, kMid + 44), 56, 8, 0.2, rng)).simplified();
        drawSlick(p, big, rng);
        break;
    }
    case 2: {
        // A trail of drops, as left by a leaking machine.
        for (int i = 0; i < 5; ++i) {
            const qreal t = i / 4.0;
            const QPointF c(50 + t * 150, 200 - t * 150 + std::sin(t * 6) * 12);
            drawSlick(p, blobPath(c, 30 - i * 4, 8, 0.2, rng), rng);
        }
        break;
    }
    default: {
        drawSlick(p, blobPath(QPointF(kMid, kMid), 46, 9, 0.25, rng), rng);
        for (int i = 0; i < 9; ++i) {
            const qreal a = 2 * M_PI * i / 9 + rng.range(-0.3, 0.3);
            const qreal d = rng.range(70, 100);
            drawSlick(p, blobPath(QPointF(kMid + std::cos(a) * d, kMid + std::sin(a) * d), rng.range(8, 16), 7, 0.2, rng), rng);
        }
        break;
    }
    }
}

// ---- lasers --------------------------------------------------------------

void drawEmitter(QPainter &p, qreal x)
{
    drawBeam(p, QPointF(x, 178), QPointF(x, -4));
    drawSteelBlock(p, QRectF(x - 30, 180, 60, 60), QColor(70, 74, 82), 6);
    drawRivet(p, QPointF(x - 20, 228), 4, QColor(110, 114, 120));
    drawRivet(p, QPointF(x + 20, 228), 4, QColor(110, 114, 120));
    QRadialGradient lens(QPointF(x - 4, 196), 18);
    lens.setColorAt(0, QColor(255, 235, 225));
    lens.setColorAt(0.35, QColor(255, 50, 30));
    lens.setColorAt(1, QColor(110, 0, 0));
    p.setPen(QPen(QColor(20, 20, 22), 3));
    p.setBrush(lens);
    p.drawEllipse(QPointF(x, 200), 15, 15);
}

// ---- counter elements ----------------------------------------------------

void drawPusher(QPainter &p)
{
    for (const qreal x : {92.0, 161.0}) {
        QLinearGradient g(x - 8, 0, x + 8, 0);
        g.setColorAt(0, QColor(120, 124, 130));
        g.setColorAt(0.4, QColor(235, 238, 242));
        g.setColorAt(1, QColor(90, 94, 100));
        p.fillRect(QRectF(x - 8, 168, 16, 60), g);
    }
    drawSteelBlock(p, QRectF(40, 200, kRef - 80, 28), QColor(80, 84, 92), 4);
    const QRectF plate(36, 138, kRef - 72, 32);
    drawSteelBlock(p, plate, QColor(120, 124, 132), 3);
    drawHazard(p, plate.adjusted(4, 4, -4, -18), 16);
    drawChevron(p, QPointF(kMid, 104), 0, 1.2, QColor(170, 210, 245));
    drawChevron(p, QPointF(kMid, 76), 0, 0.8, QColor(170, 210, 245));
}

void drawCrusherBlock(QPainter &p)
{
    const QRectF outer(28, 64, kRef - 56, kRef - 76);
    p.fillRect(outer.translated(5, 6), QColor(0, 0, 0, 90));
    drawHazard(p, outer, 22);
    p.setPen(QPen(QColor(20, 20, 22), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outer);
    const QRectF head = outer.adjusted(16, 16, -16, -16);
    drawSteelBlock(p, head, QColor(110, 114, 122), 3);
    // Teeth of the press face.
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QPointF c(head.left() + 20 + col * (head.width() - 40) / 3,
                            head.top() + 20 + row * (head.height() - 40) / 3);
            QPolygonF d{c + QPointF(0, -13), c + QPointF(13, 0), c + QPointF(0, 13), c + QPointF(-13, 0)};
            p.setPen(QPen(QColor(50, 52, 58), 1.5));
            p.setBrush(QColor(150, 154, 162));
            p.drawPolygon(d);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(70, 72, 78));
            p.drawPolygon(QPolygonF{c, c + QPointF(13, 0), c + QPointF(0, 13), c + QPointF(-13, 0)});
        }
    }
}

void drawFlamer(QPainter &p)
{
    QPainterPath flame;
    flame.moveTo(kMid, 66);
    flame.cubicTo(kMid + 30, 100, kMid + 52, 130, kMid + 26, 172);
    flame.lineTo(kMid - 26, 172);
    flame.cubicTo(kMid - 52, 130, kMid - 30, 100, kMid, 66);
    const struct { qreal s; QColor c; } layers[] = {
        {1.0, QColor(240, 90, 20)}, {0.72, QColor(255, 170, 30)}, {0.44, QColor(255, 236, 150)}};
    for (const auto &l : layers) {
        QTransform t;
        t.translate(kMid, 172);
        t.scale(l.s, l.s);
        t.translate(-kMid, -172);
        p.setPen(Qt::NoPen);
        p.setBrush(l.c);
        p.drawPath(t.map(flame));
    }
    drawSteelBlock(p, QRectF(kMid - 16, 166, 32, 30), QColor(170, 174, 182), 3);
    drawSteelBlock(p, QRectF(kMid - 40, 190, 80, 40), QColor(66, 70, 78), 5);
    drawRivet(p, QPointF(kMid - 28, 210), 4, QColor(110, 114, 120));
    drawRivet(p, QPointF(kMid + 28, 210), 4, QColor(110, 114, 120));
}

void drawGear(QPainter &p)
{
    const QPointF c(kMid, 96);
    QPainterPath gear;
    const int teeth = 12;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = 2 * M_PI * i / (teeth * 4);
        const qreal r = (i % 4 == 1 || i % 4 == 2) ? 88 : 72;
        const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(gear.translated(4, 5));
    QRadialGradient g(c - QPointF(25, 25), 120);
    g.setColorAt(0, QColor(190, 194, 200));
    g.setColorAt(1, QColor(90, 94, 102));
    p.setPen(QPen(QColor(40, 42, 46), 2.5));
    p.setBrush(g);
    p.drawPath(gear);
    p.setBrush(QColor(60, 62, 68));
    p.drawEllipse(c, 58, 58);
    // Two arrows round the hub: the element turns what stands on it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 150, 30), 11, Qt::SolidLine, Qt::FlatCap));
    const QRectF arc(c.x() - 38, c.y() - 38, 76, 76);
    p.drawArc(arc, 20 * 16, 130 * 16);
    p.drawArc(arc, 200 * 16, 130 * 16);
    for (const qreal a : {150.0, 330.0}) {
        const qreal rad = qDegreesToRadians(a);
        const QPointF tip = c + QPointF(std::cos(rad) * 38, -std::sin(rad) * 38);
        drawChevron(p, tip, -a, 0.5, QColor(255, 150, 30));
    }
    drawRivet(p, c, 12, QColor(150, 154, 160));
}

// ---- paired elements -----------------------------------------------------

QColor pairColour(int pair)
{
    switch (pair) {
    case 1: return QColor(40, 210, 235);
    case 2: return QColor(230, 70, 210);
    case 3: return QColor(80, 215, 90);
    case 4: return QColor(255, 150, 30);
    default: return QColor::fromHsv((pair * 67) % 360, 200, 240);
    }
}

void drawPad(QPainter &p, int pair, bool exit)
{
    const QColor colour = pairColour(pair);
    const QPointF c(kMid, kMid);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(4, 5), 108, 108);
    QRadialGradient ring(c - QPointF(30, 30), 160);
    ring.setColorAt(0, QColor(160, 164, 172));
    ring.setColorAt(1, QColor(60, 62, 68));
    p.setPen(QPen(QColor(30, 30, 34), 3));
    p.setBrush(ring);
    p.drawEllipse(c, 108, 108);
    QRadialGradient glow(c, 80);
    glow.setColorAt(0, colour.lighter(160));
    glow.setColorAt(0.7, colour);
    glow.setColorAt(1, colour.darker(170));
    p.setBrush(glow);
    p.drawEllipse(c, 78, 78);
    if (exit) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour.darker(200), 5));
        p.drawEllipse(c, 62, 62);
    }
    for (int i = 0; i < 4; ++i) {
        const qreal a = 90 * i;
        const qreal rad = qDegreesToRadians(a);
        const QPointF at = c + QPointF(std::sin(rad) * 94, -std::cos(rad) * 94);
        drawChevron(p, at, exit ? a : a + 180, 0.5, colour);
    }
    const QRectF box(kMid - 30, kMid - 44, 60, 88);
    const int digit = qBound(1, pair, 5);
    drawDigit(p, digit, box, QColor(255, 255, 255, 170), 12.0);
    drawDigit(p, digit, box, QColor(16, 16, 20));
}

using Art = std::function<void(QPainter &)>;

const QHash<int, Art> &artTable()
{
    static const QHash<int, Art> table = {
        {2000, [](QPainter &p) { drawPit(p, 0, PitFill::Hole); }},
        {2001, [](QPainter &p) { drawPit(p, 4, PitFill::Hole); }},
        {2002, [](QPainter &p) { drawPit(p, 1, PitFill::Hole); }},
        {2010, [](QPainter &p) { drawPit(p, 2, PitFill::Acid); }},
        {2011, [](QPainter &p) { drawPit(p, 8, PitFill::Acid); }},
        {2020, drawBridge},
        {3000, [](QPainter &p) { drawOil(p, 0); }},
        {3001, [](QPainter &p) { drawOil(p, 1); }},
        {3002, [](QPainter &p) { drawOil(p, 2); }},
        {3003, [](QPainter &p) { drawOil(p, 3); }},
        {4000, [](QPainter &p) { drawEmitter(p, kMid); }},
        {4001, [](QPainter &p) { drawEmitter(p, 84); drawEmitter(p, kRef - 84); }},
        {4010, [](QPainter &p) { drawBeam(p, QPointF(kMid, -4), QPointF(kMid, kRef + 4)); }},
        {4011, [](QPainter &p) {
             drawBeam(p, QPointF(84, -4), QPointF(84, kRef + 4));
             drawBeam(p, QPointF(kRef - 84, -4), QPointF(kRef - 84, kRef + 4));
         }},
        {4012, [](QPainter &p) {
             drawBeam(p, QPointF(-4, kMid), QPointF(kRef + 4, kMid));
             drawBeam(p, QPointF(kMid, -4), QPointF(kMid, kRef + 4));
         }},
        {6000, drawPusher},
        {6001, drawCrusherBlock},
        {6002, drawFlamer},
        {6003, drawGear},
    };
    return table;
}

bool isPad(int id)
{
    return id / 1000 == 5 && (id / 100) % 10 <= 1 && id % 100 >= 1 && id % 100 <= 5;
}

} // namespace

bool hasElementArt(int id)
{
    return artTable().contains(id) || isPad(id);
}

void drawElement(QPainter &p, int id)
{
    p.save();
    if (isPad(id))
        drawPad(p, id % 100, (id / 100) % 10 == 1);
    else
        artTable().value(id)(p);
    p.restore();
}

} // namespace kestrix::tiles
