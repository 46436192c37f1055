// What the user waits for at the document commands on the bundled tile set:
// opening a board (the file read and all 144 pictures composed before the
// open board is replaced), a new board (144 plates drawn, read and turned)
// and a save (the file written beside the target and renamed over it).

#include "app/Editor.h"
#include "app/Prompter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

class SilentPrompter : public Prompter
{
public:
    Answer message(const Message &) override { return Answer::No; }
    QString askOpenFile(const FileRequest &) override { return {}; }
    QString askSaveFile(const FileRequest &) override { return savePath; }
    void showError(const QString &) override {}

    QString savePath;
};

class Fixture
{
public:
    Fixture()
    {
        m_editor.setProgramFolder(QStringLiteral(KESTRIX_BIN_DIR "/"));
        m_editor.LoadLanguage();
        m_editor.LoadCatalogue();
        m_editor.LoadStepMarks();
        m_editor.BuildPalette();
    }

    Editor &editor() { return m_editor; }
    SilentPrompter &prompter() { return m_prompter; }

private:
    SilentPrompter m_prompter;
    Editor m_editor{m_prompter};
};

const QString FactoryBoard = QStringLiteral(KESTRIX_BIN_DIR "/Boards/Factory.zvb");

void BM_OpenBoard(benchmark::State &state)
{
    Fixture fixture;
    for (auto _ : state)
        fixture.editor().LoadBoardFile(FactoryBoard);
    if (fixture.editor().DocumentFileName() != FactoryBoard) {
        std::fputs("the board was not opened\n", stderr);
        std::abort();
    }
}
BENCHMARK(BM_OpenBoard)->Unit(benchmark::kMillisecond);

void BM_NewBoard(benchmark::State &state)
{
    Fixture fixture;
    fixture.editor().settings().OpKonventNeedWall = true;
    for (auto _ : state)
        fixture.editor().Menu1_NewClick();
}
BENCHMARK(BM_NewBoard)->Unit(benchmark::kMillisecond);

void BM_SaveBoard(benchmark::State &state)
{
    Fixture fixture;
    fixture.editor().LoadBoardFile(FactoryBoard);
    QTemporaryDir folder;
    fixture.prompter().savePath = folder.filePath(QStringLiteral("Factory.zvb"));
    for (auto _ : state)
        fixture.editor().Menu1_SaveAsClick();
}
BENCHMARK(BM_SaveBoard)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
