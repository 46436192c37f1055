#include "util/Placeholders.h"

namespace kestrix {

std::optional<QString> fillPlaceholders(const QString &text, const QStringList &arguments)
{
    QString result;
    result.reserve(text.size());
    qsizetype used = 0;
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
        } else if ((next == u's' || next == u'S') && used < arguments.size()) {
            result.append(arguments[used++]);
        } else {
            return std::nullopt;
        }
    }
    return result;
}

} // namespace kestrix
