#include "app/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

QString programFolderFor(const QString &executableFolder)
{
    const QDir folder(executableFolder);
    if (QFileInfo(folder.filePath(QStringLiteral("InitList.ini"))).isFile())
        return folder.absolutePath() + u'/';
    return QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/kestrix"))) + u'/';
}

} // namespace kestrix
