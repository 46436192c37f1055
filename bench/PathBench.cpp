// The board named on the command line is expanded component by component
// before the window appears; a very long argument must not hold it up.

#include "app/CommandLine.h"

#include <benchmark/benchmark.h>

using namespace kestrix;

namespace {

void BM_BoardPathFromLongArgument(benchmark::State &state)
{
    // 131 KB of short folder names, as a careless script may pass.
    const QString argument = QStringLiteral("/abc").repeated(131 * 1024 / 4) + QStringLiteral("/Plan");
    for (auto _ : state) {
        QString path = boardPathFromArgument(argument);
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(BM_BoardPathFromLongArgument)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
