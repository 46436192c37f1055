#include "document/RegionText.h"

#include "document/BoardFile.h"

#include <QList>

#include <algorithm>

namespace kestrix {

namespace {

bool isDigits(const QByteArray &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

// A size of 1..12 without sign or leading zero.
std::optional<int> parseSize(const QByteArray &text)
{
    if (!isDigits(text) || text.size() > 2 || text.startsWith('0'))
        return std::nullopt;
    const int size = text.toInt();
    return size <= BoardSide ? std::optional<int>(size) : std::nullopt;
}

// A field line as a board file holds it: the tile id and rotation as one
// number (a minus sign allowed), then optionally a comma and up to five step
// characters, none of them a control character.
std::optional<Field> parseFieldLine(const QByteArray &line)
{
    const qsizetype comma = line.indexOf(',');
    const QByteArray number = comma < 0 ? line : line.left(comma);
    const QByteArray digits = number.startsWith('-') ? number.mid(1) : number;
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!isDigits(digits) || !ok)
        return std::nullopt;
    Field field{n / 10, n % 10, QStringLiteral("00000")};
    if (comma >= 0) {
        const QByteArray steps = line.mid(comma + 1);
        if (steps.size() > 5 || std::any_of(steps.cbegin(), steps.cend(), [](char c) { return uchar(c) < 0x20 || c == 0x7f; }))
            return std::nullopt;
        field.steps = QString::fromLatin1(steps);
    }
    return field;
}

} // namespace

QByteArray regionText(const RegionClip &clip)
{
    QByteArray text = "ZVR " + QByteArray::number(clip.width) + ' ' + QByteArray::number(clip.height) + "\r\n";
    for (const Field &field : clip.fields)
        text += boardFileLine(field) + "\r\n";
    return text;
}

std::optional<RegionClip> parseRegionText(const QByteArray &text)
{
    if (text.size() > MaxRegionTextSize)
        return std::nullopt;
    QList<QByteArray> lines = text.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.isEmpty())
        return std::nullopt;
    const QList<QByteArray> head = lines.first().split(' ');
    if (head.size() != 3 || head[0] != "ZVR")
        return std::nullopt;
    const auto width = parseSize(head[1]);
    const auto height = parseSize(head[2]);
    if (!width || !height || lines.size() != 1 + *width * *height)
        return std::nullopt;
    RegionClip clip{*width, *height, {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto field = parseFieldLine(lines[i]);
        if (!field)
            return std::nullopt;
        clip.fields.append(*field);
    }
    return clip;
}

} // namespace kestrix
