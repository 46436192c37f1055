// What the user waits for at the document commands on the bundled tile set:
// opening a board (the file read and all 144 pictures composed before the
// open board is replaced), a new board (144 plates drawn, read and turned),
// a save (the file written beside the target and renamed over it) and
// turning the whole board (the rules, then 144 fields written with their
// pictures, as one undo group), which should cost no more than opening it.

#include "BundledEditor.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

// Every question is answered No, so no command stops to save.
class Fixture : public BundledEditor
{
public:
    Fixture() : BundledEditor(Answer::No) {}
};

const QString FactoryBoard = QStringLiteral(KESTRIX_BIN_DIR "/Boards/Factory.zvb");

void BM_OpenBoard(benchmark::State &state)
{
    Fixture fixture;
    for (auto _ : state)
        fixture.editor().loadBoard(FactoryBoard);
    if (fixture.editor().documentState() != DocumentState::boardFile(FactoryBoard)) {
        std::fputs("the board was not opened\n", stderr);
        std::abort();
    }
}
BENCHMARK(BM_OpenBoard)->Unit(benchmark::kMillisecond);

void BM_TurnWholeBoard(benchmark::State &state)
{
    Fixture fixture;
    Editor &editor = fixture.editor();
    editor.loadBoard(FactoryBoard);
    editor.regions().selectWholeBoard();
    for (auto _ : state)
        editor.regions().turn(true);
    if (!editor.boardModified()) {
        std::fputs("the board was not turned\n", stderr);
        std::abort();
    }
}
BENCHMARK(BM_TurnWholeBoard)->Unit(benchmark::kMillisecond);

// Opening the board in each of the four states the turns above cycle
// through, one after the other: the same fields and pictures to compose.
void BM_OpenTurnedBoards(benchmark::State &state)
{
    Fixture fixture;
    Editor &editor = fixture.editor();
    editor.loadBoard(FactoryBoard);
    QTemporaryDir folder;
    QStringList turned;
    for (int turns = 0; turns < 4; ++turns) {
        editor.regions().selectWholeBoard();
        editor.regions().turn(true);
        turned.append(folder.filePath(QStringLiteral("Turned%1.zvb").arg(turns)));
        fixture.prompter().savePath = turned.last();
        editor.saveBoardAs();
    }
    qsizetype next = 0;
    for (auto _ : state)
        editor.loadBoard(turned[next++ % turned.size()]);
}
BENCHMARK(BM_OpenTurnedBoards)->Unit(benchmark::kMillisecond);

void BM_NewBoard(benchmark::State &state)
{
    Fixture fixture;
    Settings settings = fixture.editor().settings();
    settings.OpKonventNeedWall = true;
    fixture.editor().changeSettings(settings);
    for (auto _ : state)
        fixture.editor().newBoard();
}
BENCHMARK(BM_NewBoard)->Unit(benchmark::kMillisecond);

void BM_SaveBoard(benchmark::State &state)
{
    Fixture fixture;
    fixture.editor().loadBoard(FactoryBoard);
    QTemporaryDir folder;
    fixture.prompter().savePath = folder.filePath(QStringLiteral("Factory.zvb"));
    for (auto _ : state)
        fixture.editor().saveBoardAs();
}
BENCHMARK(BM_SaveBoard)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
