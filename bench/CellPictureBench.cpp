// Cost of composing one cell picture: reading the tile picture, turning it
// and, with marks, reading and stretching five step marks and laying the
// turned overlay over the tile. Opening a board composes 144 board pictures
// (57 x 57); the export composes 144 large ones (253 x 253).

#include "catalogue/Catalogue.h"
#include "catalogue/CellPicture.h"
#include "catalogue/ImageTransforms.h"
#include "catalogue/StepMarks.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

constexpr int TileId = 5001;

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QImage gradient(int width, int height)
{
    QImage image(width, height, BitmapFormat);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    return image;
}

// A tile with board and large picture and a by-count step-mark record whose
// five marks are spread over the picture.
class Fixture
{
public:
    Fixture()
    {
        m_folder = m_dir.path() + QLatin1Char('/');
        QDir(m_folder).mkpath(QStringLiteral("Images"));
        const QString images = m_folder + QStringLiteral("Images/");
        save(gradient(57, 57), images + QStringLiteral("05001.bmp"));
        save(gradient(253, 253), images + QStringLiteral("15001.bmp"));
        QImage background(40, 30, BitmapFormat);
        background.fill(qRgb(0, 0, 160));
        save(background, images + QStringLiteral("BG001.bmp"));
        for (int step = 1; step <= 5; ++step) {
            QImage glyph(40, 30, BitmapFormat);
            glyph.fill(Qt::white);
            for (int y = 5; y < 25; ++y)
                glyph.setPixel(10 + step * 4, y, qRgb(255, 255, 0));
            save(glyph, images + QStringLiteral("Font001%1.bmp").arg(step));
        }
        m_catalogue.setLines({"S05001=1Font:001*BG:001*Array:*"});
        ByCountRecord record{};
        record[0] = TileId;
        record[1] = 1;
        record[2] = 1;
        for (int row = 1; row <= 5; ++row)
            for (int pair = 1; pair <= row; ++pair) {
                record[size_t(3 + (row - 1) * 10 + (pair - 1) * 2)] = 10 + 45 * (pair - 1);
                record[size_t(4 + (row - 1) * 10 + (pair - 1) * 2)] = 20 + 40 * (row - 1);
            }
        m_stepMarks.byCount.push_back(record);
    }

    CellPicture &cells() { return m_cells; }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    Catalogue m_catalogue;
    StepMarkTables m_stepMarks;
    CellPicture m_cells{m_catalogue, m_stepMarks, m_folder};
};

// Arguments: picture offset (0 board, 10000 large), 1 for five marks.
void BM_RedrawCellPicture(benchmark::State &state)
{
    Fixture fixture;
    const int offset = int(state.range(0));
    const QString flags = state.range(1) ? QStringLiteral("11111") : QStringLiteral("00000");
    QImage cell;
    int rotation = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.cells().composeCellPicture(TileId, offset, cell, flags, rotation));
        rotation = (rotation + 1) % 4;
    }
    state.SetLabel(offset ? "253 x 253" : "57 x 57");
}
BENCHMARK(BM_RedrawCellPicture)
    ->ArgNames({"offset", "marks"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_TurnBitmap(benchmark::State &state)
{
    const QImage picture = gradient(int(state.range(0)), int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(turnBitmap(1, picture));
}
BENCHMARK(BM_TurnBitmap)->Arg(57)->Arg(253)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
