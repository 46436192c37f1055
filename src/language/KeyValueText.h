#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kestrix {

// Bytes of a text file as text: valid UTF-8 is read as UTF-8 (a leading byte
// order mark dropped), anything else as Windows-1252, so files written on any
// system show their umlauts.
QString decodeText(const QByteArray &bytes);

// A text of key=value lines as the language and settings files use it. The
// value of key K comes from the first line whose text before its first "="
// equals K without regard to case; it is the rest of that line, untouched.
// Lines without "=" never match. CR LF, LF and CR all end a line.
class KeyValueText
{
public:
    KeyValueText() = default;
    explicit KeyValueText(const QByteArray &bytes);

    // A text file of this kind is short; anything longer is refused unread.
    static constexpr qint64 MaxFileSize = 1 << 20;

    // Reads the whole file; throws KestrixError naming it when it cannot.
    static KeyValueText readFile(const QString &path);

    const QStringList &lines() const { return m_lines; }
    // The first line, empty for an empty text.
    QString firstLine() const;
    // Empty when no line has the key.
    QString value(const QString &key) const;

private:
    QStringList m_lines;
    // Case-folded key -> index of the first line with that key, so that a
    // long file with many keys is not scanned once per lookup.
    QHash<QString, qsizetype> m_firstByKey;
};

} // namespace kestrix
