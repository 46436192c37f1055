#include "output/PlainPng.h"

#include "catalogue/ImageTransforms.h"

#include <zlib.h>

#include <cstring>

namespace kestrix {

namespace {

void appendBigEndian(QByteArray &bytes, quint32 value)
{
    const char word[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    bytes.append(word, 4);
}

// Length, type, data and the CRC of type and data.
void appendChunk(QByteArray &file, const char *type, const QByteArray &data)
{
    appendBigEndian(file, quint32(data.size()));
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(data);
    const auto *checked = reinterpret_cast<const Bytef *>(file.constData() + start);
    appendBigEndian(file, quint32(crc32_z(0, checked, size_t(file.size() - start))));
}

// Every row after its filter type 0, in one zlib stream of stored blocks;
// empty when zlib fails.
QByteArray storedRows(const QImage &picture)
{
    const size_t rowBytes = size_t(picture.width()) * 3;
    QByteArray rows(qsizetype((rowBytes + 1) * size_t(picture.height())), '\0');
    char *to = rows.data();
    for (int y = 0; y < picture.height(); ++y, to += rowBytes + 1)
        std::memcpy(to + 1, picture.constScanLine(y), rowBytes);
    uLongf length = compressBound(uLong(rows.size()));
    QByteArray stream(qsizetype(length), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(stream.data()), &length, reinterpret_cast<const Bytef *>(rows.constData()),
                  uLong(rows.size()), Z_NO_COMPRESSION)
        != Z_OK)
        return {};
    stream.truncate(qsizetype(length));
    return stream;
}

} // namespace

QByteArray encodePlainPng(const QImage &picture)
{
    const QImage rgb = picture.format() == BitmapFormat ? picture : picture.convertToFormat(BitmapFormat);
    QByteArray header;
    appendBigEndian(header, quint32(rgb.width()));
    appendBigEndian(header, quint32(rgb.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, filter set 0, not interlaced
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    const QByteArray rows = storedRows(rgb);
    if (rows.isEmpty())
        return {};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", rows);
    appendChunk(file, "IEND", {});
    return file;
}

} // namespace kestrix
