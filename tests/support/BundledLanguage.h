#pragma once

#include "support/TestProgramFolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kestrix {

// Copies the bundled language file of code from the source tree
// (KESTRIX_LANGUAGE_DIR, which the test target defines) into folder and makes
// it the user's language; false where there is no such file or it cannot be
// written.
inline bool useBundledLanguage(const TestProgramFolder &folder, const QString &code)
{
    QFile bundled(QStringLiteral(KESTRIX_LANGUAGE_DIR "/") + code + QStringLiteral(".txt"));
    if (!bundled.open(QIODevice::ReadOnly))
        return false;
    const QByteArray language = bundled.readAll();
    return !language.isEmpty() && folder.write(QStringLiteral("Language/") + code + QStringLiteral(".txt"), language)
           && folder.writeSettings("[Options]\r\nOpLanguage=" + code.toLatin1() + "\r\n");
}

} // namespace kestrix
