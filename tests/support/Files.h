#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kestrix {

// The bytes of the file at path; "(missing)" where it cannot be read, so a
// failed check tells a missing file from an empty one.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Writes bytes to path, whose folder must exist; false when it cannot.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace kestrix
