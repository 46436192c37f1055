#pragma once

#include "output/BoardQuarter.h"

#include <QImage>

namespace kestrix {

// The whole board's picture (see WholeBoardPicture.h) fitted into side x side
// pixels, drawn straight at that size: every pixel is the average of the
// full-size picture's pixels under it, weighted by how much of each it
// covers, as a smooth scaling gives. Where a field covers at most as many
// pixels as its board picture has, the board pictures stand in for the large
// ones, stretched over their squares: a separate drawing of the same art,
// read and averaged at a twentieth of the cost. The large pictures are read
// instead when a board picture cannot be read or is not 57 pixels square.
// The full-size picture is only drawn when a large picture reaches beyond
// its field, or for a side under 16 or of the full size; each distinct
// composed field picture is read once. The result is in BitmapFormat. Throws
// KestrixError when a picture the whole picture needs cannot be read.
QImage renderBoardThumbnail(const BoardPictureSource &source, int side);

} // namespace kestrix
