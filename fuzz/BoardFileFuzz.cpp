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
        stepMarks = loadStepMarks(catalogue);
    }

    QString folder = fuzz::BundledFolder();
    Catalogue catalogue;
    StepMarkTables stepMarks;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TileSet tiles;
    BoardFields fields;
    try {
        fields = loadBoardFile(fuzz::WriteInput(QStringLiteral("board.zvb"), data, size));
    } catch (const KestrixError &) {
        return 0;
    }

    CellPicture pictures(tiles.catalogue, tiles.stepMarks, tiles.folder);
    QImage picture;
    for (const Field &field : fields) {
        // The editor gives up opening at the first picture it cannot read.
        try {
            pictures.composeCellPicture(field.tileId, 0, picture, field.steps, field.rotation);
        } catch (const KestrixError &) {
            break;
        }
    }

    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    saveBoardFile(saved, fields);
    saved.seek(0);
    fuzz::Check(loadBoardFile(saved) == fields);
    return 0;
}
