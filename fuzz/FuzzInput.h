#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace kestrix::fuzz {

// The program folder this build lays out: catalogue, pictures and languages
// as the editor finds them beside itself. Ends with "/".
inline QString BundledFolder()
{
    return QStringLiteral(KESTRIX_BUNDLED_FOLDER "/");
}

// A folder of the run's own. The readers take file names, as the program
// calls them, so every input is written to a file here first. Ends with "/".
inline const QString &ScratchFolder()
{
    static const QTemporaryDir dir;
    static const QString folder = dir.path() + QLatin1Char('/');
    if (!dir.isValid())
        std::abort();
    return folder;
}

// Writes the input to relativePath inside the scratch folder, creating the
// folders on the way, and returns the full path.
inline QString WriteInput(const QString &relativePath, const uint8_t *data, size_t size)
{
    const QString path = ScratchFolder() + relativePath;
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    const qint64 length = qint64(size);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), length) != length)
        std::abort();
    return path;
}

// A broken promise of the code under test: libFuzzer reports the abort as a
// finding together with the input.
inline void Check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace kestrix::fuzz
