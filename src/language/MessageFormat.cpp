#include "language/MessageFormat.h"

#include "util/Placeholders.h"

namespace kestrix {

std::optional<QString> formatMessageText(const QString &text, const QString &argument)
{
    return fillPlaceholders(text, {argument});
}

} // namespace kestrix
