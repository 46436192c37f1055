#pragma once

#include <QByteArray>
#include <QImage>

namespace kestrix {

// The picture (BitmapFormat) as the bytes of a PNG file whose pixels are
// stored, not compressed: 8-bit RGB, no filter, no interlacing. It is larger
// than a compressed one and written in a fraction of the time. Empty when
// the memory for it is missing.
QByteArray encodePlainPng(const QImage &picture);

} // namespace kestrix
