#pragma once

#include <QImage>

#include <cstdlib>

namespace kestrix {

// Same size and every pixel the same colour, whatever the two formats.
inline bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

// The mean over all pixels and channels of how far the two pictures (of one
// size) differ, in steps of 0..255.
inline double meanAbsoluteDifference(const QImage &a, const QImage &b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB888);
    const QImage second = b.convertToFormat(QImage::Format_RGB888);
    qint64 sum = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int k = 0; k < first.width() * 3; ++k)
            sum += std::abs(int(first.constScanLine(y)[k]) - int(second.constScanLine(y)[k]));
    return double(sum) / (3.0 * first.width() * first.height());
}

} // namespace kestrix
