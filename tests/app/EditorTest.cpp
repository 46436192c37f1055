#include "app/Editor.h"
#include "util/KestrixError.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

class EditorTest : public ::testing::Test
{
protected:
    // Every field starts as tile 0; tests add the pictures of other tiles.
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        editor.setProgramFolder(folder.programFolder());
        addTiles({0});
    }

    void addTiles(std::initializer_list<int> ids)
    {
        for (int id : ids)
            ASSERT_TRUE(folder.writeTilePictures(id)) << id;
    }

    // Records the Editor's signals in the order they come.
    void recordSignals()
    {
        QObject::connect(&editor, &Editor::cursorMoved, [this](int cell) { events.append(u("cursor %1").arg(cell)); });
        QObject::connect(&editor, &Editor::stepBoxesChanged, [this] { events.append(u("steps")); });
        QObject::connect(&editor, &Editor::selectionChanged, [this] { events.append(u("selection")); });
        QObject::connect(&editor, &Editor::stepPanelVisibilityChanged,
                         [this](bool visible) { events.append(u("panel4 %1").arg(visible)); });
        QObject::connect(&editor, &Editor::documentChanged, [this] { events.append(u("document")); });
    }

    QString boxes() const
    {
        QString ticks;
        for (int i = 0; i < 5; ++i)
            ticks += editor.stepBox(i) ? u'1' : u'0';
        return ticks;
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    Editor editor{prompter};
    QStringList events;
};

} // namespace

TEST_F(EditorTest, SelectingAFieldCopiesItIntoTheSelection)
{
    addTiles({1204});
    Field &field = editor.cells()[37];
    field.tileId = 1204;
    field.rotation = 3;
    field.steps = u("01001");
    const BoardFields before = editor.cells();
    recordSignals();

    editor.selectField(37);

    EXPECT_EQ(editor.selection().cell, 37);
    EXPECT_EQ(editor.selection().tileId, 1204);
    EXPECT_EQ(editor.selection().rotation, 3);
    EXPECT_EQ(boxes(), u("01001"));
    EXPECT_EQ(editor.stepFlagsFromBoxes(), u("01001"));
    EXPECT_TRUE(editor.selectionFromBoard());
    // The cursor first, the selection redrawn once, the board untouched.
    EXPECT_EQ(events, QStringList({u("cursor 37"), u("steps"), u("selection")}));
    EXPECT_EQ(editor.cells(), before);
    EXPECT_FALSE(editor.boardModified());
}

TEST_F(EditorTest, StepFlagsTickOnlyTheBoxesMarkedOne)
{
    const struct { const char *flags, *ticked; } cases[] = {
        {"00000", "00000"}, {"11111", "11111"}, {"1", "10000"},   {"", "00000"},
        {"1x1 1", "10101"}, {"0101", "01010"},  {"111111", "11111"}, {"2Y111", "00111"},
    };
    for (const auto &c : cases) {
        editor.cells()[5].steps = u(c.flags);
        editor.selectField(5);
        EXPECT_EQ(boxes(), u(c.ticked)) << c.flags;
    }
}

TEST_F(EditorTest, SelectingAFieldRedrawsTheSelectionOnceAndABoxClickOnceMore)
{
    int redraws = 0;
    QObject::connect(&editor, &Editor::selectionChanged, [&redraws] { ++redraws; });
    editor.cells()[9].steps = u("10000");
    editor.selectField(9);
    EXPECT_EQ(redraws, 1);

    editor.setStepBox(4, true);
    editor.applyStepBoxes();
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(editor.stepFlagsFromBoxes(), u("10001"));
}

