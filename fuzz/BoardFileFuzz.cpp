// A board file may come from anyone. It is read and its fields composed on
// the bundled tile set as opening it in the editor does; what was read must
// then come back unchanged through a save and a second read.
#include "FuzzInput.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CellPicture.h"
#include "catalogue/StepMarks.h"
#include "document/BoardFile.h"
#include "util/KestrixError.h"

#include <QBuffer>

using namespace kestrix;

namespace {

struct TileSet
{
    TileSet()
    {
        catalogue.load(folder + QStringLiteral("InitList.ini"));
        stepMarks = LoadStepMarks(catalogue);
    }

    QString folder = fuzz::BundledFolder();
    Catalogue catalogue;
    StepMarkTables stepMarks;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TileSet tiles;
    BoardFileFields fields;
    try {
        fields = LoadBoardFile(fuzz::WriteInput(QStringLiteral("board.zvb"), data, size));
    } catch (const KestrixError &) {
        return 0;
    }

    BoardCells cells;
    CellPicture pictures(tiles.catalogue, tiles.stepMarks, tiles.folder);
    bool composing = true;
    for (int k = 0; k < CellCount; ++k) {
        TImgKarte &cell = cells[size_t(k)];
        cell.Tag = fields[size_t(k)].tileId;
        cell.Rotation = fields[size_t(k)].rotation;
        cell.StepFlags = fields[size_t(k)].stepFlags;
        // The editor gives up opening at the first picture it cannot read.
        try {
            if (composing)
                pictures.RedrawCellPicture(cell.Tag, 0, cell.picture, cell.StepFlags, cell.Rotation);
        } catch (const KestrixError &) {
            composing = false;
        }
    }

    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    SaveBoardFile(saved, cells);
    saved.seek(0);
    fuzz::Check(LoadBoardFile(saved) == fields);
    return 0;
}
