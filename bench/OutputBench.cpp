// What the user waits for at "Als Bild speichern..." on the bundled tile set
// and the sample factory board: one quarter rendered from its 36 large
// pictures, one quarter encoded as JPEG, and the whole export of four JPEG
// files, which is four of each plus the writes.

#include "BundledEditor.h"
#include "catalogue/JpegWriter.h"
#include "output/BoardQuarter.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

class Fixture : public BundledEditor
{
public:
    Fixture() { editor().loadBoard(QStringLiteral(KESTRIX_BIN_DIR "/Boards/Factory.zvb")); }
};

void BM_RenderQuarter(benchmark::State &state)
{
    Fixture fixture;
    for (auto _ : state) {
        QImage quarter = renderBoardQuarter(fixture.editor().pictureSource(), 1);
        benchmark::DoNotOptimize(quarter);
    }
}
BENCHMARK(BM_RenderQuarter)->Unit(benchmark::kMillisecond);

void BM_EncodeQuarter(benchmark::State &state)
{
    Fixture fixture;
    const QImage quarter = renderBoardQuarter(fixture.editor().pictureSource(), 1);
    for (auto _ : state) {
        QByteArray jpeg = convertToJpeg(quarter);
        benchmark::DoNotOptimize(jpeg);
    }
}
BENCHMARK(BM_EncodeQuarter)->Unit(benchmark::kMillisecond);

void BM_ExportBoardPictures(benchmark::State &state)
{
    Fixture fixture;
    QTemporaryDir folder;
    fixture.prompter().savePath = folder.filePath(QStringLiteral("Factory.jpg"));
    for (auto _ : state)
        fixture.editor().exportBoardPictures();
    if (QDir(folder.path()).entryList(QDir::Files).size() != 4) {
        std::fputs("the four pictures were not written\n", stderr);
        std::abort();
    }
}
BENCHMARK(BM_ExportBoardPictures)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
