#include "catalogue/Catalogue.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <numeric>

namespace kestrix {

namespace {

constexpr qsizetype ShortNameBytes = 7;
constexpr qsizetype HeadBytes = 8;
constexpr qsizetype BeltPatternStart = 7;
constexpr qsizetype BeltPatternLength = 6;

unsigned codeOf(char c)
{
    return quint8(c);
}

unsigned codeOf(QChar c)
{
    return c.unicode();
}

// Names are ASCII, so folding A..Z is all the case rule needs; other bytes
// compare exactly.
unsigned foldCase(unsigned code)
{
    return code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code;
}

// Up to eight characters as one big-endian number. False when a character
// is one that no 8-bit line can hold, so that the text matches nothing.
template<typename View>
bool packBytes(View text, quint64 &packed, bool fold)
{
    packed = 0;
    for (const auto c : text) {
        const unsigned code = codeOf(c);
        if (code > 0xFF)
            return false;
        packed = (packed << 8) | (fold ? foldCase(code) : code);
    }
    return true;
}

// A short name, lower-cased, followed by its length: names of different
// lengths never meet.
template<typename View>
bool packShortName(View name, quint64 &key)
{
    if (name.size() > ShortNameBytes || !packBytes(name, key, true))
        return false;
    key = (key << 8) | quint64(name.size());
    return true;
}

// The first eight bytes, padded with zeros; numeric order is byte order.
quint64 packHead(QByteArrayView line)
{
    quint64 head = 0;
    const qsizetype known = std::min(line.size(), HeadBytes);
    packBytes(line.first(known), head, false);
    return known == 0 ? 0 : head << (8 * (HeadBytes - known));
}

QByteArray foldedBytes(QByteArrayView text)
{
    QByteArray folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = char(foldCase(codeOf(text[i])));
    return folded;
}

// A query as the bytes a line would hold; false when that cannot be.
bool toLineBytes(const QString &text, QByteArray &bytes)
{
    const bool latin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (latin1)
        bytes = text.toLatin1();
    return latin1;
}

// Records index as the line for key. An appended line must not displace an
// earlier one; a rebuild runs from the last line up, so there the earliest
// line is simply the last to write.
template<typename Key>
void claim(QHash<Key, qsizetype> &hash, const Key &key, qsizetype index, bool keepEarlier)
{
    if (!keepEarlier || !hash.contains(key))
        hash.insert(key, index);
}

// Sorting the heads was the largest part of building the index; a byte-wise
// radix sort keeps that linear in the number of lines.
void radixSort(std::vector<quint64> &values)
{
    std::vector<quint64> buffer(values.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<size_t, 257> start{};
        for (const quint64 v : values)
            ++start[((v >> shift) & 0xFF) + 1];
        // Skip a byte that is the same everywhere.
        if (std::find(start.begin() + 1, start.end(), values.size()) != start.end())
            continue;
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (const quint64 v : values)
            buffer[start[(v >> shift) & 0xFF]++] = v;
        values.swap(buffer);
    }
}

} // namespace

void Catalogue::load(const QString &path)
{
    setLines(splitByteLines(readWholeFile(path, MaxFileSize)));
}

void Catalogue::setLines(const QList<QByteArray> &lines)
{
    m_lines = lines;
    rebuildIndex();
}

QString Catalogue::value(const QString &key) const
{
    const qsizetype index = find(key);
    if (index < 0)
        return {};
    const QByteArray &line = m_lines[index];
    return QString::fromLatin1(QByteArrayView(line).sliced(line.indexOf('=') + 1));
}

bool Catalogue::hasKey(const QString &key) const
{
    return find(key) >= 0;
}

bool Catalogue::hasEntryPrefix(const QString &text) const
{
    QByteArray prefix;
    if (!toLineBytes(text, prefix))
        return false;
    // A prefix of up to eight bytes without a zero byte is decided by the
    // heads alone: a line too short for it has zeros where the prefix has
    // none. Anything else, which the program never asks, is a scan.
    if (prefix.size() > HeadBytes || prefix.contains('\0')) {
        return std::any_of(m_lines.cbegin(), m_lines.cend(),
                           [&prefix](const QByteArray &line) { return line.startsWith(prefix); });
    }
    const quint64 mask = prefix.isEmpty() ? 0 : ~quint64(0) << (8 * (HeadBytes - prefix.size()));
    const quint64 head = packHead(prefix);
    const auto it = std::lower_bound(m_heads.cbegin(), m_heads.cend(), head);
    return it != m_heads.cend() && (*it & mask) == head;
}

int Catalogue::findBeltByPattern(const QString &pattern, int fallback) const
{
    quint64 key = 0;
    if (pattern.size() != BeltPatternLength || !packBytes(QStringView(pattern), key, false))
        return fallback;
    const auto it = m_firstByBelt.constFind(key);
    if (it == m_firstByBelt.cend())
        return fallback;
    return toIntOrZero(QString::fromLatin1(m_lines[*it].mid(1, 5)));
}

void Catalogue::append(const QByteArray &line)
{
    m_lines.append(line);
    // A new last line can only become a first match where there was none.
    indexLine(m_lines.size() - 1, true);
    const quint64 head = packHead(line);
    m_heads.insert(std::upper_bound(m_heads.begin(), m_heads.end(), head), head);
}

void Catalogue::replace(qsizetype index, const QByteArray &line)
{
    if (index < 0 || index >= m_lines.size())
        return;
    m_lines[index] = line;
    rebuildIndex();
}

void Catalogue::remove(qsizetype index)
{
    if (index < 0 || index >= m_lines.size())
        return;
    m_lines.removeAt(index);
    rebuildIndex();
}

qsizetype Catalogue::find(const QString &name) const
{
    quint64 key = 0;
    if (packShortName(QStringView(name), key))
        return m_firstByShortName.value(key, -1);
    QByteArray bytes;
    if (name.size() <= ShortNameBytes || !toLineBytes(name, bytes))
        return -1;
    return m_firstByLongName.value(foldedBytes(bytes), -1);
}

void Catalogue::sort()
{
    QList<QString> folded;
    folded.reserve(m_lines.size());
    for (const QByteArray &line : std::as_const(m_lines))
        folded.append(QString::fromLatin1(line).toCaseFolded());

    std::vector<qsizetype> order(size_t(m_lines.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&folded](qsizetype a, qsizetype b) {
        return QString::localeAwareCompare(folded[a], folded[b]) < 0;
    });

    QList<QByteArray> sorted;
    sorted.reserve(m_lines.size());
    for (const qsizetype i : order)
        sorted.append(m_lines[i]);
    setLines(sorted);
}

void Catalogue::save(const QString &path) const
{
    QByteArray bytes;
    for (const QByteArray &line : m_lines)
        bytes += line + "\r\n";
    writeWholeFile(path, bytes);
}

void Catalogue::rebuildIndex()
{
    m_firstByShortName.clear();
    m_firstByLongName.clear();
    m_firstByBelt.clear();
    m_firstByShortName.reserve(m_lines.size());
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i)
        indexLine(i, false);

    m_heads.clear();
    m_heads.reserve(size_t(m_lines.size()));
    for (const QByteArray &line : std::as_const(m_lines))
        m_heads.push_back(packHead(line));
    radixSort(m_heads);
}

void Catalogue::indexLine(qsizetype index, bool keepEarlier)
{
    const QByteArray &line = m_lines[index];
    const qsizetype equals = line.indexOf('=');
    if (equals >= 0) {
        const QByteArrayView name = QByteArrayView(line).first(equals);
        quint64 key = 0;
        if (packShortName(name, key))
            claim(m_firstByShortName, key, index, keepEarlier);
        else
            claim(m_firstByLongName, foldedBytes(name), index, keepEarlier);
    }
    if (line.startsWith('D') && line.size() >= BeltPatternStart + BeltPatternLength) {
        quint64 key = 0;
        packBytes(QByteArrayView(line).sliced(BeltPatternStart, BeltPatternLength), key, false);
        claim(m_firstByBelt, key, index, keepEarlier);
    }
}

} // namespace kestrix
