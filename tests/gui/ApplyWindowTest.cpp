#include "gui/CellView.h"
#include "gui/MainWindow.h"
#include "gui/RegionFrame.h"
#include "document/BoardFile.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kestrix;

namespace {

// Board pictures of one colour each, so a field's picture tells its tile.
const struct { int id; QRgb colour; } Tiles[] = {
    {0, qRgb(0x30, 0x30, 0x30)},
    {1000, qRgb(0xE0, 0x20, 0x20)},
    {1001, qRgb(0x20, 0xE0, 0x20)},
};

QRgb centreColour(const CellView *view)
{
    const QImage &image = view->image();
    return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

// Two belts and a plain tile; the board has a belt running up on field 50.
class ApplyWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.write(u("InitList.ini"), "D01000=000300\r\nD01001=020300\r\n"));
        for (const auto &tile : Tiles)
            ASSERT_TRUE(folder.writeTilePictures(tile.id, tile.colour));
        BoardFields cells;
        cells[50].tileId = 1000;
        const QString boardPath = folder.programFolder() + u("Boards/Two.zvb");
        saveBoardFile(boardPath, cells);
        window = std::make_unique<MainWindow>(StartOptions{folder.programFolder(), folder.userFolder(), boardPath},
                                              &prompter);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ApplyWindow, ABeltAppliedBesideABeltFeedsItAndOneCtrlZTakesBothBack)
{
    MainWindow &form = *window;
    ASSERT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    auto *above = form.findChild<CellView *>(u("ImgKarte50"));
    auto *below = form.findChild<CellView *>(u("ImgKarte62"));
    auto *button1 = form.findChild<QPushButton *>(u("Button1"));
    ASSERT_TRUE(above && below && button1);
    EXPECT_EQ(centreColour(above), qRgb(0xE0, 0x20, 0x20));
    EXPECT_EQ(centreColour(below), qRgb(0x30, 0x30, 0x30));

    // The field below is the target; the belt is picked for it, unturned.
    QTest::mouseClick(below, Qt::LeftButton);
    ASSERT_EQ(form.editor().selection().cell, 62);
    form.editor().selection().tileId = 1000;
    form.editor().selection().rotation = 0;
    QTest::mouseClick(button1, Qt::LeftButton);

    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    EXPECT_EQ(centreColour(below), qRgb(0xE0, 0x20, 0x20)) << "the belt applied";
    EXPECT_EQ(centreColour(above), qRgb(0x20, 0xE0, 0x20)) << "the belt it runs into takes an input";
    EXPECT_TRUE(form.editor().boardModified());

    auto *undo = form.findChild<QAction *>(u("Menu1_Undo"));
    auto *redo = form.findChild<QAction *>(u("Menu1_Redo"));
    EXPECT_FALSE(redo->isEnabled());
    const auto undone = [&] {
        EXPECT_EQ(centreColour(below), qRgb(0x30, 0x30, 0x30));
        EXPECT_EQ(centreColour(above), qRgb(0xE0, 0x20, 0x20));
        EXPECT_FALSE(undo->isEnabled());
        EXPECT_TRUE(redo->isEnabled());
    };
    const auto redone = [&] {
        EXPECT_EQ(centreColour(below), qRgb(0xE0, 0x20, 0x20));
        EXPECT_EQ(centreColour(above), qRgb(0x20, 0xE0, 0x20));
        EXPECT_TRUE(undo->isEnabled());
        EXPECT_FALSE(redo->isEnabled());
    };

    // Redo by both keys and by the menu, each after an undo.
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    undone();
    QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
    redone();
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    undone();
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    redone();
    undo->trigger();
    undone();
    redo->trigger();
    redone();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

// The region's wiring: Shift+click spans it and shows its frame, the menu's
// shortcuts run the commands on it, Ctrl+C and Ctrl+V go through the system
// clipboard, Escape and a plain click drop the region.
TEST_F(ApplyWindow, RegionCommandsByMouseShortcutsAndClipboard)
{
    MainWindow &form = *window;
    Editor &editor = form.editor();
    const auto field = [&form](int n) { return form.findChild<CellView *>(u("ImgKarte%1").arg(n)); };
    auto *frame = form.findChild<RegionFrame *>();
    ASSERT_TRUE(frame);

    QTest::mouseClick(field(50), Qt::LeftButton);
    QTest::mouseClick(field(63), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(editor.regions().region(), Region::spanning(50, 63));
    EXPECT_EQ(editor.selection().cell, 50) << "the target field stays";
    EXPECT_TRUE(frame->isVisible());
    QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->data(u("application/x-zorvan-board-region")), "ZVR 2 2\r\n10000\r\n00\r\n00\r\n00\r\n");
    EXPECT_EQ(copied->text(), u("ZVR 2 2\r\n10000\r\n00\r\n00\r\n00\r\n"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(editor.regions().region());
    EXPECT_FALSE(frame->isVisible());

    // Without a region the commands act on the target field.
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(editor.cells()[50].rotation, 3);
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.cells()[50].rotation, 0);
    QTest::mouseClick(field(52), Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(centreColour(field(52)), qRgb(0xE0, 0x20, 0x20)) << "the copied belt pasted";
    QTest::keyClick(&form, Qt::Key_Delete);
    EXPECT_EQ(editor.cells()[52].tileId, 0);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.cells()[52].tileId, 1000) << "undo takes the clearing back";

    QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor.regions().region(), Region::wholeBoard());
    QTest::mouseClick(field(7), Qt::LeftButton);
    EXPECT_FALSE(editor.regions().region());

    QApplication::clipboard()->setText(u("not a region"));
    QTest::keyClick(&form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
