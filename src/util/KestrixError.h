#pragma once

#include "util/ErrorTexts.h"

#include <QString>
#include <QStringList>

#include <exception>
#include <memory>

namespace kestrix {

// The one error of the file and system layer. It carries the text the user
// reads (with the path and the system's reason) as a text of the language
// files with its arguments; the main window's command wrapper shows it in the
// user's language, and text() gives the program's own German.
class KestrixError : public std::exception
{
public:
    // A text shown as it stands in every language.
    explicit KestrixError(QString text);
    KestrixError(const ErrorText &text, QStringList arguments);
    // The cause is shown, in the same language, as the last argument.
    KestrixError(const ErrorText &text, QStringList arguments, const KestrixError &cause);

    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Empty for a text shown as it stands.
    QString key() const;
    const QStringList &arguments() const { return m_arguments; }
    const KestrixError *cause() const { return m_cause.get(); }

private:
    ErrorText m_errorText{nullptr, nullptr};
    QStringList m_arguments;
    std::shared_ptr<const KestrixError> m_cause;
    QString m_text;
    QByteArray m_utf8;
};

} // namespace kestrix
