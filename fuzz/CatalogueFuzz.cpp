// The catalogue is edited by hand in administration mode. It is read, its
// step-mark tables built, the palette worked out over the bundled pictures,
// tiles with step marks drawn and tile definitions read back; its lookup
// indexes must answer exactly as a scan over the lines would.
#include "FuzzInput.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CellPicture.h"
#include "catalogue/PaletteIndex.h"
#include "catalogue/StepMarks.h"
#include "tiledefinition/TileDefinition.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <algorithm>

using namespace kestrix;

namespace {

// How many lines and records one input checks; enough for any mutation to
// reach, few enough to keep each run fast on a long file.
constexpr qsizetype Sample = 48;

QByteArray folded(QByteArrayView text)
{
    QByteArray result = text.toByteArray();
    for (char &c : result)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return result;
}

// The first line whose name is name without regard to case, by a scan.
qsizetype scanFind(const QList<QByteArray> &lines, QByteArrayView name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals >= 0 && folded(QByteArrayView(lines[i]).first(equals)) == folded(name))
            return i;
    }
    return -1;
}

void checkIndexes(const Catalogue &catalogue)
{
    const QList<QByteArray> &lines = catalogue.lines();
    for (qsizetype i = 0; i < std::min(lines.size(), Sample); ++i) {
        const QByteArray &line = lines[i];
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0) {
            const QByteArray name = line.left(equals);
            fuzz::Check(catalogue.find(QString::fromLatin1(name)) == scanFind(lines, name));
            fuzz::Check(catalogue.find(QString::fromLatin1(name.toUpper()))
                        == scanFind(lines, name.toUpper()));
        }
        for (qsizetype k = 0; k <= std::min<qsizetype>(line.size(), 10); ++k)
            fuzz::Check(catalogue.hasEntryPrefix(QString::fromLatin1(line.left(k))));
        QByteArray other = line.left(8);
        if (!other.isEmpty()) {
            other.back() = char(other.back() + 1);
            const bool scanned = std::any_of(lines.cbegin(), lines.cend(),
                                             [&other](const QByteArray &l) { return l.startsWith(other); });
            fuzz::Check(catalogue.hasEntryPrefix(QString::fromLatin1(other)) == scanned);
        }
        if (line.startsWith('D') && line.size() >= 13) {
            const QByteArray pattern = line.mid(7, 6);
            const auto first = std::find_if(lines.cbegin(), lines.cend(), [&pattern](const QByteArray &l) {
                return l.startsWith('D') && l.size() >= 13 && l.mid(7, 6) == pattern;
            });
            fuzz::Check(catalogue.findBeltByPattern(QString::fromLatin1(pattern), -7)
                        == toIntOrZero(QString::fromLatin1(first->mid(1, 5))));
        }
    }
}

template<typename Table>
void drawRecords(const Table &table, CellPicture &pictures, const Catalogue &catalogue)
{
    QImage picture;
    for (size_t r = 0; r < std::min(table.size(), size_t(Sample)); ++r) {
        const int id = table[r][0];
        try {
            for (const char *flags : {"11111", "10100", "01"})
                pictures.composeCellPicture(id, 0, picture, QLatin1String(flags), int(r));
        } catch (const KestrixError &) {
        }
        const TileDefinition definition = readTileDefinition(catalogue, id);
        beltPattern(id, definition);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Catalogue catalogue;
    try {
        catalogue.load(fuzz::WriteInput(QStringLiteral("InitList.ini"), data, size));
    } catch (const KestrixError &) {
        return 0;
    }
    checkIndexes(catalogue);

    const StepMarkTables stepMarks = loadStepMarks(catalogue);
    const QString folder = fuzz::BundledFolder();
    CellPicture pictures(catalogue, stepMarks, folder);
    drawRecords(stepMarks.perStep, pictures, catalogue);
    drawRecords(stepMarks.byCount, pictures, catalogue);

    const PaletteIndex palette = PaletteIndex::build(folder + QStringLiteral("Images"), catalogue);
    for (const PaletteEntry &entry : palette.entries)
        fuzz::Check(entry.page >= 0 && entry.page < PaletteIndex::PageCount);

    catalogue.sort();
    checkIndexes(catalogue);
    return 0;
}
