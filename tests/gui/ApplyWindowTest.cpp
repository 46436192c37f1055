#include "gui/CellView.h"
#include "gui/MainWindow.h"
#include "document/BoardFile.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

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

TEST(ApplyWindow, ABeltAppliedBesideABeltFeedsItAndOneCtrlZTakesBothBack)
{
    TestProgramFolder folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(folder.write(u("InitList.ini"), "D01000=000300\r\nD01001=020300\r\n"));
    for (const auto &tile : Tiles)
        ASSERT_TRUE(folder.writeTilePictures(tile.id, tile.colour));
    BoardFields cells;
    cells[50].tileId = 1000; // runs up
    const QString boardPath = folder.programFolder() + u("Boards/Two.zvb");
    saveBoardFile(boardPath, cells);

    ScriptedPrompter prompter;
    MainWindow form(StartOptions{folder.programFolder(), folder.userFolder(), boardPath}, &prompter);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
