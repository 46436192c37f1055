#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace kestrix {

class Catalogue;

// The pages of the tile definition dialog whose boxes stand around the
// picture, one box per side. The first four write their own catalogue lines
// (letters W, A, N, C); "Möglich" and "Richtung" only feed the belt pattern.
enum class SidePage { Wall, Adds, Needs, Compulsory, Possible, Direction };
inline constexpr int SidePageCount = 6;
inline constexpr int SideCount = 4;
// The pages Adds, Needs and Compulsory ("Adds", "Nötig", "Zwingend") carry
// a field per side.
bool sidePageHasFields(SidePage page);

struct SideBox
{
    bool ticked = false;
    QString text; // the side's field; unused on pages without fields

    bool operator==(const SideBox &) const = default;
};

// What the dialog's controls hold for one tile.
struct TileDefinition
{
    QString number;   // Edit1: the tile's number
    QString position; // Edit2: the palette position, empty for none
    std::array<std::array<SideBox, SideCount>, SidePageCount> pages{};
    int beltItem = 0; // RadioGroup1: the belt's extra element, 0..7

    SideBox &side(SidePage page, int j) { return pages[size_t(page)][size_t(j)]; }
    const SideBox &side(SidePage page, int j) const { return pages[size_t(page)][size_t(j)]; }

    bool operator==(const TileDefinition &) const = default;
};

inline constexpr int BeltItemCount = 8;

// The line of the dialog's file list being edited.
struct TileFileLine
{
    int row = -1;     // 0 for the first line
    QString fileName; // e.g. "01234.bmp"
};

// The tile id a picture file names: its first five characters, read leniently.
int tileIdOfFileName(const QString &fileName);

// The board pictures of the folder ("0", four characters, ".bmp"), in
// ascending name order.
QStringList tilePictureNames(const QString &imagesFolder);

// ProgramFolder + "Images/" + (id + 10000) with five digits + ".bmp".
QString largePictureFileName(const QString &programFolder, int id);

// The controls' contents for tile id as the catalogue describes it.
TileDefinition readTileDefinition(const Catalogue &catalogue, int id);

// The six characters of tile id's D entry: the family digit, a code per side
// (wall 1 before side input 2 before direction 3, else 0) and the belt item.
QString beltPattern(int id, const TileDefinition &definition);

// Writes the definition into the catalogue for the tile of line, sorts it
// and saves it to programFolder + "InitList.ini". A changed number renumbers
// the tile first (its lines, the values that name it and its pictures) unless
// line is one of the list's first three; line then names the new picture.
// Returns the text of a refusal (a number out of range or already taken),
// in which case nothing has changed; empty when the definition was written.
// Throws KestrixError, changing nothing, when the program folder or its
// Images folder is read-only. Throws KestrixError when a picture cannot be
// renamed or the catalogue cannot be saved; the pictures, the list in memory,
// the file and line are then all as they were.
QString applyTileDefinition(Catalogue &catalogue, const QString &programFolder, TileFileLine &line,
                            const TileDefinition &definition);

} // namespace kestrix
