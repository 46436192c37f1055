#pragma once

#include <QColor>
#include <QPainter>

#include <iterator>

namespace kestrix::tiles {

// Number of plate variants in each ground-plate group; the plates of group g
// are g * 100 + 0 .. g * 100 + count - 1.
inline constexpr int kGroundPlateCounts[] = {6, 5, 4};
inline constexpr int kGroundPlateGroups = int(std::size(kGroundPlateCounts));

QColor floorColour(int group);
// A riveted steel floor plate of `group`; the variants differ in bolts,
// scratches, patches, drains and stains.
void drawFloor(QPainter &p, int group, int variant);

} // namespace kestrix::tiles
