// Start-up cost of the tile catalogue as the tile set grows: loading the
// catalogue, working out the palette and the lookups that composing and
// fitting a full board make. Run with N = 1,000 and 10,000 tiles and compare
// the figures of one run: they should grow about linearly.

#include "catalogue/Catalogue.h"
#include "catalogue/PaletteIndex.h"
#include "catalogue/StepMarks.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace kestrix;

namespace {

constexpr int BoardFields = 144;

QByteArray tinyBitmap()
{
    QImage image(1, 1, QImage::Format_RGB888);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QByteArray id5(int id)
{
    return fiveDigitId(id).toLatin1();
}

// Six characters: family digit, four side codes, extra element.
QByteArray beltPattern(int id)
{
    QByteArray pattern = QByteArray::number((id / 100) % 10);
    for (int side = 0; side < 4; ++side)
        pattern += char('0' + ((id >> (2 * side)) & 3));
    pattern += char('0' + (id / 256) % 8);
    return pattern;
}

QByteArray stepMarkValue(int id)
{
    QByteArray value = id % 2 ? "1" : "0";
    value += "Font:001*BG:002*Array:";
    for (int pair = 0; pair < (id % 2 ? 15 : 5); ++pair)
        value += "100200";
    return value + "*";
}

// N tiles spread over the ids 0..9999, about five catalogue lines each, and
// one 1 x 1 board picture per tile (a palette picture for every tenth).
class SyntheticTileSet
{
public:
    explicit SyntheticTileSet(int count)
    {
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("Images"))) {
            fprintf(stderr, "cannot create a temporary folder\n");
            std::exit(1);
        }
        const QByteArray bitmap = tinyBitmap();
        QByteArray catalogue;
        for (int i = 0; i < count; ++i) {
            const int id = int(qint64(i) * 10000 / count);
            m_ids.append(id);
            catalogue += linesOf(i, id, count);
            writeFile(imagesFolder() + QStringLiteral("/0%1.bmp").arg(id, 4, 10, QLatin1Char('0')), bitmap);
            if (i % 10 == 0)
                writeFile(imagesFolder() + QStringLiteral("/2%1.bmp").arg(id, 4, 10, QLatin1Char('0')), bitmap);
        }
        writeFile(cataloguePath(), catalogue);
    }

    QString cataloguePath() const { return m_dir.filePath(QStringLiteral("InitList.ini")); }
    QString imagesFolder() const { return m_dir.filePath(QStringLiteral("Images")); }
    const QList<int> &ids() const { return m_ids; }

private:
    static QByteArray linesOf(int i, int id, int count)
    {
        const bool belt = id / 1000 == 1;
        const int page = id < 1000 ? 0 : belt ? 1 : 2 + i % 4;
        const QByteArray key = id5(id);
        const QByteArray other = id5(int(qint64((i + 1) % count) * 10000 / count));
        QByteArray lines = "P" + key + "=0" + QByteArray::number(page) + QByteArray::number(i % 400).rightJustified(3, '0') + "\r\n";
        lines += "W" + key + char('0' + i % 4) + "=\r\n";
        lines += "NAC"[i % 3] + key + char('0' + (i + 1) % 4) + "=" + other + "\r\n";
        lines += "N" + key + char('0' + (i + 2) % 4) + "=" + other + "\r\n";
        if (belt)
            lines += "D" + key + "=" + beltPattern(id) + "\r\n";
        else if (i % 3 == 0)
            lines += "S" + key + "=" + stepMarkValue(id) + "\r\n";
        else
            lines += "W" + key + char('0' + (i + 3) % 4) + "=\r\n";
        return lines;
    }

    QTemporaryDir m_dir;
    QList<int> m_ids;
};

const SyntheticTileSet &tileSet(int count)
{
    static std::map<int, std::unique_ptr<SyntheticTileSet>> sets;
    std::unique_ptr<SyntheticTileSet> &set = sets[count];
    if (!set)
        set = std::make_unique<SyntheticTileSet>(count);
    return *set;
}

// What composing the 144 fields and fitting their belts asks the catalogue.
void lookUpBoard(const Catalogue &catalogue, const StepMarkTables &marks, const QList<int> &ids)
{
    for (int field = 0; field < BoardFields; ++field) {
        const int id = ids[(qint64(field) * 7919) % ids.size()];
        const QString key = fiveDigitId(id);
        const QString steps = catalogue.value(QStringLiteral("S") + key);
        if (!steps.isEmpty()) {
            if (steps.startsWith(QLatin1Char('1')))
                benchmark::DoNotOptimize(findStepMarkRecord(marks.byCount, id));
            else
                benchmark::DoNotOptimize(findStepMarkRecord(marks.perStep, id));
        }
        for (int side = 0; side < 4; ++side) {
            const QString sideKey = key + QString::number(side);
            benchmark::DoNotOptimize(catalogue.hasKey(QStringLiteral("W") + sideKey));
            benchmark::DoNotOptimize(catalogue.hasKey(QStringLiteral("C") + sideKey));
            benchmark::DoNotOptimize(catalogue.value(QStringLiteral("A") + sideKey));
            benchmark::DoNotOptimize(catalogue.value(QStringLiteral("N") + sideKey));
        }
        benchmark::DoNotOptimize(catalogue.hasEntryPrefix(QStringLiteral("N") + key));
        benchmark::DoNotOptimize(catalogue.findBeltByPattern(QString::fromLatin1(beltPattern(id + field)), id));
    }
}

void setCounters(benchmark::State &state, int count)
{
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["tiles"] = count;
}

// Everything start-up does with the catalogue, and one full board.
void BM_StartUp(benchmark::State &state)
{
    const int count = int(state.range(0));
    const SyntheticTileSet &set = tileSet(count);
    for (auto _ : state) {
        Catalogue catalogue;
        catalogue.load(set.cataloguePath());
        const StepMarkTables marks = loadStepMarks(catalogue);
        const PaletteIndex palette = PaletteIndex::build(set.imagesFolder(), catalogue);
        benchmark::DoNotOptimize(palette.entries.size());
        lookUpBoard(catalogue, marks, set.ids());
    }
    setCounters(state, count);
}

void BM_Load(benchmark::State &state)
{
    const int count = int(state.range(0));
    const SyntheticTileSet &set = tileSet(count);
    for (auto _ : state) {
        Catalogue catalogue;
        catalogue.load(set.cataloguePath());
        benchmark::DoNotOptimize(loadStepMarks(catalogue).perStep.size());
    }
    setCounters(state, count);
}

void BM_BuildPalette(benchmark::State &state)
{
    const int count = int(state.range(0));
    const SyntheticTileSet &set = tileSet(count);
    Catalogue catalogue;
    catalogue.load(set.cataloguePath());
    for (auto _ : state)
        benchmark::DoNotOptimize(PaletteIndex::build(set.imagesFolder(), catalogue).entries.size());
    setCounters(state, count);
}

void BM_BoardLookups(benchmark::State &state)
{
    const int count = int(state.range(0));
    const SyntheticTileSet &set = tileSet(count);
    Catalogue catalogue;
    catalogue.load(set.cataloguePath());
    const StepMarkTables marks = loadStepMarks(catalogue);
    for (auto _ : state)
        lookUpBoard(catalogue, marks, set.ids());
    state.counters["tiles"] = count;
}

} // namespace

BENCHMARK(BM_StartUp)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildPalette)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardLookups)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
