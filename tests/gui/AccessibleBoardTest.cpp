#include "gui/MainWindow.h"
#include "document/BoardFile.h"

#include "support/BundledLanguage.h"
#include "support/TestWindow.h"
#include "support/Text.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <utility>

using namespace kestrix;

namespace {

QString nameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString cellName(QAccessibleInterface *board, int row, int column)
{
    QAccessibleInterface *cell = board->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString();
}

} // namespace

TEST(AccessibleBoard, ATableOfNamedFieldsInTheUsersLanguage)
{
    TestWindow<> w;
    ASSERT_TRUE(w.folder.isValid());
    ASSERT_TRUE(useBundledLanguage(w.folder, u("DE")));
    ASSERT_TRUE(useBundledLanguage(w.folder, u("UK")));
    for (int id : {0, 1, 2, 1010, 1013})
        ASSERT_TRUE(w.folder.writeTilePictures(id));
    ASSERT_TRUE(w.folder.write(u("InitList.ini"), "P00000=00000\r\nP01010=01001\r\n"));
    const QString board = w.folder.programFolder() + u("Boards/Plain.zvb");
    saveBoardFile(board, BoardFields());
    w.create(board);
    ASSERT_TRUE(w.showActive());
    ASSERT_TRUE(w.prompter.errors.isEmpty()) << w.prompter.errors.join(u'\n').toStdString();

    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(w.child<QWidget>("Panel2"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->childCount(), 144);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 12);
    EXPECT_EQ(table->tableInterface()->columnCount(), 12);
    QAccessibleInterface *cell = table->tableInterface()->cellAt(2, 4);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(table->indexOfChild(cell), 28);
    EXPECT_EQ(cell->parent(), table);

    // Field 28 (row 3, column 5) takes a belt that is not on the palette
    // itself, turned once, active in steps 1 and 3.
    QTest::mouseClick(w.child<QWidget>("ImgKarte28"), Qt::LeftButton);
    Editor &editor = w.form->editor();
    editor.selection().tileId = 1013;
    editor.selection().rotation = 1;
    editor.setStepBox(0, true);
    editor.setStepBox(2, true);
    QTest::mouseClick(w.child<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_TRUE(w.prompter.messages.isEmpty());
    EXPECT_EQ(cellName(table, 2, 4), u("Row 3, column 5: Belt 01013, turned 90°, steps 1 3"));
    EXPECT_EQ(cellName(table, 0, 0), u("Row 1, column 1: Standard 00000, turned 0°"));
    EXPECT_TRUE(cell->state().selected);
    EXPECT_FALSE(cell->state().focused) << "the button has the focus";

    // The accessible focus is the target field while the board has the
    // focus, moved by click and by key.
    QTest::mouseClick(w.child<QWidget>("ImgKarte40"), Qt::LeftButton);
    EXPECT_EQ(table->focusChild(), table->child(40));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(table->focusChild(), table->child(41));
    EXPECT_TRUE(table->child(41)->state().focused);
    EXPECT_FALSE(table->child(40)->state().selected);
    // A screen reader's press on a field targets it as a click does.
    QAccessibleActionInterface *press = table->child(50)->actionInterface();
    ASSERT_NE(press, nullptr);
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(editor.selection().cell, 50);
    EXPECT_TRUE(table->child(50)->state().selected);

    // Every control by name, in English and, after the language menu, German.
    const struct { const char *name; const char *english; const char *german; } controls[] = {
        {"SpeedButton1", "Turn the selection anticlockwise", "Auswahl gegen den Uhrzeigersinn drehen"},
        {"SpeedButton2", "Turn the selection half round", "Auswahl halb herum drehen"},
        {"SpeedButton3", "Turn the selection clockwise", "Auswahl im Uhrzeigersinn drehen"},
        {"Button1", "Apply", "Übernehmen"},
        {"ByStep1", "Step 1", "Schritt 1"},
        {"CheckBox1", "All steps", "Alle Schritte"},
        {"TabSheet2", "Belt", "Band"},
        {"PCImage01010", "Belt 01010", "Band 01010"},
        {"SelectionCell", "Selection: Standard 00000, turned 0°", "Auswahl: Standard 00000, gedreht um 0°"},
        {"Panel2", "Board", "Platte"},
    };
    for (const auto &c : controls)
        EXPECT_EQ(nameOf(w.child<QObject>(c.name)), u(c.english)) << c.name;
    QAction *deutsch = nullptr;
    for (QAction *entry : w.child<QMenu>("Menu1_Help")->actions()) {
        if (entry->text() == u("Deutsch"))
            deutsch = entry;
    }
    ASSERT_NE(deutsch, nullptr);
    deutsch->trigger();
    EXPECT_EQ(cellName(table, 2, 4), u("Zeile 3, Spalte 5: Band 01013, gedreht um 90°, Schritte 1 3"));
    for (const auto &c : controls)
        EXPECT_EQ(nameOf(w.child<QObject>(c.name)), u(c.german)) << c.name;
    EXPECT_TRUE(w.prompter.errors.isEmpty()) << w.prompter.errors.join(u'\n').toStdString();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
