#include "catalogue/PaletteIndex.h"

#include "catalogue/Catalogue.h"
#include "util/Utils.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kestrix {

namespace {

constexpr int SlotPitch = 64;
constexpr int SlotMargin = 8;
constexpr int SlotsPerRow = 4;
constexpr int PanelBottomMargin = 65;

// Board pictures: "0", four characters, ".bmp" (the extension in any case,
// as a file mask matches it), in ascending name order.
QStringList boardPictureNames(const QDir &folder)
{
    QStringList names = folder.entryList({QStringLiteral("0????.bmp")}, QDir::Files, QDir::NoSort);
    names.removeIf([](const QString &name) {
        return name.size() != 9 || name[0] != u'0'
               || !name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
    });
    std::sort(names.begin(), names.end());
    return names;
}

// Ground plates are named 00gkk: the third character is the group. With the
// names in ascending order a new group is always the highest one so far.
void countGroundPlate(const QString &name, QList<int> &counts, int &maxGroup)
{
    if (!name.startsWith(QStringLiteral("00")))
        return;
    const int g = StrToIntOrZero(name.mid(2, 1));
    if (g > maxGroup) {
        maxGroup = g;
        counts.resize(g + 1, 0);
        counts[g] = 0;
    }
    ++counts[maxGroup];
}

QString palettePictureName(int tag)
{
    return QStringLiteral("2%1.bmp").arg(tag, 4, 10, QLatin1Char('0'));
}

} // namespace

int PaletteIndex::GroundPlateCount(int group) const
{
    return group >= 0 && group < groundPlateCounts.size() ? groundPlateCounts[group] : 0;
}

PaletteIndex PaletteIndex::BuildPalette(const QString &imagesFolder, const Catalogue &catalogue)
{
    PaletteIndex index;
    const QDir folder(imagesFolder);
    int maxGroup = -1;
    for (const QString &name : boardPictureNames(folder)) {
        countGroundPlate(name, index.groundPlateCounts, maxGroup);

        const QString position = catalogue.CatalogueValue(QStringLiteral("P") + FileBaseName(name));
        if (position.isEmpty())
            continue;

        PaletteEntry entry;
        entry.tag = StrToIntOrZero(name.mid(1, 4));
        entry.page = StrToIntOrZero(position.mid(1, 1));
        // There are six pages only; a tile with another page digit goes to
        // the first page rather than nowhere.
        if (entry.page < 0 || entry.page >= PageCount)
            entry.page = 0;
        entry.slot = StrToIntOrZero(position.mid(2, 3));
        entry.left = (entry.slot % SlotsPerRow) * SlotPitch + SlotMargin;
        entry.top = (entry.slot / SlotsPerRow) * SlotPitch + SlotMargin;

        const QString palettePicture = folder.filePath(palettePictureName(entry.tag));
        entry.transparent = QFileInfo::exists(palettePicture);
        entry.picturePath = entry.transparent ? palettePicture : folder.filePath(name);

        int &height = index.panelHeights[size_t(entry.page)];
        height = std::max(height, entry.top + PanelBottomMargin);
        index.entries.append(entry);
    }
    return index;
}

} // namespace kestrix
