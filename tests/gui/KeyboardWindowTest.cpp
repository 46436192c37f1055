#include "gui/KeyTable.h"
#include "gui/MainWindow.h"
#include "gui/ShortcutDialog.h"
#include "document/BoardFile.h"

#include "support/TestWindow.h"
#include "support/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <vector>

using namespace kestrix;

namespace {

// Ground plates, two belts on the "Band" page, two counter elements with
// steps on the "Zähler" page.
void fillFolder(const TestProgramFolder &folder)
{
    ASSERT_TRUE(folder.isValid());
    for (int id : {0, 1, 2, 1000, 1010, 5011, 5012})
        ASSERT_TRUE(folder.writeTilePictures(id, qRgb(0x20 + id % 200, 0x40, id / 100))) << id;
    ASSERT_TRUE(folder.write(u("InitList.ini"), "P00000=00000\r\nP01000=01000\r\nP01010=01001\r\n"
                                                 "P05011=05011\r\nP05012=05004\r\nS05011=01\r\nS05012=01\r\n"));
    // The step marks the counter elements show.
    ASSERT_TRUE(folder.writePicture(u("Images/BG000.bmp"), TestProgramFolder::tilePicture(4, qRgb(0, 0, 0xFF))));
    for (int step = 1; step <= 5; ++step)
        ASSERT_TRUE(folder.writePicture(u("Images/Font000%1.bmp").arg(step), TestProgramFolder::tilePicture(4, 0)));
    saveBoardFile(folder.programFolder() + u("Boards/Plain.zvb"), BoardFields());
}

// What a key or a click can change.
struct State
{
    int target;
    int tile;
    int rotation;
    QString steps;
    bool allSteps;
    bool stepPanel;
    int page;
    BoardFields board;
    std::optional<Region> region;
    qsizetype messages;
    qsizetype errors;
};

State stateOf(TestWindow<> &w)
{
    Editor &e = w.form->editor();
    return {e.selection().cell, e.selection().tileId, e.selection().rotation, e.stepFlagsFromBoxes(),
            e.allStepsBox(), w.child<QWidget>("Panel4")->isVisible(), w.child<QTabWidget>("PageControl1")->currentIndex(),
            e.cells(), e.regions().region(), w.prompter.messages.size(), w.prompter.errors.size()};
}

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// One step of the script: keys pressed in one window, the clicks that
// should do the same in the other, and where the focus is afterwards.
struct Step
{
    const char *what;
    std::vector<Key> keys;
    std::vector<const char *> clicks; // "tab:N" clicks palette tab N
    const char *focus = nullptr;
    bool inTextField = false;
};

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;

const Step Script[] = {
    {"an arrow moves the target field", {{Qt::Key_Right}}, {"ImgKarte1"}, "Panel2"},
    {"down a row", {{Qt::Key_Down}}, {"ImgKarte13"}},
    {"Shift+arrows span a region", {{Qt::Key_Right, Shift}, {Qt::Key_Down, Shift}}, {"shift:ImgKarte26"}},
    {"and shrink it", {{Qt::Key_Left, Shift}}, {"shift:ImgKarte25"}},
    {"Delete clears it as the menu does", {{Qt::Key_Delete}}, {"action:Menu1_Delete"}},
    {"Escape drops it", {{Qt::Key_Escape}}, {"ImgKarte13"}},
    {"Home: the row's first field", {{Qt::Key_Home}}, {"ImgKarte12"}},
    {"not past the left edge", {{Qt::Key_Left}}, {}},
    {"End: the row's last field", {{Qt::Key_End}}, {"ImgKarte23"}},
    {"not past the right edge", {{Qt::Key_Right}}, {}},
    {"Ctrl+End: the last field", {{Qt::Key_End, Ctrl}}, {"ImgKarte143"}},
    {"not past the bottom", {{Qt::Key_Down}}, {}},
    {"Ctrl+Home: the first field", {{Qt::Key_Home, Ctrl}}, {"ImgKarte0"}},
    {"not past the top", {{Qt::Key_Up}}, {}},
    {"Ctrl+PageDown: the next page", {{Qt::Key_PageDown, Ctrl}}, {"tab:1"}},
    {"Tab and Shift+Tab", {{Qt::Key_Tab}}, {}, "SpeedButton1"},
    {"Shift+Tab back to the board", {{Qt::Key_Tab, Shift}}, {}, "Panel2"},
    {"F6: the selection panel", {{Qt::Key_F6}}, {}, "SpeedButton1"},
    {"F6: the palette's first tile", {{Qt::Key_F6}}, {}, "PCImage01000"},
    {"an arrow and Space pick the next tile", {{Qt::Key_Right}, {Qt::Key_Space}}, {"PCImage01010"}, "PCImage01010"},
    {"R turns clockwise", {{Qt::Key_R}}, {"SpeedButton3"}},
    {"T turns half round", {{Qt::Key_T}}, {"SpeedButton2"}},
    {"Shift+R turns anticlockwise", {{Qt::Key_R, Shift}}, {"SpeedButton1"}},
    {"F6 comes round to the board, Enter applies", {{Qt::Key_F6}, {Qt::Key_Return}}, {"Button1"}, "Panel2"},
    {"Ctrl+PageDown to the Zähler page, wrapping", {{Qt::Key_PageDown, Ctrl}, {Qt::Key_PageDown, Ctrl},
      {Qt::Key_PageDown, Ctrl}, {Qt::Key_PageDown, Ctrl}, {Qt::Key_PageDown, Ctrl}, {Qt::Key_PageUp, Ctrl}},
     {"tab:5"}},
    {"Shift+F6: the palette, End and Enter pick", {{Qt::Key_F6, Shift}, {Qt::Key_End}, {Qt::Key_Enter}},
     {"PCImage05011"}, "PCImage05011"},
    {"Enter without a step is refused as the click is", {{Qt::Key_F6}, {Qt::Key_Return}}, {"Button1"}, "Panel2"},
    {"1 and 3 tick their boxes", {{Qt::Key_1}, {Qt::Key_3}}, {"ByStep1", "ByStep3"}},
    {"0 ticks all steps", {{Qt::Key_0}}, {"CheckBox1"}},
    {"0 unticks them", {{Qt::Key_0}}, {"CheckBox1"}},
    {"a digit of the number pad as the digit", {{Qt::Key_2, Qt::KeypadModifier}}, {"ByStep2"}},
    {"a step and Enter apply", {{Qt::Key_3}, {Qt::Key_Return}}, {"ByStep3", "Button1"}},
    {"a field without steps hides them: 2 does nothing", {{Qt::Key_Right}, {Qt::Key_2}}, {"ImgKarte1"}},
    {"step keys tick again on a field with steps", {{Qt::Key_Left}, {Qt::Key_5}}, {"ImgKarte0", "ByStep5"}},
    {"letters go into a text field", {{Qt::Key_R}, {Qt::Key_4}}, {}, nullptr, true},
};

void click(TestWindow<> &w, const char *name)
{
    const QString target = u(name);
    if (target.startsWith(u("shift:"))) {
        QTest::mouseClick(w.child<QWidget>(target.mid(6)), Qt::LeftButton, Qt::ShiftModifier);
    } else if (target.startsWith(u("action:"))) {
        w.trigger(name + 7);
    } else if (target.startsWith(u("tab:"))) {
        QTabBar *tabs = w.child<QTabWidget>("PageControl1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(target.mid(4).toInt()).center());
    } else if (auto *box = qobject_cast<QCheckBox *>(w.child<QWidget>(target))) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8)); // on the box itself
    } else if (auto *widget = w.child<QWidget>(target)) {
        QTest::mouseClick(widget, Qt::LeftButton);
    }
}

} // namespace

