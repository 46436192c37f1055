#include "ApplyBench.h"

#include "support/QtPrinters.h"
#include "support/Text.h"
#include "util/KestrixError.h"
#include "support/EditorSettings.h"

#include <gtest/gtest.h>

#include <random>

using namespace kestrix;

TEST(Apply, ARefusalShowsItsMessageAndChangesNothing)
{
    // 3000 has a wall on its local side 2, facing up off the corner.
    ApplyBench bench({"W030002=", "P03000=00000"}, {0, 3000});
    ASSERT_TRUE(bench.isValid());
    bench.setConventions(false, true, false, false);
    bench.select(0, 3000, 0);
    const BoardFields before = bench.editor.cells();
    const Selection selection = bench.editor.selection();

    bench.editor.applySelection();

    EXPECT_EQ(bench.editor.selection(), selection);
    ASSERT_EQ(bench.prompter.messages.size(), 1);
    const Prompter::Message &box = bench.prompter.messages.first();
    EXPECT_EQ(box.text, u("m3")) << "message 2 is the third line";
    EXPECT_EQ(box.type, BoxType::Error);
    ASSERT_EQ(box.buttons.size(), 1);
    EXPECT_EQ(box.buttons.first().answer, Answer::Ok);
    EXPECT_EQ(bench.editor.cells(), before);
    EXPECT_FALSE(bench.editor.undoRing().canUndo());
    EXPECT_FALSE(bench.editor.boardModified());
}

TEST(Apply, APlateGroupWithoutPlatesNamesTheMissingPictureAndKeepsTheBoard)
{
    // Group 3 exists among the pictures only through plate 400, so it has
    // no plates and no picture 00300.bmp. The fitted belt 1004 adds 3500
    // below itself, where the 3500 lying there claims the fields below it
    // and to its right.
    ApplyBench bench({"D01000=000300", "D01004=000320", "A010040=03500", "A035000=00000", "A035001=00000"},
                     {0, 400, 1000, 1004, 3500});
    ASSERT_TRUE(bench.isValid());
    changeSetting(bench.editor, &Settings::OpGroundPlates, 3);

    bench.place(62, 3500);
    bench.select(49, 1000, 3); // runs right, into 50
    bench.editor.applySelection();
    bench.editor.setBoardModified(false);
    bench.select(50, 1000, 0);
    const BoardFields before = bench.editor.cells();
    const Selection selection = bench.editor.selection();
    const qint64 targetPicture = bench.editor.fieldPicture(50).cacheKey();
    QList<int> repainted;
    QObject::connect(&bench.editor, &Editor::cellChanged, [&repainted](int n) { repainted.append(n); });
    bench.editor.seedRandom(9);
    std::mt19937 expected(9);

    try {
        bench.editor.applySelection();
        FAIL() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(u("Images/00300.bmp"))) << error.text().toStdString();
    }

    // Nothing is written before every picture is composed, yet the numbers
    // drawn before the picture failed are used up: field 74's rotation, not
    // field 63's.
    EXPECT_TRUE(repainted.isEmpty());
    std::uniform_int_distribution<int>(0, 3)(expected);
    EXPECT_EQ(bench.editor.random(1000), std::uniform_int_distribution<int>(0, 999)(expected));
    EXPECT_EQ(bench.editor.cells(), before);
    EXPECT_EQ(bench.editor.fieldPicture(50).cacheKey(), targetPicture);
    EXPECT_EQ(bench.editor.selection(), selection);
    EXPECT_EQ(bench.editor.selection().picture.cacheKey(), selection.picture.cacheKey());
    EXPECT_EQ(bench.editor.undoRing().undoPos(), 1);
    EXPECT_EQ(bench.newestGroup().first().cell, 49) << "the earlier application is the one undone next";
    EXPECT_FALSE(bench.editor.boardModified());
    EXPECT_TRUE(bench.prompter.messages.isEmpty());
}

TEST(Apply, AFittedBeltBecomesTheSelectionAndTheSameTileCanGoAgain)
{
    ApplyBench bench({"D01000=000300", "D01001=020300"}, {0, 1000, 1001});
    ASSERT_TRUE(bench.isValid());
    bench.place(62, 1000); // runs up into 50
    bench.select(50, 1000, 0, u("00000"));
    int redraws = 0;
    QObject::connect(&bench.editor, &Editor::selectionChanged, [&redraws] { ++redraws; });

    bench.editor.applySelection();
    EXPECT_EQ(bench.editor.selection().tileId, 1001);
    EXPECT_EQ(bench.editor.selection().rotation, 0);
    EXPECT_EQ(bench.editor.selection().cell, 50);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(bench.editor.cells()[50].tileId, 1001);

    // Nothing to fit the second time: the selection is not redrawn.
    bench.editor.applySelection();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(bench.editor.undoRing().undoPos(), 2);
    EXPECT_TRUE(bench.prompter.messages.isEmpty());
}
