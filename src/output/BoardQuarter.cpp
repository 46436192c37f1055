#include "output/BoardQuarter.h"

#include "catalogue/CellPicture.h"
#include "catalogue/ImageTransforms.h"
#include "rules/TileIds.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

constexpr int BytesPerPixel = 3;
// Fields start this far inside an outer edge of the board, and this far
// inside an edge along a centre line.
constexpr int OuterMargin = 50;
constexpr int InnerMargin = 1;
// The outline's dashes and the gaps between them, in pixels.
constexpr int DashLength = 18;
constexpr int GapLength = 6;

void setBlack(QImage &image, int x, int y)
{
    std::memset(image.scanLine(y) + qsizetype(x) * BytesPerPixel, 0, BytesPerPixel);
}

// A dashed one-pixel outline along the picture's edges, walked clockwise
// from the top-left corner; the dash pattern runs on around the corners.
void drawDashedOutline(QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    int step = 0;
    const auto plot = [&](int x, int y) {
        if (step++ % (DashLength + GapLength) < DashLength)
            setBlack(image, x, y);
    };
    for (int x = 0; x < w; ++x)
        plot(x, 0);
    for (int y = 1; y < h; ++y)
        plot(w - 1, y);
    for (int x = w - 2; x >= 0; --x)
        plot(x, h - 1);
    for (int y = h - 2; y > 0; --y)
        plot(0, y);
}

void fillBlack(QImage &image, const QRect &rect)
{
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memset(image.scanLine(y) + qsizetype(area.left()) * BytesPerPixel, 0,
                    size_t(area.width()) * BytesPerPixel);
}

} // namespace

void drawUnscaled(QImage &image, const QImage &picture, QPoint origin)
{
    const QImage source = picture.format() == BitmapFormat ? picture : picture.convertToFormat(BitmapFormat);
    const QRect area = QRect(origin, source.size()).intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *from = source.constScanLine(y - origin.y()) + qsizetype(area.left() - origin.x()) * BytesPerPixel;
        std::memcpy(image.scanLine(y) + qsizetype(area.left()) * BytesPerPixel, from,
                    size_t(area.width()) * BytesPerPixel);
    }
}

int QuarterGeometry::boardCell(int k) const
{
    return (firstRow + k / QuarterSide) * BoardSide + firstColumn + k % QuarterSide;
}

QPoint QuarterGeometry::cellOrigin(int k) const
{
    return firstCell + QPoint(k % QuarterSide, k / QuarterSide) * QuarterCellPitch;
}

QuarterGeometry boardQuarterGeometry(int quarter)
{
    QuarterGeometry g;
    const bool wide = quarter % 2 == 1; // quarters 1 and 3 have the strip beside the square
    g.size = QSize(QuarterSquareSize + (wide ? QuarterStripSize : 0),
                   QuarterSquareSize + (wide ? 0 : QuarterStripSize));
    g.square = QRect(quarter == 3 ? QuarterStripSize : 0, quarter == 4 ? QuarterStripSize : 0,
                     QuarterSquareSize, QuarterSquareSize);
    switch (quarter) {
    case 1: g.strip = QRect(QuarterSquareSize, 0, QuarterStripSize, QuarterSquareSize); break;
    case 2: g.strip = QRect(0, QuarterSquareSize, QuarterSquareSize, QuarterStripSize); break;
    case 3: g.strip = QRect(0, 0, QuarterStripSize, QuarterSquareSize); break;
    default: g.strip = QRect(0, 0, QuarterSquareSize, QuarterStripSize); break;
    }
    g.firstRow = quarter > 2 ? QuarterSide : 0;
    g.firstColumn = quarter == 2 || quarter == 3 ? QuarterSide : 0;
    g.firstCell = g.square.topLeft()
                  + QPoint(g.firstColumn == 0 ? OuterMargin : InnerMargin, g.firstRow == 0 ? OuterMargin : InnerMargin);
    return g;
}

QImage renderBoardQuarter(const BoardPictureSource &source, int quarter)
{
    const QuarterGeometry g = boardQuarterGeometry(quarter);
    QImage image(g.size, BitmapFormat);
    if (image.isNull())
        throw KestrixError(ErrorTexts::QuarterMemory, {});
    image.fill(Qt::white);
    drawDashedOutline(image);
    fillBlack(image, g.square);

    CellPicture cellPicture(source.catalogue, source.stepMarks, source.programFolder);
    QImage picture;
    for (int k = 0; k < QuarterCellCount; ++k) {
        const Field &cell = source.cells[size_t(g.boardCell(k))];
        cellPicture.composeCellPicture(cell.tileId, LargePictureOffset, picture, cell.steps, cell.rotation);
        drawUnscaled(image, picture, g.cellOrigin(k));
    }
    return image;
}

QString quarterPictureFileName(const QString &chosen, int quarter)
{
    return chosen.left(fileNameStart(chosen)) + fileBaseName(chosen) + QStringLiteral(" (") + QString::number(quarter)
           + QStringLiteral(").jpg");
}

} // namespace kestrix
