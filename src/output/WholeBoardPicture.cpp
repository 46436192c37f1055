#include "output/WholeBoardPicture.h"

#include "catalogue/CellPicture.h"
#include "catalogue/ImageTransforms.h"
#include "output/BoardThumbnail.h"
#include "output/PlainPng.h"
#include "rules/TileIds.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>

namespace kestrix {

QPoint wholeBoardCellOrigin(int n)
{
    return QPoint(WholeBoardMargin, WholeBoardMargin) + QPoint(n % BoardSide, n / BoardSide) * QuarterCellPitch;
}

QImage renderWholeBoard(const BoardPictureSource &source)
{
    QImage image(WholeBoardSize, WholeBoardSize, BitmapFormat);
    if (image.isNull())
        throw KestrixError(ErrorTexts::QuarterMemory, {});
    image.fill(Qt::black);
    CellPicture cellPicture(source.catalogue, source.stepMarks, source.programFolder);
    QImage picture;
    for (int n = 0; n < CellCount; ++n) {
        const Field &cell = source.cells[size_t(n)];
        cellPicture.composeCellPicture(cell.tileId, LargePictureOffset, picture, cell.steps, cell.rotation);
        drawUnscaled(image, picture, wholeBoardCellOrigin(n));
    }
    return image;
}

QImage scaledWholeBoard(const QImage &picture, int percent)
{
    if (percent >= WholeBoardMaxScale)
        return picture;
    const int side = qRound(picture.width() * percent / 100.0);
    return picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage scaledToFit(const QImage &picture, int side)
{
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QByteArray encodePng(const QImage &picture, const QString &fileName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        throw KestrixError(ErrorTexts::PictureConvert, {fileName});
    return bytes;
}

void exportWholeBoard(const BoardPictureSource &source, int percent, const QString &fileName)
{
    writeWholeFile(fileName, encodePng(scaledWholeBoard(renderWholeBoard(source), percent), fileName));
}

void writeBoardThumbnail(const BoardPictureSource &source, int side, const QString &fileName)
{
    // A file manager reads the preview once and keeps a copy of its own:
    // compressing it took longer than drawing it.
    const QByteArray png = encodePlainPng(renderBoardThumbnail(source, side));
    if (png.isEmpty())
        throw KestrixError(ErrorTexts::PictureConvert, {fileName});
    writeWholeFile(fileName, png);
}

} // namespace kestrix
