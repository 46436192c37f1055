#include "language/KeyValueText.h"

#include "util/Utils.h"

#include <QStringDecoder>

namespace kestrix {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes it
// leaves undefined become the control characters of the same number, as the
// system's own conversion does.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? windows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

QString decodeText(const QByteArray &bytes)
{
    // Stateless: a sequence cut off at the end counts as an error too.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

KeyValueText::KeyValueText(const QByteArray &bytes) : m_lines(splitLines(decodeText(bytes)))
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const qsizetype eq = m_lines[i].indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = m_lines[i].left(eq).toCaseFolded();
        if (!m_firstByKey.contains(key))
            m_firstByKey.insert(key, i);
    }
}

KeyValueText KeyValueText::readFile(const QString &path)
{
    return KeyValueText(readWholeFile(path, MaxFileSize));
}

QString KeyValueText::firstLine() const
{
    return m_lines.isEmpty() ? QString() : m_lines.first();
}

QString KeyValueText::value(const QString &key) const
{
    const auto it = m_firstByKey.constFind(key.toCaseFolded());
    if (it == m_firstByKey.cend())
        return QString();
    const QString &line = m_lines[*it];
    return line.mid(line.indexOf(u'=') + 1);
}

} // namespace kestrix
