#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace kestrix {

class Catalogue;
struct StepMarkTables;

// Composes the pictures of board cells, the selection cell and the cells
// drawn for export: the tile picture turned by the cell's rotation, with a
// step mark for every active step of tiles that carry an S entry. It reads
// the catalogue, the step-mark tables and the program folder through the
// references it was given (they must outlive it) and keeps the one scratch
// bitmap reused by every composition.
class CellPicture
{
public:
    // programFolder ends with "/".
    CellPicture(const Catalogue &catalogue, const StepMarkTables &stepMarks,
                const QString &programFolder);

    // The scratch bitmap: the picture last loaded, or the turned step-mark
    // overlay after a composition with marks.
    QImage &workBitmap() { return m_workBitmap; }
    const QImage &workBitmap() const { return m_workBitmap; }

    // ProgramFolder + "Images/" + n with at least five digits + ".bmp":
    // the board picture for a tile id, the large one for id + 10000.
    QString tilePictureFileName(int n) const;

    // The number of "1" among the first five characters of flags.
    static int countActiveSteps(const QString &flags);

    // Composes the picture of tile id (offset 0: board picture, 10000: large
    // picture) turned by rotation quarter turns counter-clockwise, with the
    // step marks of the active steps in flags, into cellPicture. A rotation
    // outside 0..3 is taken modulo 4. Returns the number of marks drawn: 0
    // without an S entry, without active steps, or when the step-mark tables
    // hold no record for the tile.
    // Throws KestrixError when a picture cannot be read: a tile picture
    // before cellPicture is touched; a mark picture after cellPicture shows
    // the turned tile without marks.
    int composeCellPicture(int id, int offset, QImage &cellPicture, const QString &flags,
                          int rotation);

    // The 10 x 10 cursor picture filled with colour; the cursor shows it
    // stretched. The settings turn a stored colour value into the colour.
    static QImage paintCursor(const QColor &colour);

private:
    QString stepMarkFileName(const QString &kind, int number, const QString &suffix) const;
    void drawStepMark(int step, int font, int background, int x, int y, float q);

    const Catalogue &m_catalogue;
    const StepMarkTables &m_stepMarks;
    const QString &m_programFolder;
    QImage m_workBitmap;
};

} // namespace kestrix
