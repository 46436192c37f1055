#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace kestrix {

// The board file a drop on the window carries: exactly one local file whose
// name ends in ".zvb" (in any case, as the file type is known to the
// desktop). Empty for anything else, which the window then ignores.
QString droppedBoardPath(const QList<QUrl> &urls);

} // namespace kestrix
