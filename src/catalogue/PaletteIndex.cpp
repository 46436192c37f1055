#include "catalogue/PaletteIndex.h"

#include "catalogue/Catalogue.h"
#include "util/Utils.h"

#include <QDir>
#include <QDirIterator>
#include <QHash>

#include <algorithm>
#include <vector>

namespace kestrix {

namespace {

constexpr int SlotPitch = 64;
constexpr int SlotMargin = 8;
constexpr int SlotsPerRow = 4;
constexpr int PanelBottomMargin = 65;

// The names of the board pictures ("0", four characters, ".bmp" in any
// case, as a file mask matches it) in ascending order, and of the palette
// pictures ("2" ...), listed together so that a tile's palette picture is
// looked up in memory rather than asked of the file system. Palette
// pictures are found by their name in small letters, so ".BMP" counts for
// them as it counts for the board pictures.
struct PictureNames
{
    QStringList board;
    QHash<QString, QString> palette; // small letters -> the name on disk
};

// Of two names that differ only in case, the one in small letters wins,
// else the one that sorts first, whatever order the folder lists them in.
void addPaletteName(QHash<QString, QString> &palette, const QString &name)
{
    const QString key = name.toLower();
    const auto it = palette.constFind(key);
    if (it == palette.constEnd() || (it.value() != key && (name == key || name < it.value())))
        palette.insert(key, name);
}

// Board names all begin with "0" and are nine characters long, so the four
// characters after the "0", packed into one number, order them; the whole
// name only settles names that differ in the case of ".bmp". Comparing
// numbers held side by side is much quicker than comparing the strings.
struct BoardName
{
    quint64 idChars;
    QString name;

    bool operator<(const BoardName &other) const
    {
        return idChars != other.idChars ? idChars < other.idChars : name < other.name;
    }
};

quint64 packIdChars(const QString &name)
{
    quint64 packed = 0;
    for (qsizetype i = 1; i <= 4; ++i)
        packed = (packed << 16) | name[i].unicode();
    return packed;
}

PictureNames listPictures(const QDir &folder)
{
    PictureNames names;
    std::vector<BoardName> board;
    // An iterator rather than entryList(): building entryList()'s file
    // information took longer than all the rest of the palette.
    QDirIterator it(folder.path(), {QStringLiteral("0????.bmp"), QStringLiteral("2????.bmp")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.size() != 9 || !name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            continue;
        if (name[0] == u'0')
            board.push_back({packIdChars(name), name});
        else if (name[0] == u'2')
            addPaletteName(names.palette, name);
    }
    std::sort(board.begin(), board.end());
    names.board.reserve(qsizetype(board.size()));
    for (BoardName &b : board)
        names.board.append(std::move(b.name));
    return names;
}

// Ground plates are named 00gkk: the third character is the group. With the
// names in ascending order a new group is always the highest one so far.
void countGroundPlate(const QString &name, QList<int> &counts, int &maxGroup)
{
    if (!name.startsWith(QStringLiteral("00")))
        return;
    const int g = toIntOrZero(name.mid(2, 1));
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

int PaletteIndex::groundPlateCount(int group) const
{
    return group >= 0 && group < groundPlateCounts.size() ? groundPlateCounts[group] : 0;
}

PaletteIndex PaletteIndex::build(const QString &imagesFolder, const Catalogue &catalogue)
{
    PaletteIndex index;
    const QDir folder(imagesFolder);
    int maxGroup = -1;
    const PictureNames pictures = listPictures(folder);
    index.entries.reserve(pictures.board.size());
    for (const QString &name : pictures.board) {
        countGroundPlate(name, index.groundPlateCounts, maxGroup);

        const QString position = catalogue.value(QStringLiteral("P") + fileBaseName(name));
        if (position.isEmpty())
            continue;

        PaletteEntry entry;
        entry.tag = toIntOrZero(name.mid(1, 4));
        entry.page = toIntOrZero(position.mid(1, 1));
        // There are six pages only; a tile with another page digit goes to
        // the first page rather than nowhere.
        if (entry.page < 0 || entry.page >= PageCount)
            entry.page = 0;
        entry.slot = toIntOrZero(position.mid(2, 3));
        entry.left = (entry.slot % SlotsPerRow) * SlotPitch + SlotMargin;
        entry.top = (entry.slot / SlotsPerRow) * SlotPitch + SlotMargin;

        const QString palettePicture = pictures.palette.value(palettePictureName(entry.tag));
        entry.transparent = !palettePicture.isEmpty();
        entry.picturePath = folder.filePath(entry.transparent ? palettePicture : name);

        int &height = index.panelHeights[size_t(entry.page)];
        height = std::max(height, entry.top + PanelBottomMargin);
        index.entries.append(entry);
    }
    return index;
}

} // namespace kestrix
