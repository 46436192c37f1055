#include "document/RecentBoards.h"

#include "util/PrivateFolder.h"
#include "util/Utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrix {

namespace {

// Eight paths take far less; anything longer is not a list of ours.
constexpr qint64 MaxFileSize = 64 * 1024;

bool fitsOnALine(const QString &path)
{
    return !path.isEmpty() && !path.contains(u'\n') && !path.contains(u'\r');
}

} // namespace

QString RecentBoards::filePath(const QString &userFolder)
{
    return userFolder + QStringLiteral("RecentBoards.txt");
}

void RecentBoards::add(const QString &path)
{
    if (!fitsOnALine(path))
        return;
    // Kept absolute: the file is read again from wherever the next run starts.
    const QString clean = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    m_paths.removeAll(clean);
    m_paths.prepend(clean);
    while (m_paths.size() > MaxCount)
        m_paths.removeLast();
}

bool RecentBoards::remove(const QString &path)
{
    return m_paths.removeAll(path) > 0;
}

RecentBoards RecentBoards::parse(const QByteArray &text)
{
    RecentBoards list;
    for (const QByteArray &line : splitByteLines(text)) {
        const QString path = QFile::decodeName(line);
        if (list.m_paths.size() == MaxCount)
            break;
        // A relative line would name a different board in every folder the
        // program starts from; no list of ours holds one.
        if (QDir::isAbsolutePath(path) && !list.m_paths.contains(path))
            list.m_paths.append(path);
    }
    return list;
}

QByteArray RecentBoards::text() const
{
    QByteArray text;
    for (const QString &path : m_paths)
        text += QFile::encodeName(path) + '\n';
    return text;
}

RecentBoards RecentBoards::read(const QString &userFolder)
{
    // Not a FIFO or a folder: opening those could block or fail.
    const QFileInfo info(filePath(userFolder));
    if (userFolder.isEmpty() || !info.isFile())
        return {};
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(MaxFileSize));
}

void RecentBoards::write(const QString &userFolder) const
{
    if (userFolder.isEmpty())
        return;
    createPrivateFolder(userFolder);
    writeWholeFile(filePath(userFolder), text());
}

} // namespace kestrix
