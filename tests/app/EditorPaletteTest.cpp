#include "app/Editor.h"
#include "util/KestrixError.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"
#include "support/EditorSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace kestrix;

namespace {

// Ground plates 000..001, 300..303 (no group 1 or 2 in between), a belt tile
// and a counter tile, each with a large picture of its own colour.
class EditorPalette : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (int id : {0, 1, 300, 301, 302, 303, 1004, 5011})
            ASSERT_TRUE(folder.writeTilePictures(id, colourOf(id))) << id;
        ASSERT_TRUE(folder.write(u("InitList.ini"), "P00000=00000\r\nP00302=00001\r\nP01004=01004\r\n"
                                                     "P05011=05011\r\nS05011=01\r\n"));
        editor.setProgramFolder(folder.programFolder());
        editor.loadResources(Resources::CatalogueStep);
        editor.loadResources(Resources::PaletteStep);
        editor.seedRandom(7);
    }

    static QRgb colourOf(int id) { return qRgb(id % 256, (id / 256) % 256, 0x80); }

    ScriptedPrompter prompter;
    TestProgramFolder folder;
    Editor editor{prompter};
};

} // namespace

TEST_F(EditorPalette, APickedTileComesUnturnedWithoutStepsAndItsLargePicture)
{
    Selection &selection = editor.selection();
    selection.cell = 77;
    selection.rotation = 3;
    editor.setAllStepsBox(true);
    editor.setStepBoxes(u("10110"));
    const BoardFields before = editor.cells();
    int shown = 0;
    QObject::connect(&editor, &Editor::selectionChanged, [&shown] { ++shown; });

    editor.pickTile(1004);

    EXPECT_EQ(selection.tileId, 1004);
    EXPECT_EQ(selection.rotation, 0);
    EXPECT_EQ(selection.cell, 77) << "the target field stays";
    EXPECT_EQ(selection.picture.size(), QSize(16, 16));
    EXPECT_EQ(selection.picture.pixel(0, 0), qRgb(0, 0, 0)) << "unturned: the black pixel stays top left";
    EXPECT_EQ(selection.picture.pixel(5, 5), colourOf(1004));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(editor.stepFlagsFromBoxes(), u("00000"));
    EXPECT_FALSE(editor.allStepsBox());
    EXPECT_FALSE(editor.selectionFromBoard());
    EXPECT_EQ(editor.cells(), before);
    EXPECT_FALSE(editor.boardModified());
}

TEST_F(EditorPalette, AGroundPlateIsDrawnFromItsOwnGroup)
{
    // 302 is not the group's first plate: adding the draw to it would reach
    // 305, which has no picture.
    const struct { int tag; std::set<int> expected; } cases[] = {
        {0, {0, 1}},
        {300, {300, 301, 302, 303}},
        {302, {300, 301, 302, 303}},
        {303, {300, 301, 302, 303}},
        {150, {100}}, // a group without plates gives its first id
    };
    // Group 1 is not on the palette; only the picture of its first id exists.
    ASSERT_TRUE(folder.writePicture(u("Images/10100.bmp"), TestProgramFolder::tilePicture(16, colourOf(100))));
    for (const auto &c : cases) {
        std::set<int> drawn;
        for (int i = 0; i < 200; ++i) {
            editor.pickTile(c.tag);
            drawn.insert(editor.selection().tileId);
        }
        EXPECT_EQ(drawn, c.expected) << c.tag;
        EXPECT_EQ(editor.selection().picture.pixel(5, 5), colourOf(editor.selection().tileId)) << c.tag;
    }
}

TEST_F(EditorPalette, TheStepPanelGoesWithTheCounterPage)
{
    const struct { int page; int tag; bool visible; } cases[] = {
        {5, 5011, true}, {0, 5011, false}, {5, 1004, true}, {1, 1004, false}, {4, 300, false},
    };
    for (const auto &c : cases) {
        editor.setActivePalettePage(c.page);
        editor.pickTile(c.tag);
        EXPECT_EQ(editor.stepPanelVisible(), c.visible) << c.page << " " << c.tag;
    }
}

// "Übernehmen" places the selection's tile: it must be the one shown.
TEST_F(EditorPalette, AClickWhoseLargePictureIsUnreadableKeepsTheSelection)
{
    editor.cells()[17].tileId = 5011;
    editor.cells()[17].rotation = 1;
    ASSERT_TRUE(folder.remove(u("Images/15011.bmp")));
    const struct { const char *name; std::function<void()> click; } clicks[] = {
        {"palette", [this] { editor.pickTile(5011); }},
        {"field", [this] { editor.selectField(17); }},
    };
    for (const auto &c : clicks) {
        editor.setActivePalettePage(0);
        editor.pickTile(1004);
        Selection &selection = editor.selection();
        selection.cell = 77;
        selection.rotation = 2;
        const Selection before = selection;
        editor.setStepBoxes(u("01000"));
        editor.setActivePalettePage(5);

        EXPECT_THROW(c.click(), KestrixError) << c.name;

        EXPECT_EQ(selection.cell, before.cell) << c.name;
        EXPECT_EQ(selection.tileId, before.tileId) << c.name;
        EXPECT_EQ(selection.rotation, before.rotation) << c.name;
        EXPECT_EQ(selection.picture, before.picture) << c.name;
        EXPECT_FALSE(editor.stepPanelVisible()) << c.name;
        EXPECT_EQ(editor.stepFlagsFromBoxes(), u("01000")) << c.name;
    }
}

TEST_F(EditorPalette, DoubleClickAsksForTheTileDefinitionOnlyInAdministrationMode)
{
    QList<int> requested;
    QObject::connect(&editor, &Editor::tileDefinitionRequested, [&requested](int id) { requested.append(id); });
    editor.requestTileDefinition(1004);
    EXPECT_TRUE(requested.isEmpty());
    changeSetting(editor, &Settings::OpAdministration, true);
    editor.requestTileDefinition(1004);
    EXPECT_EQ(requested, QList<int>({1004}));
}

TEST_F(EditorPalette, StoredGroundPlateGroupOutsideTheGroupsCountsAsZero)
{
    // Groups 0..3 exist (1 and 2 with no plates).
    const struct { int stored, effective; } cases[] = {{0, 0}, {3, 3}, {2, 2}, {4, 0}, {-1, 0}, {999, 0}};
    for (const auto &c : cases) {
        changeSetting(editor, &Settings::OpGroundPlates, c.stored);
        EXPECT_EQ(editor.groundPlateGroup(), c.effective) << c.stored;
    }
}

TEST_F(EditorPalette, CursorInTheStoredColour)
{
    const struct { int value; QRgb expected; } cases[] = {
        {0, qRgb(0, 0, 0)},
        {0x0000FF, qRgb(255, 0, 0)},
        {0xFF0000, qRgb(0, 0, 255)},
        {int(0x8000000Du), qRgb(0, 120, 215)}, // the system's highlight colour
    };
    for (const auto &c : cases) {
        changeSetting(editor, &Settings::OpCursorColor, c.value);
        const QImage cursor = editor.paintCursor();
        EXPECT_EQ(cursor.size(), QSize(10, 10));
        EXPECT_EQ(cursor.pixel(9, 9), c.expected) << std::hex << c.value;
    }
}
