#include "util/PrivateFolder.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <sys/stat.h>

namespace kestrix {

void createPrivateFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    const QStringList parts = clean.split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += u'/' + part;
        const QByteArray name = QFile::encodeName(path);
        if (::mkdir(name.constData(), 0700) == 0 || errno == EEXIST) {
            struct stat info{};
            if (::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode))
                continue;
        }
        throw KestrixError(ErrorTexts::FolderCreate, {QDir::toNativeSeparators(clean)});
    }
}

} // namespace kestrix
