#include "output/PagePrinter.h"

#include <cmath>

namespace kestrix {

namespace {

constexpr int FooterLeft = 100;
constexpr int FooterAboveBottom = 90;

// twice / 2 taken to the nearest integer, a half to the even neighbour.
int halfToEven(int twice)
{
    const int floor = twice >= 0 ? twice / 2 : -((1 - twice) / 2);
    const bool half = twice % 2 != 0;
    return half && floor % 2 != 0 ? floor + 1 : floor;
}

} // namespace

QRect PrintedRect(QSize pictureSize, QSize pageSize)
{
    const int w = int(std::trunc(pictureSize.width() * PrintScale));
    const int h = int(std::trunc(pictureSize.height() * PrintScale));
    return QRect(halfToEven(pageSize.width() - w), halfToEven(pageSize.height() - h), w, h);
}

QPoint FooterPosition(QSize pageSize)
{
    return QPoint(FooterLeft, pageSize.height() - FooterAboveBottom);
}

} // namespace kestrix
