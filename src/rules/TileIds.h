#pragma once

namespace kestrix {

// The large picture of a tile, shown in the selection cell, has its own
// number: the tile id plus this offset.
constexpr int LargePictureOffset = 10000;
constexpr int largePictureId(int tileId)
{
    return tileId + LargePictureOffset;
}

// Belt tiles have the ids 1000..1999.
constexpr bool isBelt(int tileId)
{
    return tileId / 1000 == 1;
}

} // namespace kestrix
