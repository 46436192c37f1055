#include "document/BoardFile.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QIODevice>

#include <algorithm>

namespace kestrix {

namespace {

const QString NoSteps = QStringLiteral("00000");

// The number part: the tile id followed by the rotation digit, so tile 0
// turned three times is "03". A line read from a file always comes back as it
// was read, including rotations 4..9 ("457") and negative numbers ("-452",
// which reads as tile -45 and rotation -2). Pairs that no line could produce
// (mixed signs, more than one rotation digit) are written with the rotation
// the picture shows, folded so that the line reads back with the same tile.
QByteArray numberPart(int tileId, int rotation)
{
    if (tileId >= 0 && rotation >= 0 && rotation <= 9)
        return QByteArray::number(tileId) + QByteArray::number(rotation);
    if (tileId <= 0 && rotation < 0 && rotation >= -9)
        return QByteArray::number(qint64(tileId) * 10 + rotation);
    const int shown = ((rotation % 4) + 4) % 4;
    if (tileId >= 0)
        return QByteArray::number(tileId) + QByteArray::number(shown);
    return QByteArray::number(qint64(tileId) * 10 - (4 - shown) % 4);
}

QByteArray boardFileBytes(const BoardFields &fields)
{
    QByteArray bytes;
    for (const Field &field : fields)
        bytes += boardFileLine(field) + "\r\n";
    return bytes;
}

Field parseLine(const QByteArray &line)
{
    Field field;
    QByteArray numberText = line;
    const qsizetype comma = line.indexOf(',');
    if (comma >= 0) {
        field.steps = QString::fromLatin1(line.mid(comma + 1, 5));
        numberText = line.left(comma);
    }
    const int n = toIntOrZero(QString::fromLatin1(numberText));
    field.tileId = n / 10;
    field.rotation = n % 10;
    return field;
}

// Lines end at LF or CR LF; a bare CR stays in its line.
BoardFields parseBoardFile(const QByteArray &bytes)
{
    BoardFields fields;
    qsizetype start = 0;
    for (Field &field : fields) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        field = parseLine(line);
        start = std::min(end + 1, bytes.size());
    }
    return fields;
}

} // namespace

QByteArray boardFileLine(const Field &field)
{
    QByteArray line = numberPart(field.tileId, field.rotation);
    // The field holds at most five step characters.
    const QString flags = field.steps.left(5);
    if (flags != NoSteps)
        line += ',' + flags.toLatin1();
    return line;
}

void saveBoardFile(QIODevice &device, const BoardFields &fields)
{
    if (!writeAll(device, boardFileBytes(fields)))
        throw KestrixError(ErrorTexts::BoardWrite, {device.errorString()});
}

void saveBoardFile(const QString &path, const BoardFields &fields)
{
    writeWholeFile(path, boardFileBytes(fields));
}

BoardFields loadBoardFile(QIODevice &device)
{
    const QByteArray bytes = device.read(MaxBoardFileSize + 1);
    if (bytes.size() > MaxBoardFileSize)
        throw KestrixError(ErrorTexts::BoardTooLarge, {QString::number(MaxBoardFileSize)});
    return parseBoardFile(bytes);
}

BoardFields loadBoardFile(const QString &path)
{
    return parseBoardFile(readWholeFile(path, MaxBoardFileSize));
}

} // namespace kestrix
