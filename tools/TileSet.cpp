#include "TileSet.h"

#include "Art.h"
#include "BeltArt.h"
#include "Canvas.h"
#include "ElementArt.h"
#include "FloorArt.h"
#include "Glyphs.h"

#include <QDir>

#include <stdexcept>

namespace kestrix::tiles {

namespace {

const QColor kPaletteKey(255, 0, 255);

QString imagePath(const QString &dir, const QString &name)
{
    return dir + QLatin1Char('/') + name + QStringLiteral(".bmp");
}

QString number(int n, int digits)
{
    return QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
}

bool isGroundPlate(int id)
{
    return id >= 0 && id < 1000 && id / 100 < kGroundPlateGroups && id % 100 < kGroundPlateCounts[id / 100];
}

bool isBelt(int id) { return id / 1000 == 1; }
// 8000 + 100 g and its neighbours are the wall tiles of ground-plate group g.
bool isWallTile(int id) { return id / 1000 == 8 && (id / 100) % 10 < kGroundPlateGroups; }

} // namespace

TileSet::TileSet(TileCatalogue catalogue) : m_catalogue(std::move(catalogue)) {}

QList<int> TileSet::ids() const
{
    QList<int> all;
    for (int g = 0; g < kGroundPlateGroups; ++g) {
        for (int k = 0; k < kGroundPlateCounts[g]; ++k)
            all << g * 100 + k;
    }
    for (int id : m_catalogue.tileIds()) {
        if (!drawable(id))
            throw std::runtime_error(QStringLiteral("no picture for tile %1").arg(number(id, 5)).toStdString());
        if (!all.contains(id))
            all << id;
    }
    std::sort(all.begin(), all.end());
    return all;
}

bool TileSet::drawable(int id) const
{
    if (isGroundPlate(id) || isWallTile(id))
        return true;
    if (isBelt(id))
        return !m_catalogue.value(QLatin1Char('D') + number(id, 5)).isEmpty();
    return hasElementArt(id);
}

void TileSet::draw(QPainter &p, int id) const
{
    const QList<int> walls = m_catalogue.wallSides(id);
    if (isGroundPlate(id)) {
        drawFloor(p, id / 100, id % 100);
    } else if (isBelt(id)) {
        drawBelt(p, m_catalogue.value(QLatin1Char('D') + number(id, 5)), walls);
    } else if (isWallTile(id)) {
        drawFloor(p, (id / 100) % 10, 0);
        drawWalls(p, walls);
    } else {
        drawFloor(p, 0, 0);
        drawWalls(p, walls);
        drawElement(p, id);
    }
}

QImage TileSet::picture(int id, int size) const
{
    return renderTile(size, [&](QPainter &p) { draw(p, id); });
}

bool TileSet::hasPalettePicture(int id)
{
    return id % 100 == 0 && id < kGroundPlateGroups * 100;
}

QImage TileSet::palettePicture(int id) const
{
    const int group = id / 100;
    return renderKeyed(kBoardSize, kBoardSize, 8, [&](QPainter &p) {
        const struct { QPointF at; qreal angle; } cards[] = {
            {QPointF(20, 20), -14}, {QPointF(28, 27), -4}, {QPointF(36, 34), 8}};
        const qreal side = 36;
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(cards[i].at);
            p.rotate(cards[i].angle);
            p.translate(-side / 2, -side / 2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 120));
            p.drawRoundedRect(QRectF(1, 1.5, side, side), 2, 2);
            QPainterPath clip;
            clip.addRoundedRect(QRectF(0, 0, side, side), 2, 2);
            p.setClipPath(clip);
            p.scale(side / kRef, side / kRef);
            drawFloor(p, group, i % kGroundPlateCounts[group]);
            p.restore();
        }
    }, kPaletteKey);
}

int TileSet::writeImages(const QString &imagesDir) const
{
    if (!QDir().mkpath(imagesDir))
        throw std::runtime_error(QStringLiteral("cannot create %1").arg(imagesDir).toStdString());
    int written = 0;
    for (int id : ids()) {
        saveBmp24(picture(id, kBoardSize), imagePath(imagesDir, number(id, 5)));
        saveBmp24(picture(id, kLargeSize), imagePath(imagesDir, number(id + 10000, 5)));
        written += 2;
        if (hasPalettePicture(id)) {
            saveBmp24(palettePicture(id), imagePath(imagesDir, number(id + 20000, 5)));
            ++written;
        }
    }
    for (int bg = 1; bg <= kBackgrounds; ++bg) {
        saveBmp24(stepBackground(bg), imagePath(imagesDir, QStringLiteral("BG") + number(bg, 3)));
        ++written;
    }
    for (int set = 1; set <= kGlyphSets; ++set) {
        for (int step = 1; step <= 5; ++step) {
            saveBmp24(stepGlyph(set, step), imagePath(imagesDir, QStringLiteral("Font") + number(set, 3) + QString::number(step)));
            ++written;
        }
    }
    return written;
}

} // namespace kestrix::tiles
