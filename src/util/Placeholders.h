#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kestrix {

// Fills a text with string arguments: each "%s" ("%S" alike) takes the next
// argument, "%%" stands for "%". Any other use of "%" (numbers, widths, more
// placeholders than arguments, a "%" at the end) means the text does not fit
// its arguments: the result is then empty. Arguments are copied as they are,
// never read for placeholders, and nothing reaches a printf-style function.
std::optional<QString> fillPlaceholders(const QString &text, const QStringList &arguments);

} // namespace kestrix
