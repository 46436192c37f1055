#include "language/MessageFormat.h"

namespace kestrix {

std::optional<QString> FormatMessageText(const QString &text, const QString &argument)
{
    QString result;
    result.reserve(text.size() + argument.size());
    bool filled = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != u'%') {
            result.append(text[i]);
            continue;
        }
        if (i + 1 >= n)
            return std::nullopt;
        const QChar next = text[++i];
        if (next == u'%') {
            result.append(u'%');
        } else if ((next == u's' || next == u'S') && !filled) {
            result.append(argument);
            filled = true;
        } else {
            return std::nullopt;
        }
    }
    return result;
}

} // namespace kestrix
