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
        picture = LoadBitmap(fuzz::WriteInput(QStringLiteral("picture.bmp"), data, size));
    } catch (const KestrixError &) {
        return 0;
    }
    fuzz::Check(!picture.isNull() && picture.format() == BitmapFormat);

    const QImage quarter = TurnBitmap(1, picture);
    fuzz::Check(quarter.width() == picture.height() && quarter.height() == picture.width());
    fuzz::Check(TurnBitmap(3, quarter) == picture);
    fuzz::Check(TurnBitmap(2, TurnBitmap(2, picture)) == picture);
    fuzz::Check(TurnBitmap(0, picture) == picture);

    QImage tile(57, 57, BitmapFormat);
    tile.fill(Qt::white);
    OverlayNonWhite(tile, picture);
    QImage over = picture;
    OverlayNonWhite(over, tile);
    fuzz::Check(over.size() == picture.size());
    return 0;
}
