// Cost of applying the selection ("Übernehmen") on the bundled tile set: the checks, the belt
// fitted and the selection's large picture composed, the target and the
// belt it runs into recorded and redrawn. Each application is taken back
// (untimed) so every iteration does the same work. Beside it, in the same
// run, the status line's check after a change: the pair check and its
// verdict in words, on each bundled board.

#include "BundledEditor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

// Three belts run into field 50 and the belt there runs into 38: the belt
// applied on 50 becomes the merge, the one on 38 takes an input.
class Fixture : public BundledEditor
{
public:
    Fixture()
    {
        const struct { int cell, tag, rotation; } belts[] = {{49, 1000, 3}, {51, 1000, 1}, {62, 1000, 0}, {38, 1000, 0}};
        for (const auto &belt : belts) {
            editor().cells()[size_t(belt.cell)].tileId = belt.tag;
            editor().cells()[size_t(belt.cell)].rotation = belt.rotation;
        }
        editor().selectField(50);
    }

    void prepare()
    {
        editor().selection().tileId = 1000;
        editor().selection().rotation = 0;
    }
};

void BM_ApplySelectionWithFitting(benchmark::State &state)
{
    Fixture fixture;
    Editor &editor = fixture.editor();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.prepare();
        state.ResumeTiming();
        editor.applySelection();
        state.PauseTiming();
        if (editor.cells()[50].tileId != 1007 || editor.cells()[38].tileId != 1001) {
            std::fprintf(stderr, "the merge was not fitted\n");
            std::exit(1);
        }
        editor.undoApplication();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplySelectionWithFitting)->Unit(benchmark::kMicrosecond);

void BM_StatusLineCheck(benchmark::State &state)
{
    const char *const boards[] = {"Factory.zvb", "Belts.zvb", "Machines.zvb", "Unpaired.zvb"};
    const char *const board = boards[state.range(0)];
    BundledEditor fixture;
    Editor &editor = fixture.editor();
    editor.loadBoard(QStringLiteral(KESTRIX_BIN_DIR "/Boards/") + QLatin1String(board));
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.boardCheckVerdict());
    state.SetLabel(board);
}
BENCHMARK(BM_StatusLineCheck)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
