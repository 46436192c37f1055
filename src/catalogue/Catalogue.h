#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace kestrix {

// The tile catalogue: the lines of InitList.ini in file order. Lookups give
// the first-match answers of a scan over the lines; an index keeps them fast.
class Catalogue
{
public:
    // Far more than ten thousand tiles need; a longer file is refused unread.
    static constexpr qint64 MaxFileSize = 16 << 20;

    // Reads the whole file; CR LF, bare CR and bare LF all end a line.
    // Throws KestrixError naming the file when it cannot be read.
    void load(const QString &path);
    void setLines(const QList<QByteArray> &lines);
    const QList<QByteArray> &lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }

    // Value of the first line whose name (text before the first "=") equals
    // key without regard to case; empty when there is none.
    QString value(const QString &key) const;
    bool hasKey(const QString &key) const;

    // Some line begins with text (exact comparison).
    bool hasEntryPrefix(const QString &text) const;
    // The first D line whose six pattern characters equal pattern; fallback
    // when there is none.
    int findBeltByPattern(const QString &pattern, int fallback) const;

    // Editing, for the tile definition editor. An index outside the list
    // changes nothing.
    void append(const QByteArray &line);
    void replace(qsizetype index, const QByteArray &line);
    void remove(qsizetype index);
    qsizetype find(const QString &name) const; // -1 when no line has that name
    void sort();
    // Writes all lines with CR LF through a temporary file and a rename.
    void save(const QString &path) const;

private:
    void rebuildIndex();
    void indexLine(qsizetype index, bool keepEarlier);

    QList<QByteArray> m_lines;
    // Lower-cased name -> first line with that name. A name of up to seven
    // bytes (every key the program builds) is packed into one number, which
    // keeps the table small and loading free of an allocation per line;
    // longer names are kept as text.
    QHash<quint64, qsizetype> m_firstByShortName;
    QHash<QByteArray, qsizetype> m_firstByLongName;
    // Belt pattern (characters 8..13 of a D line), packed -> first such line.
    QHash<quint64, qsizetype> m_firstByBelt;
    // Every line's first eight bytes as one big-endian number (zero-padded),
    // sorted: a short prefix query is a binary search over plain numbers.
    std::vector<quint64> m_heads;
};

} // namespace kestrix
