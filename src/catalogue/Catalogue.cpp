#include "catalogue/Catalogue.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <numeric>

namespace kestrix {

namespace {

// Names are ASCII, so folding A..Z is all the case rule needs; other bytes
// compare exactly.
QByteArray asciiLower(QByteArrayView text)
{
    QByteArray lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        lower[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return lower;
}

// A key as the bytes a line would hold; false when it holds a character no
// 8-bit line can contain, so that it matches nothing.
bool toLineBytes(const QString &text, QByteArray &bytes)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    bytes = text.toLatin1();
    return true;
}

constexpr qsizetype BeltPatternStart = 7;
constexpr qsizetype BeltPatternLength = 6;

} // namespace

void Catalogue::load(const QString &path)
{
    setLines(SplitLines(ReadWholeFile(path)));
}

void Catalogue::setLines(const QList<QByteArray> &lines)
{
    m_lines = lines;
    rebuildIndex();
}

QString Catalogue::CatalogueValue(const QString &key) const
{
    const qsizetype index = find(key);
    if (index < 0)
        return {};
    const QByteArray &line = m_lines[index];
    return QString::fromLatin1(line.mid(line.indexOf('=') + 1));
}

bool Catalogue::CatalogueHasKey(const QString &key) const
{
    return find(key) >= 0;
}

bool Catalogue::HasEntryPrefix(const QString &text) const
{
    QByteArray prefix;
    if (!toLineBytes(text, prefix))
        return false;
    // The first line not below the prefix is the only candidate: any line
    // that begins with it sorts right there.
    const auto it = std::lower_bound(m_sortedLines.begin(), m_sortedLines.end(), prefix);
    return it != m_sortedLines.end() && it->startsWith(prefix);
}

int Catalogue::FindBeltByPattern(const QString &pattern, int fallback) const
{
    QByteArray bytes;
    if (pattern.size() != BeltPatternLength || !toLineBytes(pattern, bytes))
        return fallback;
    const auto it = m_firstByBelt.constFind(bytes);
    if (it == m_firstByBelt.cend())
        return fallback;
    return StrToIntOrZero(QString::fromLatin1(m_lines[*it].mid(1, 5)));
}

void Catalogue::append(const QByteArray &line)
{
    m_lines.append(line);
    // A new last line can only become a first match where there was none.
    indexLine(m_lines.size() - 1);
    m_sortedLines.insert(std::upper_bound(m_sortedLines.begin(), m_sortedLines.end(), line), line);
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
    QByteArray bytes;
    if (!toLineBytes(name, bytes))
        return -1;
    return m_firstByName.value(asciiLower(bytes), -1);
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
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (qsizetype i = 0; ok && i < m_lines.size(); ++i)
        ok = file.write(m_lines[i]) == m_lines[i].size() && file.write("\r\n", 2) == 2;
    if (!ok || !file.commit()) {
        throw KestrixError(QStringLiteral("Datei %1 kann nicht geschrieben werden (%2)")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

void Catalogue::rebuildIndex()
{
    m_firstByName.clear();
    m_firstByBelt.clear();
    m_firstByName.reserve(m_lines.size());
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        indexLine(i);
    m_sortedLines.assign(m_lines.cbegin(), m_lines.cend());
    std::sort(m_sortedLines.begin(), m_sortedLines.end());
}

void Catalogue::indexLine(qsizetype index)
{
    const QByteArray &line = m_lines[index];
    const qsizetype equals = line.indexOf('=');
    if (equals >= 0) {
        const QByteArray name = asciiLower(QByteArrayView(line).first(equals));
        if (!m_firstByName.contains(name))
            m_firstByName.insert(name, index);
    }
    if (line.startsWith('D') && line.size() >= BeltPatternStart + BeltPatternLength) {
        const QByteArray pattern = line.mid(BeltPatternStart, BeltPatternLength);
        if (!m_firstByBelt.contains(pattern))
            m_firstByBelt.insert(pattern, index);
    }
}

} // namespace kestrix
