#include "document/BoardFile.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace kestrix {

namespace {

const QString NoSteps = QStringLiteral("00000");

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

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

QByteArray boardFileBytes(const BoardCells &cells)
{
    QByteArray bytes;
    for (const TImgKarte &cell : cells) {
        bytes += numberPart(cell.Tag, cell.Rotation);
        // The field holds at most five step characters.
        const QString flags = cell.StepFlags.left(5);
        if (flags != NoSteps)
            bytes += ',' + flags.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

BoardFileField parseLine(const QByteArray &line)
{
    BoardFileField field;
    QByteArray numberText = line;
    const qsizetype comma = line.indexOf(',');
    if (comma >= 0) {
        field.stepFlags = QString::fromLatin1(line.mid(comma + 1, 5));
        numberText = line.left(comma);
    }
    const int n = StrToIntOrZero(QString::fromLatin1(numberText));
    field.tileId = n / 10;
    field.rotation = n % 10;
    return field;
}

// The next line without its end (LF or CR LF); a bare CR stays in the line.
// Empty when the device has no more lines.
QByteArray readLine(QIODevice &device)
{
    QByteArray line = device.readLine();
    if (line.endsWith('\n')) {
        line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return line;
}

} // namespace

void SaveBoardFile(QIODevice &device, const BoardCells &cells)
{
    if (!WriteAll(device, boardFileBytes(cells)))
        throw KestrixError(ErrorTexts::BoardWrite, {device.errorString()});
}

void SaveBoardFile(const QString &path, const BoardCells &cells)
{
    WriteWholeFile(path, boardFileBytes(cells));
}

BoardFileFields LoadBoardFile(QIODevice &device)
{
    BoardFileFields fields;
    for (BoardFileField &field : fields)
        field = parseLine(readLine(device));
    return fields;
}

BoardFileFields LoadBoardFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw KestrixError(ErrorTexts::FileNotFound, {shownPath(path)});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KestrixError(ErrorTexts::FileOpen, {shownPath(path), file.errorString()});
    BoardFileFields fields = LoadBoardFile(file);
    if (file.error() != QFileDevice::NoError)
        throw KestrixError(ErrorTexts::FileRead, {shownPath(path), file.errorString()});
    return fields;
}

} // namespace kestrix
