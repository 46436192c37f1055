#include "Icon.h"

#include <QDir>
#include <QPainterPath>

#include <stdexcept>

namespace kestrix::tiles {

namespace {

// A belt turning into a straight run, a pit and a plain plate: what a board
// of the game is made of.
constexpr int kIconTiles[] = {1000, 1100, 3000, 0};
constexpr int kSingleTile = 1000;
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

} // namespace

QImage programIcon(const TileSet &tiles, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal margin = size / 16.0;
    const QRectF frame(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal radius = size / 8.0;
    QPainterPath rounded;
    rounded.addRoundedRect(frame, radius, radius);
    p.fillPath(rounded, QColor(40, 40, 44));
    p.setClipPath(rounded);
    const qreal border = std::max<qreal>(1, size / 32.0);
    const QRectF inner = frame.adjusted(border, border, -border, -border);
    if (size < 32) {
        p.drawImage(inner, tiles.picture(kSingleTile, size * 2));
    } else {
        const qreal half = inner.width() / 2;
        const int tileSize = int(half * 2);
        for (int i = 0; i < 4; ++i) {
            const QRectF cell(inner.left() + (i % 2) * half, inner.top() + (i / 2) * half, half, half);
            p.drawImage(cell.adjusted(border / 2, border / 2, -border / 2, -border / 2),
                        tiles.picture(kIconTiles[i], tileSize));
        }
    }
    return icon;
}

int writeProgramIcons(const TileSet &tiles, const QString &iconsDir)
{
    int written = 0;
    for (int size : kIconSizes) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(iconsDir).arg(size);
        const QString path = folder + QStringLiteral("/kestrix.png");
        if (!QDir().mkpath(folder) || !programIcon(tiles, size).save(path, "PNG"))
            throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
        ++written;
    }
    return written;
}

} // namespace kestrix::tiles
