#include "app/BoardDrop.h"

#include <QFileInfo>

namespace kestrix {

QString droppedBoardPath(const QList<QUrl> &urls)
{
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QFileInfo file(urls.first().toLocalFile());
    if (file.suffix().compare(QStringLiteral("zvb"), Qt::CaseInsensitive) != 0 || file.isDir())
        return {};
    return file.absoluteFilePath();
}

} // namespace kestrix
