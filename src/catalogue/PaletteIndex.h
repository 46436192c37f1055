#pragma once

#include <QList>
#include <QString>

#include <array>

namespace kestrix {

class Catalogue;

// One palette picture: a tile with a P entry.
struct PaletteEntry
{
    int tag = 0;   // the tile id
    int page = 0;  // 0..5
    int slot = 0;
    int left = 0;  // position on the page's panel
    int top = 0;
    QString picturePath;
    bool transparent = false; // the palette picture (2dddd.bmp) is shown

    bool operator==(const PaletteEntry &) const = default;
};

// What the palette shows, worked out from the board pictures in the Images
// folder and the P entries of the catalogue, without any widget.
struct PaletteIndex
{
    static constexpr int PageCount = 6;
    static constexpr int PictureSize = 57;

    // In the order of the picture file names.
    QList<PaletteEntry> entries;
    // Per page the largest top + 65 of its pictures; 0 for an empty page.
    std::array<int, PageCount> panelHeights{};
    // Board pictures per ground-plate group, plates without a P entry too.
    QList<int> groundPlateCounts;

    // 0 for a group outside the table.
    int groundPlateCount(int group) const;

    static PaletteIndex build(const QString &imagesFolder, const Catalogue &catalogue);
};

} // namespace kestrix
