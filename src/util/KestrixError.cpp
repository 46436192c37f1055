#include "util/KestrixError.h"

#include "util/Placeholders.h"

namespace kestrix {

namespace {

QString germanText(const ErrorText &text, QStringList arguments, const KestrixError *cause)
{
    if (cause)
        arguments.append(cause->text());
    const QString german = QString::fromUtf8(text.german);
    // The built-in texts take their arguments; the data checks hold them to it.
    return fillPlaceholders(german, arguments).value_or(german);
}

} // namespace

KestrixError::KestrixError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}

KestrixError::KestrixError(const ErrorText &text, QStringList arguments)
    : m_errorText(text), m_arguments(std::move(arguments)),
      m_text(germanText(text, m_arguments, nullptr)), m_utf8(m_text.toUtf8())
{
}

KestrixError::KestrixError(const ErrorText &text, QStringList arguments, const KestrixError &cause)
    : m_errorText(text), m_arguments(std::move(arguments)), m_cause(std::make_shared<KestrixError>(cause)),
      m_text(germanText(text, m_arguments, m_cause.get())), m_utf8(m_text.toUtf8())
{
}

QString KestrixError::key() const
{
    return m_errorText.key ? QString::fromLatin1(m_errorText.key) : QString();
}

} // namespace kestrix
