#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kestrix {

// Encodes a picture as a baseline, sequential JPEG in three-component RGB:
// the encoder's defaults, quality 90 with baseline quantisation tables and
// the floating-point DCT. Throws KestrixError when the encoder fails (for
// instance on an empty picture or one too large for the format).
QByteArray convertToJpeg(const QImage &picture);

// Encodes the picture and writes it through a temporary file and a rename,
// so a failed write leaves any previous file in place. Throws KestrixError
// naming the file and the reason.
void saveJpeg(const QImage &picture, const QString &path);

} // namespace kestrix