TEST_F(EditorTest, StepPanelFollowsTheTilesStepMarks)
{
    ASSERT_TRUE(folder.write(u("InitList.ini"), "P01234=x\r\nS01234=0*Font:1*BG:2*\r\ns00007=\r\nS00042=0\r\n"));
    editor.loadResources(Resources::CatalogueStep);
    addTiles({1234, 7, 5, 42});
    editor.cells()[0].tileId = 1234;
    editor.cells()[1].tileId = 7;   // empty S value
    editor.cells()[2].tileId = 5;   // no S line
    editor.cells()[3].tileId = 42;
    // A hidden panel's boxes still take the field's steps.
    const char *flags[] = {"01000", "10100", "00011", "11111"};
    for (int n = 0; n < 4; ++n)
        editor.cells()[size_t(n)].steps = u(flags[n]);
    const struct { int cell; bool visible; } clicks[] = {{0, true}, {1, false}, {3, true}, {2, false}, {2, false}};
    for (const auto &click : clicks) {
        editor.selectField(click.cell);
        EXPECT_EQ(editor.stepPanelVisible(), click.visible) << click.cell;
        EXPECT_EQ(boxes(), u(flags[click.cell])) << click.cell;
    }
}

TEST_F(EditorTest, SelectingOutsideTheBoardDoesNothing)
{
    recordSignals();
    editor.selectField(-1);
    editor.selectField(CellCount);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(editor.selectionFromBoard());
}

TEST_F(EditorTest, WithoutABoardTheRefreshSelectsNothing)
{
    recordSignals();
    editor.refreshDocumentState();
    EXPECT_EQ(events, QStringList{u("document")});
    EXPECT_FALSE(editor.isBoardOpen());
    EXPECT_TRUE(editor.askSaveChanges());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(EditorTest, DialogsAsDesignedAndAfterTheLanguage)
{
    EXPECT_EQ(editor.openDialog().filter, u("Zorvan-Platte|*.zvb|Alle Dateien|*.*"));
    EXPECT_EQ(editor.boardSaveDialog().defaultSuffix, u("zvb"));
    EXPECT_TRUE(editor.boardSaveDialog().confirmOverwrite);
    EXPECT_EQ(editor.pictureSaveDialog().defaultSuffix, u("jpg"));
    EXPECT_FALSE(editor.pictureSaveDialog().confirmOverwrite);
    EXPECT_EQ(editor.printDialog().fromPage, 1);
    EXPECT_EQ(editor.printDialog().toPage, 4);

    ASSERT_TRUE(folder.write(u("Language/UK.txt"), "English\nSZVBFilter=Board\nSDefaultFilter=Any\n"
                                                   "SZVJFilter=Picture\nOpenDialog1=Open a board\nSaveDialog2=\n"));
    editor.loadResources(Resources::LanguageStep);
    EXPECT_EQ(editor.openDialog().filter, u("Board|*.zvb|Any|*.*"));
    EXPECT_EQ(editor.boardSaveDialog().filter, u("Board|*.zvb"));
    EXPECT_EQ(editor.pictureSaveDialog().filter, u("Picture|*.jpg"));
    EXPECT_EQ(editor.openDialog().title, u("Open a board"));
    EXPECT_TRUE(editor.pictureSaveDialog().title.isEmpty());
}

// A language file removed while the program runs: choosing it is reported,
// and the menu and the language stay as they were.
TEST_F(EditorTest, ChoosingARemovedLanguageIsReportedAndChangesNothing)
{
    ASSERT_TRUE(folder.write(u("Language/DE.txt"), "Deutsch\r\n"));
    ASSERT_TRUE(folder.write(u("Language/FR.txt"), "Fran\xc3\xa7" "ais\r\n"));
    editor.loadResources(Resources::LanguageStep);
    editor.loadResources(Resources::LanguageMenuStep);
    const QList<LanguageEntry> menu = editor.languageEntries();
    ASSERT_EQ(menu.size(), 3);
    ASSERT_TRUE(folder.remove(u("Language/DE.txt")));
    try {
        editor.chooseLanguage(0);
        ADD_FAILURE() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(u("DE.txt"))) << error.what();
    }
    EXPECT_EQ(editor.languageEntries(), menu);
    EXPECT_EQ(editor.settings().OpLanguage, u("UK"));

    editor.chooseLanguage(1);
    EXPECT_EQ(editor.settings().OpLanguage, u("FR"));
    EXPECT_FALSE(editor.languageEntries()[1].visible);
    EXPECT_TRUE(editor.languageEntries()[2].visible);
}
