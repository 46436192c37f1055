// Many random applications on the bundled tile set and sample boards, then
// undo all the way back: every undo must give the board as it was before the
// matching application. The choices are seeded; a failure names its seed,
// and KESTRIX_APPLY_SEED=<seed> replays it (or tries other seeds).

#include "app/Editor.h"
#include "document/BoardFile.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QList>

#include <gtest/gtest.h>

#include <random>

using namespace kestrix;

namespace {

// The most entries one application can write: its target; the replaced
// tile's four fields, each adapting four belts; four belts beside the target;
// four extra fields, each clearing three fields with their belts, then
// adapting four belts.
constexpr int LargestGroup = 1 + 4 * (1 + 4) + 4 + 4 * (3 * (1 + 4) + 1 + 4);

QString binFolder()
{
    return QStringLiteral(KESTRIX_BIN_DIR "/");
}

quint32 baseSeed()
{
    const QByteArray seed = qgetenv("KESTRIX_APPLY_SEED");
    return seed.isEmpty() ? 20260001u : seed.toUInt();
}

struct Conventions
{
    bool needWall, notWall, belt, field;
};

class BundledRun
{
public:
    BundledRun(const QString &board, Conventions conventions, quint32 seed) : m_choices(seed)
    {
        m_editor.setProgramFolder(binFolder());
        m_editor.LoadLanguage();
        m_editor.LoadCatalogue();
        m_editor.LoadStepMarks();
        m_editor.BuildPalette();
        Settings &settings = m_editor.settings();
        settings.OpKonventNeedWall = conventions.needWall;
        settings.OpKonventNotWall = conventions.notWall;
        settings.OpKonventBelt = conventions.belt;
        settings.OpKonventField = conventions.field;
        m_editor.seedRandom(seed);
        m_editor.LoadBoardFile(binFolder() + QStringLiteral("Boards/") + board);

        // What the palette offers and every belt.
        for (const QByteArray &line : m_editor.catalogue().lines()) {
            if (line.startsWith('P') || line.startsWith('D'))
                m_tiles.append(line.mid(1, 5).toInt());
        }
    }

    int choose(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_choices); }

    // One application of a random tile on a random field; false when the
    // Editor refused it.
    bool applyRandomTile()
    {
        const int field = choose(CellCount);
        const int tile = m_tiles[choose(int(m_tiles.size()))];
        m_editor.ImgKarteClick(field);
        m_editor.selection().Tag = tile;
        m_editor.selection().Rotation = choose(4);
        for (int i = 0; i < 5; ++i)
            m_editor.setStepBox(i, choose(3) == 0);
        // As on the palette page of the counters: the step panel with the
        // tiles that have step marks.
        m_editor.setPanel4Visible(!m_editor.catalogue().CatalogueValue(QStringLiteral("S") + Id5(tile)).isEmpty());

        const qsizetype messages = m_prompter.messages.size();
        m_editor.Button1Click();
        return m_prompter.messages.size() == messages;
    }

    Editor &editor() { return m_editor; }
    ScriptedPrompter &prompter() { return m_prompter; }

private:
    ScriptedPrompter m_prompter;
    Editor m_editor{m_prompter};
    std::mt19937 m_choices;
    QList<int> m_tiles;
};

} // namespace

