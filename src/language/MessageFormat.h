#pragma once

#include <QString>

#include <optional>

namespace kestrix {

// Fills a message text from a language file with its one string argument.
// The text may hold one string placeholder "%s" ("%S" alike) and any number
// of "%%", which stand for "%". Any other use of "%" (numbers, widths, a
// second placeholder, a "%" at the end) means the text does not fit its
// message: the result is then empty. Texts never reach a printf-style
// function.
std::optional<QString> formatMessageText(const QString &text, const QString &argument);

} // namespace kestrix