TEST(KeyboardWindow, KeysDoWhatTheirClicksDo)
{
    TestWindow<> byClicks;
    TestWindow<> byKeys;
    for (TestWindow<> *w : {&byClicks, &byKeys}) {
        fillFolder(w->folder);
        w->create(w->folder.programFolder() + u("Boards/Plain.zvb"));
        w->form->editor().seedRandom(7);
    }
    byClicks.show();
    ASSERT_TRUE(byKeys.showActive());
    QCoreApplication::processEvents();
    ASSERT_TRUE(byKeys.prompter.errors.isEmpty()) << byKeys.prompter.errors.join(u'\n').toStdString();
    ASSERT_EQ(QApplication::focusWidget(), byKeys.child<QWidget>("Panel2")) << "a board that opens has the focus";

    for (const Step &step : Script) {
        SCOPED_TRACE(step.what);
        QLineEdit *edit = nullptr;
        if (step.inTextField) {
            edit = new QLineEdit(byKeys.form->centralWidget());
            edit->show();
            edit->setFocus();
        }
        for (const Key &key : step.keys) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : byKeys.form.get(), key.key, key.modifiers);
        }
        for (const char *name : step.clicks)
            click(byClicks, name);
        if (step.focus) {
            EXPECT_EQ(QApplication::focusWidget(), byKeys.child<QWidget>(step.focus));
        }
        if (edit) {
            EXPECT_EQ(edit->text(), u("r4"));
            delete edit;
        }
        const State keys = stateOf(byKeys);
        const State clicks = stateOf(byClicks);
        EXPECT_EQ(keys.target, clicks.target);
        EXPECT_EQ(keys.tile, clicks.tile);
        EXPECT_EQ(keys.rotation, clicks.rotation);
        EXPECT_EQ(keys.steps, clicks.steps);
        EXPECT_EQ(keys.allSteps, clicks.allSteps);
        EXPECT_EQ(keys.stepPanel, clicks.stepPanel);
        EXPECT_EQ(keys.page, clicks.page);
        EXPECT_TRUE(keys.board == clicks.board);
        EXPECT_EQ(keys.region, clicks.region);
        EXPECT_EQ(keys.messages, clicks.messages);
        EXPECT_EQ(keys.errors, clicks.errors);
    }
    EXPECT_EQ(byKeys.prompter.messages.size(), 1) << "the refused application";
    EXPECT_EQ(byKeys.form->editor().cells()[0].tileId, 5011);
    EXPECT_EQ(byKeys.form->editor().cells()[0].steps, u("01100"));

    // The list of keys names every key of the table and every shortcut of
    // the menus, one added later too.
    QAction *later = byKeys.child<QMenu>("Menu1_Edit")->addAction(u("Later"));
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    const QList<ShortcutRow> rows = byKeys.form->shortcutRows();
    QStringList keys;
    for (const ShortcutRow &row : rows)
        keys.append(row.keys.split(u(", ")));
    for (const KeyBinding &binding : keyBindings())
        EXPECT_TRUE(keys.contains(keyText(binding.key, byKeys.form->editor().language()))) << binding.textKey;
    EXPECT_TRUE(rows.contains(ShortcutRow{u("Bearbeiten"), u("Ctrl+Z"), u("Rückgängig")}));
    EXPECT_TRUE(rows.contains(ShortcutRow{u("Bearbeiten"), u("Ctrl+Umschalt+R"), u("Later")}));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