TEST(ApplyBundled, EveryUndoGivesTheBoardBeforeItsApplication)
{
    ASSERT_TRUE(QDir(binFolder() + QStringLiteral("Images")).exists()) << binFolder().toStdString();
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

    for (int mask = 0; mask < 16; ++mask) {
        const Conventions conventions{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0};
        const QString board = boards[mask % boards.size()];
        const quint32 seed = baseSeed() + quint32(mask);
        SCOPED_TRACE(QStringLiteral("seed %1, board %2, conventions NeedWall %3 NotWall %4 Belt %5 Field %6")
                         .arg(seed)
                         .arg(board)
                         .arg(conventions.needWall)
                         .arg(conventions.notWall)
                         .arg(conventions.belt)
                         .arg(conventions.field)
                         .toStdString());
        BundledRun run(board, conventions, seed);
        Editor &editor = run.editor();
        const BoardCells start = editor.cells();

        QList<BoardCells> before;
        int refused = 0;
        while (editor.undoRing().UndoPos() + LargestGroup < UndoRing::SlotCount) {
            const BoardCells now = editor.cells();
            const int undoPos = editor.undoRing().UndoPos();
            if (!run.applyRandomTile()) {
                ++refused;
                ASSERT_EQ(editor.cells(), now) << "a refusal changed the board";
                ASSERT_EQ(editor.undoRing().UndoPos(), undoPos);
                continue;
            }
            ASSERT_GT(editor.undoRing().UndoPos(), undoPos);
            // No extra field and no cleared field ever takes the target.
            const TImgKarte &selection = editor.selection();
            const TImgKarte &target = editor.cells()[size_t(selection.CellNumber)];
            ASSERT_EQ(target.Tag, selection.Tag) << "field " << selection.CellNumber;
            ASSERT_EQ(target.Rotation, selection.Rotation) << "field " << selection.CellNumber;
            before.append(now);
        }
        EXPECT_GT(before.size(), 100);
        EXPECT_GT(refused, 0);
        EXPECT_EQ(run.prompter().messages.size(), refused);

        for (qsizetype i = before.size() - 1; i >= 0; --i) {
            ASSERT_TRUE(editor.undoRing().canUndo()) << "application " << i;
            editor.Menu1_UndoClick();
            ASSERT_EQ(editor.cells(), before[i]) << "undo of application " << i;
        }
        EXPECT_EQ(editor.cells(), start);
        EXPECT_FALSE(editor.undoRing().canUndo());
    }
}

// Random runs of applications, undos, redos and saves, checked after every
// step against a plain model: the list of boards the applications made, the
// position of the one shown and whether it differs from the saved file. Redo must give back exactly the board that undo
// took back, random ground plates included, and undoing everything the board
// as it was opened, byte for byte.
TEST(ApplyBundled, RedoGivesBackExactlyWhatUndoTookBack)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

    for (int run = 0; run < 6; ++run) {
        const Conventions conventions{run % 2 == 0, false, run % 3 == 0, false};
        const QString board = boards[run % boards.size()];
        const quint32 seed = baseSeed() + 100u + quint32(run);
        SCOPED_TRACE(QStringLiteral("seed %1, board %2").arg(seed).arg(board).toStdString());
        BundledRun bundled(board, conventions, seed);
        Editor &editor = bundled.editor();
        // Saved now and then, so a copy of the board.
        QTemporaryDir dir;
        const QString path = dir.filePath(board);
        ASSERT_TRUE(QFile::copy(binFolder() + QStringLiteral("Boards/") + board, path));
        const QByteArray original = ReadWholeFile(path);
        editor.LoadBoardFile(path);

        QList<BoardCells> states{editor.cells()};
        qsizetype shown = 0;
        int redos = 0;
        bool modified = false;
        for (int step = 0; step < 500; ++step) {
            const int choice = bundled.choose(12);
            if (choice >= 10) {
                ASSERT_TRUE(editor.Menu1_SaveClick());
                modified = false;
            } else if (choice < 4 && editor.undoRing().UndoPos() + LargestGroup < UndoRing::SlotCount) {
                if (!bundled.applyRandomTile())
                    continue;
                states.resize(shown + 1);
                states.append(editor.cells());
                ++shown;
                modified = true;
            } else if (choice < 7) {
                editor.Menu1_UndoClick();
                if (shown > 0) {
                    --shown;
                    modified = true;
                }
            } else {
                editor.Menu1_RedoClick();
                if (shown + 1 < states.size()) {
                    ++shown;
                    ++redos;
                    modified = true;
                }
            }
            ASSERT_EQ(editor.cells(), states[shown]) << "step " << step;
            ASSERT_EQ(editor.undoRing().canUndo(), shown > 0) << "step " << step;
            ASSERT_EQ(editor.undoRing().canRedo(), shown + 1 < states.size()) << "step " << step;
            ASSERT_EQ(editor.boardModified(), modified) << "step " << step;
        }
        EXPECT_GT(redos, 20);

        while (editor.undoRing().canUndo())
            editor.Menu1_UndoClick();
        QBuffer written;
        written.open(QIODevice::WriteOnly);
        SaveBoardFile(written, editor.cells());
        EXPECT_EQ(written.data(), original);
        for (int n = 0; n < CellCount; ++n) {
            QImage picture;
            editor.cellPicture().RedrawCellPicture(editor.cells()[size_t(n)].Tag, 0, picture,
                                                   editor.cells()[size_t(n)].StepFlags,
                                                   editor.cells()[size_t(n)].Rotation);
            ASSERT_EQ(editor.cells()[size_t(n)].picture, picture) << "field " << n;
        }
    }
}
