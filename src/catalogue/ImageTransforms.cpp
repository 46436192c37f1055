#include "catalogue/ImageTransforms.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

constexpr int BytesPerPixel = 3;
// Tile and mark pictures are a few hundred pixels wide. A header claiming
// more than this lies; believing it costs seconds and hundreds of megabytes
// for a file of a few bytes.

// The transforms read three bytes a pixel; a picture of another format is
// converted first rather than read past its rows.
QImage inBitmapFormat(const QImage &image)
{
    return image.format() == BitmapFormat ? image : image.convertToFormat(BitmapFormat);
}

// Builds a picture of the given size row by row: row r, column c takes the
// source pixel at rowStart(r) + c * step bytes. Writing the new picture in
// order is what keeps the quarter turns fast; the reads may stride.
template<typename RowStart>
QImage gather(int width, int height, RowStart rowStart, qsizetype step)
{
    QImage result(width, height, BitmapFormat);
    if (result.isNull()) // allocation refused
        return result;
    for (int r = 0; r < height; ++r) {
        uchar *to = result.scanLine(r);
        const uchar *from = rowStart(r);
        for (int c = 0; c < width; ++c, to += BytesPerPixel, from += step) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return result;
}

QImage copyBitmap(const QImage &source)
{
    QImage result(source.width(), source.height(), BitmapFormat);
    if (result.isNull())
        return result;
    const size_t rowBytes = size_t(source.width()) * BytesPerPixel;
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(result.scanLine(y), source.constScanLine(y), rowBytes);
    return result;
}

// Source (x, y) goes to (y, W - 1 - x): new row r is source column W - 1 - r
// read from the top.
QImage turnCounterClockwise(const QImage &source)
{
    const int w = source.width();
    const uchar *bits = source.constBits();
    return gather(source.height(), w, [=](int r) { return bits + qsizetype(w - 1 - r) * BytesPerPixel; },
                  source.bytesPerLine());
}

// Source (x, y) goes to (W - 1 - x, H - 1 - y): new row r is source row
// H - 1 - r read from the right.
QImage turnHalf(const QImage &source)
{
    const int w = source.width();
    const int h = source.height();
    return gather(w, h,
                  [&source, w, h](int r) {
                      return source.constScanLine(h - 1 - r) + qsizetype(w - 1) * BytesPerPixel;
                  },
                  -BytesPerPixel);
}

// Source (x, y) goes to (H - 1 - y, x): new row r is source column r read
// from the bottom.
QImage turnClockwise(const QImage &source)
{
    const int h = source.height();
    const qsizetype stride = source.bytesPerLine();
    const uchar *bottom = source.constBits() + qsizetype(h - 1) * stride;
    return gather(h, source.width(), [=](int r) { return bottom + qsizetype(r) * BytesPerPixel; }, -stride);
}

// A lying header must not make the reader multiply past its number range or
// ask for more memory than a picture can need.
void checkSides(const QString &path, qint64 width, qint64 height)
{
    if (width > MaxBitmapSide || height > MaxBitmapSide)
        throw KestrixError(ErrorTexts::PictureTooLarge,
                           {QDir::toNativeSeparators(path), QString::number(width), QString::number(height)});
}

// Uncompressed 24-bit bitmaps, the tile set's own kind, are unpacked here:
// the general reader takes many times as long for them. A null picture
// sends every other kind to the general reader. Rows cut short are an error
// here; the general reader would show whatever memory held.
QImage readPlainBitmap(const QByteArray &data, const QString &path)
{
    constexpr qint64 FileHeaderSize = 14;
    constexpr qint64 InfoHeaderSize = 40;
    if (data.size() < FileHeaderSize + InfoHeaderSize || !data.startsWith("BM"))
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const auto u16 = [bytes](int at) { return quint32(bytes[at]) | quint32(bytes[at + 1]) << 8; };
    const auto u32 = [u16](int at) { return u16(at) | u16(at + 2) << 16; };
    const qint64 pixelOffset = u32(10);
    const qint64 headerSize = u32(14);
    const qint64 width = qint32(u32(18));
    const qint64 height = qint32(u32(22)); // negative: rows stored from the top
    const bool plain24 = u16(26) == 1 && u16(28) == 24 && u32(30) == 0;
    if (!plain24 || headerSize < InfoHeaderSize || width <= 0 || height == 0)
        return {};
    const qint64 rows = height < 0 ? -height : height;
    checkSides(path, width, rows);
    const qint64 stride = (width * BytesPerPixel + 3) / 4 * 4;
    if (pixelOffset < FileHeaderSize + headerSize)
        return {};
    if (pixelOffset + stride * rows > data.size())
        throw KestrixError(ErrorTexts::PictureIncomplete, {QDir::toNativeSeparators(path)});

    QImage image(int(width), int(rows), BitmapFormat);
    if (image.isNull())
        return {};
    for (qint64 y = 0; y < rows; ++y) {
        const uchar *from = bytes + pixelOffset + (height < 0 ? y : rows - 1 - y) * stride;
        uchar *to = image.scanLine(int(y));
        for (qint64 x = 0; x < width; ++x, from += BytesPerPixel, to += BytesPerPixel) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return image;
}

} // namespace

QImage turnBitmap(int code, const QImage &source)
{
    if (code < 0 || code > 3 || source.isNull())
        return {};
    const QImage bitmap = inBitmapFormat(source);
    switch (code) {
    case 0:
        return copyBitmap(bitmap);
    case 1:
        return turnCounterClockwise(bitmap);
    case 2:
        return turnHalf(bitmap);
    default:
        return turnClockwise(bitmap);
    }
}

void overlayNonWhite(QImage &destination, const QImage &source)
{
    if (destination.isNull() || source.isNull())
        return;
    if (destination.format() != BitmapFormat)
        destination = destination.convertToFormat(BitmapFormat);
    const QImage overlay = inBitmapFormat(source);
    const int width = std::min(destination.width(), overlay.width());
    const int height = std::min(destination.height(), overlay.height());
    for (int y = 0; y < height; ++y) {
        const uchar *from = overlay.constScanLine(y);
        uchar *to = destination.scanLine(y);
        for (int x = 0; x < width; ++x, from += BytesPerPixel, to += BytesPerPixel) {
            if (from[0] + from[1] + from[2] < 3 * 255)
                std::memcpy(to, from, BytesPerPixel);
        }
    }
}

QImage loadBitmap(const QString &path)
{
    QByteArray data = readWholeFile(path, MaxBitmapFileSize);
    if (QImage plain = readPlainBitmap(data, path); !plain.isNull())
        return plain;
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    // Some readers give a height stored upside down as a negative number.
    const QSize claimed = reader.size();
    const qint64 width = qAbs(qint64(claimed.width()));
    const qint64 height = qAbs(qint64(claimed.height()));
    checkSides(path, width, height);
    const QImage image = reader.read();
    if (image.isNull() && data.isEmpty())
        throw KestrixError(ErrorTexts::PictureEmpty, {QDir::toNativeSeparators(path)});
    if (image.isNull())
        throw KestrixError(ErrorTexts::PictureRead, {QDir::toNativeSeparators(path), reader.errorString()});
    return inBitmapFormat(image);
}

} // namespace kestrix
