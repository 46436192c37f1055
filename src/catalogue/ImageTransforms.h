#pragma once

#include <QImage>
#include <QString>

namespace kestrix {

// Every picture the editor composes has this one format: three bytes a pixel
// (red, green, blue), rows counted from the top. Pictures of other depths are
// converted when they are loaded.
inline constexpr QImage::Format BitmapFormat = QImage::Format_RGB888;

// Pictures are far smaller; a longer file or a larger side is refused.
inline constexpr qint64 MaxBitmapFileSize = 64 << 20;
inline constexpr qint64 MaxBitmapSide = 16384;

// Turns a picture by code quarter turns counter-clockwise: 0 a copy, 1 a
// quarter turn, 2 a half turn, 3 a quarter turn clockwise. Any other code
// gives a null picture.
QImage turnBitmap(int code, const QImage &source);

// Every pixel of source that is not pure white replaces the pixel at the same
// place in destination. Where the sizes differ only the common top-left part
// is laid over.
void overlayNonWhite(QImage &destination, const QImage &source);

// Reads a bitmap file and converts it to BitmapFormat. Throws KestrixError
// naming the file and the reason when it cannot be read or holds no picture.
QImage loadBitmap(const QString &path);

} // namespace kestrix
