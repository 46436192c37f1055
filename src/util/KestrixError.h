#pragma once

#include <QString>

#include <exception>

namespace kestrix {

// The one error of the file and system layer. It carries the text the user
// reads (with the path and the system's reason); the main window's command
// wrapper shows it in the error box.
class KestrixError : public std::exception
{
public:
    explicit KestrixError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}

    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

} // namespace kestrix
