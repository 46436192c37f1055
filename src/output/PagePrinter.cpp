#include "output/PagePrinter.h"

#include "util/Utils.h"

#include <algorithm>
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

double resolutionFactor(const PrintablePage &page)
{
    return double(page.resolution) / PrintScaleResolution;
}

} // namespace

QRect printedRect(QSize pictureSize, const PrintablePage &page)
{
    double scale = PrintScale * resolutionFactor(page);
    if (pictureSize.width() > 0 && pictureSize.height() > 0) {
        const double fit = std::min(double(page.size.width()) / pictureSize.width(),
                                    double(page.size.height()) / pictureSize.height());
        scale = std::max(0.0, std::min(scale, fit));
    }
    const int w = int(std::trunc(pictureSize.width() * scale));
    const int h = int(std::trunc(pictureSize.height() * scale));
    return QRect(halfToEven(page.size.width() - w), halfToEven(page.size.height() - h), w, h);
}

QPoint footerPosition(const PrintablePage &page)
{
    const double factor = resolutionFactor(page);
    return QPoint(int(std::lround(FooterLeft * factor)),
                  page.size.height() - int(std::lround(FooterAboveBottom * factor)));
}

PrintPage layOutPrintPage(const QImage &picture, int number, int toPage, const QString &title,
                          const QString &documentText, const QString &time, const PrintablePage &page)
{
    PrintPage printed;
    printed.jobTitle = documentText.mid(fileNameStart(documentText));
    printed.picture = picture;
    printed.target = printedRect(picture.size(), page);
    printed.footerAt = footerPosition(page);
    printed.footer = title + QStringLiteral(" - ") + documentText + QStringLiteral(" (") + QString::number(number)
                     + u'/' + QString::number(toPage) + QStringLiteral(")      ") + time;
    printed.number = number;
    return printed;
}

} // namespace kestrix
