// Many random applications through the Editor on the bundled tile set and
// sample boards: the Editor writes and records what the rules work out, and
// undo and redo give back the boards exactly. Some runs move some belts into
// a family of their own, so that some fittings find no belt. The choices are
// seeded; a failure names its seed, and KESTRIX_APPLY_SEED=<seed> replays it
// (or tries other seeds).

#include "document/BoardFile.h"

#include "support/BundledEditorRun.h"
#include "support/QtPrinters.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QList>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kestrix;

// The Editor applies exactly what the rules work out: over many random
// applications its board is the rules' board, its undo group the states the
// rules recorded and its selection the belt they fitted.
TEST(ApplyBundled, TheEditorWritesAndRecordsWhatTheRulesWorkOut)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

    for (int run = 0; run < 4; ++run) {
        const Conventions conventions{run % 2 == 0, run == 1, run % 3 == 0, run == 3};
        const quint32 seed = baseSeed() + 200u + quint32(run);
        SCOPED_TRACE(QStringLiteral("seed %1").arg(seed).toStdString());
        BundledRun bundled(boards[run % boards.size()], conventions, run % 2 == 1, seed);
        Editor &editor = bundled.editor();
        const TileCodes codes(editor.catalogue());
        const int group = editor.groundPlateGroup();
        int refused = 0;
        for (quint32 i = 0; editor.undoRing().undoPos() + LargestGroup < UndoRing::SlotCount; ++i) {
            const BoardFields before = editor.cells();
            bundled.prepareRandomTile();
            const Selection &selection = editor.selection();
            const Placement placement{selection.tileId, selection.rotation, editor.stepFlagsFromBoxes(), selection.cell,
                                      editor.stepPanelVisible()};
            SeededRandom random(seed + i);
            const Application expected = applyPlacement(
                before, placement, {codes, conventions, group, editor.resources().palette().groundPlateCount(group), random});
            editor.seedRandom(seed + i);
            const qsizetype messages = bundled.prompter().messages.size();

            editor.applySelection();

            if (expected.refusal) {
                ++refused;
                ASSERT_EQ(bundled.prompter().messages.size(), messages + 1) << i;
                ASSERT_EQ(editor.cells(), before) << i;
                continue;
            }
            BoardFields written = before;
            for (const FieldWrite &write : expected.written)
                written[size_t(write.cell)] = write.field;
            ASSERT_EQ(editor.cells(), written) << i;
            ASSERT_EQ(editor.selection().tileId, expected.fittedTile) << i;
            UndoRing ring = editor.undoRing();
            QList<UndoEntry> entries = ring.takeBackGroup();
            std::reverse(entries.begin(), entries.end());
            ASSERT_EQ(entries.size(), expected.recorded.size()) << i;
            for (qsizetype k = 0; k < entries.size(); ++k) {
                const FieldWrite &state = expected.recorded[k];
                ASSERT_EQ(entries[k], (UndoEntry{state.cell, state.field, k == 0})) << i << " entry " << k;
            }
        }
        EXPECT_GT(refused, 0);
    }
}

// Random runs of applications, undos, redos and saves, checked after every
// step against a plain model: the list of boards the applications made, the
// position of the one shown and whether it differs from the saved file. Redo
// must give back exactly the board that undo took back, random ground plates
// included, and undoing everything the board as it was opened, byte for byte.
TEST(ApplyBundled, RedoGivesBackExactlyWhatUndoTookBack)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

    for (int run = 0; run < 6; ++run) {
        const Conventions conventions{run % 2 == 0, false, run % 3 == 0, false};
        const QString board = boards[run % boards.size()];
        const quint32 seed = baseSeed() + 100u + quint32(run);
        SCOPED_TRACE(QStringLiteral("seed %1, board %2").arg(seed).arg(board).toStdString());
        BundledRun bundled(board, conventions, false, seed);
        Editor &editor = bundled.editor();
        // Saved now and then, so a copy of the board.
        QTemporaryDir dir;
        const QString path = dir.filePath(board);
        ASSERT_TRUE(QFile::copy(binFolder() + QStringLiteral("Boards/") + board, path));
        const QByteArray original = readWholeFile(path, MaxBoardFileSize);
        editor.loadBoard(path);

        QList<BoardFields> states{editor.cells()};
        qsizetype shown = 0;
        int redos = 0;
        bool modified = false;
        for (int step = 0; step < 500; ++step) {
            const int choice = bundled.choose(12);
            if (choice >= 10) {
                ASSERT_TRUE(editor.saveBoard());
                modified = false;
            } else if (choice < 4 && editor.undoRing().undoPos() + LargestGroup < UndoRing::SlotCount) {
                if (!bundled.applyRandomTile())
                    continue;
                states.resize(shown + 1);
                states.append(editor.cells());
                ++shown;
                modified = true;
            } else if (choice < 7) {
                editor.undoApplication();
                if (shown > 0) {
                    --shown;
                    modified = true;
                }
            } else {
                editor.redoApplication();
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
            editor.undoApplication();
        QBuffer written;
        written.open(QIODevice::WriteOnly);
        saveBoardFile(written, editor.cells());
        EXPECT_EQ(written.data(), original);
        for (int n = 0; n < CellCount; ++n) {
            QImage picture;
            editor.cellPicture().composeCellPicture(editor.cells()[size_t(n)].tileId, 0, picture,
                                                   editor.cells()[size_t(n)].steps,
                                                   editor.cells()[size_t(n)].rotation);
            ASSERT_EQ(editor.fieldPicture(n), picture) << "field " << n;
        }
    }
}
