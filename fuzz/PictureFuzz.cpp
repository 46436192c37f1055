// A picture in the Images folder may be replaced by anything. It is read as
// a tile picture is, turned every way and laid over a tile and under one as
// step marks are; turns must give back the picture they started from.
#include "FuzzInput.h"

#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"

#include <QColor>

using namespace kestrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QImage picture;
    try {
        picture = loadBitmap(fuzz::WriteInput(QStringLiteral("picture.bmp"), data, size));
    } catch (const KestrixError &) {
        return 0;
    }
    fuzz::Check(!picture.isNull() && picture.format() == BitmapFormat);

    const QImage quarter = turnBitmap(1, picture);
    fuzz::Check(quarter.width() == picture.height() && quarter.height() == picture.width());
    fuzz::Check(turnBitmap(3, quarter) == picture);
    fuzz::Check(turnBitmap(2, turnBitmap(2, picture)) == picture);
    fuzz::Check(turnBitmap(0, picture) == picture);

    QImage tile(57, 57, BitmapFormat);
    tile.fill(Qt::white);
    overlayNonWhite(tile, picture);
    QImage over = picture;
    overlayNonWhite(over, tile);
    fuzz::Check(over.size() == picture.size());
    return 0;
}
