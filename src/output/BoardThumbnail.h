#pragma once

#include "output/BoardQuarter.h"

#include <QImage>

namespace kestrix {

// The whole board's picture (see WholeBoardPicture.h) fitted into side x side
// pixels, drawn straight at that size: every pixel is the average of the
// full-size picture's pixels under it, weighted by how much of each it
// covers, as a smooth scaling gives. The full-size picture is only drawn when
// a field's picture reaches beyond its field, or for a side under 16 or of
// the full size; each distinct composed field picture is read once. The result is in BitmapFormat. Throws KestrixError
// when a picture cannot be read.
QImage renderBoardThumbnail(const BoardPictureSource &source, int side);

} // namespace kestrix
