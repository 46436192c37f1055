#include "Canvas.h"

#include <QImageWriter>
#include <QSaveFile>

#include <stdexcept>

namespace kestrix::tiles {

namespace {

constexpr int kSmallFactor = 4;

} // namespace

QImage averageDown(const QImage &image, int factor)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    QImage out(src.width() / factor, src.height() / factor, QImage::Format_RGB888);
    const int n = factor * factor;
    for (int y = 0; y < out.height(); ++y) {
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const QRgb *row = reinterpret_cast<const QRgb *>(src.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb c = row[x * factor + dx];
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            dst[3 * x] = uchar((r + n / 2) / n);
            dst[3 * x + 1] = uchar((g + n / 2) / n);
            dst[3 * x + 2] = uchar((b + n / 2) / n);
        }
    }
    return out;
}

QImage renderTile(int size, const Drawing &draw)
{
    const int factor = size < 128 ? kSmallFactor : 1;
    QImage canvas(size * factor, size * factor, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size * factor / 253.0, size * factor / 253.0);
        draw(p);
    }
    return averageDown(canvas, factor);
}

QImage renderKeyed(int w, int h, int factor, const Drawing &draw, const QColor &key)
{
    QImage canvas(w * factor, h * factor, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(factor, factor);
        draw(p);
    }
    QImage out(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const QRgb *row = reinterpret_cast<const QRgb *>(canvas.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb c = row[x * factor + dx];
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                    a += qAlpha(c);
                }
            }
            QColor c = key;
            if (2 * a >= 255 * factor * factor) {
                c = QColor(qMin(255, r * 255 / a), qMin(255, g * 255 / a), qMin(255, b * 255 / a));
                // A covered pixel must never be mistaken for the key colour.
                if (c == key)
                    c = QColor(key.red() ^ 1, key.green() ^ 1, key.blue() ^ 1);
            }
            dst[3 * x] = uchar(c.red());
            dst[3 * x + 1] = uchar(c.green());
            dst[3 * x + 2] = uchar(c.blue());
        }
    }
    return out;
}

void saveBmp24(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()).toStdString());
    if (!file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

} // namespace kestrix::tiles
