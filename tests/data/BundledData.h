#pragma once

#include "catalogue/Catalogue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrix::testdata {

// The program folder the build lays out.
QString BinDir();
QString ImagePath(const QString &name);
QString TilePicturePath(int number);

// The header fields of a Windows bitmap; nullopt when the file is missing or
// is no bitmap.
struct BmpHeader
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int compression = 0;
};
std::optional<BmpHeader> ReadBmpHeader(const QString &path);

// The bundled catalogue, loaded as the program loads it.
const Catalogue &BundledCatalogue();
QString fiveDigitId(int id);
// Every tile that a key names or an A, N or C entry refers to.
QList<int> CatalogueTileIds();
// The tile ids of the D lines, in file order.
QList<int> BeltIds();

struct BoardCell
{
    int id = 0;
    int rotation = 0;
    QString flags;
};
struct Board
{
    QString name;
    QList<BoardCell> cells;
};
QList<Board> SampleBoards();

// A language file: its first line and its key=value lines; a key is the
// text before the first "=", found without regard to case.
struct LanguageFile
{
    QString code;
    bool validUtf8 = false;
    QString name;
    QList<QPair<QString, QString>> entries;
    std::optional<QString> value(const QString &key) const;
};
QList<LanguageFile> LanguageFiles();

// Neighbour of field n in world direction d (0 down, 1 right, 2 up, 3 left);
// -1 off the board.
int Neighbour(int n, int d);
// The local side of a tile turned by r that faces world direction d.
inline int localSide(int d, int r) { return (d - r + 4) % 4; }

} // namespace kestrix::testdata
