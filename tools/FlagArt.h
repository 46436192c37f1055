#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace kestrix::tiles {

// Menu pictures of the bundled languages, 16 x 12 pixels.
QStringList flagCodes();
QImage flagPicture(const QString &code);

} // namespace kestrix::tiles
