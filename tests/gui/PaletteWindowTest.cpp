#include "gui/CellView.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"
#include "support/Text.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

using namespace kestrix;

namespace {

QRgb colourOf(int id)
{
    return qRgb(0x20 + id % 200, 0x40, (id / 100) % 256);
}

// A palette picture: green with a magenta bottom row, magenta being the
// colour left out.
QImage palettePicture()
{
    QImage picture(57, 57, QImage::Format_RGB888);
    picture.fill(qRgb(0, 0xC0, 0));
    for (int x = 0; x < 57; ++x)
        picture.setPixel(x, 56, qRgb(0xFF, 0, 0xFF));
    return picture;
}

// Ground plates 000, 001 and 100..102; a belt with a palette picture of its
// own; a counter element; two tiles on one slot of the Grube page.
class PaletteWindow : public ::testing::Test, protected TestWindow<>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (int id : {0, 1, 100, 101, 102, 1004, 2000, 2001, 5011})
            ASSERT_TRUE(folder.writeTilePictures(id, colourOf(id))) << id;
        ASSERT_TRUE(folder.writePicture(u("Images/21004.bmp"), palettePicture()));
        ASSERT_TRUE(folder.write(u("InitList.ini"), "P00000=00000\r\nP00101=00001\r\nP01004=01004\r\n"
                                                     "P02000=02003\r\nP02001=02003\r\nP05011=05011\r\n"
                                                     "S05011=01\r\n"));
    }

    MainWindow &start()
    {
        create();
        EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
        return *form;
    }

    void startAsAdministrator()
    {
        ASSERT_TRUE(folder.writeSettings("[Options]\r\nOpAdministration=TRUE\r\n"));
        start();
    }
};

} // namespace

TEST_F(PaletteWindow, EveryTileStandsAtItsSlotOnItsPage)
{
    start();
    const struct { const char *name; int page; QRect geometry; bool transparent; } places[] = {
        {"PCImage00000", 0, {8, 8, 57, 57}, false},
        {"PCImage00101", 0, {72, 8, 57, 57}, false},
        {"PCImage01004", 1, {8, 72, 57, 57}, true},
        {"PCImage02000", 2, {200, 8, 57, 57}, false},
        {"PCImage05011", 5, {200, 136, 57, 57}, false},
    };
    for (const auto &p : places) {
        auto *image = child<CellView>(u(p.name));
        if (!image)
            continue;
        EXPECT_EQ(image->parentWidget()->objectName(), u("PalettePanel%1").arg(p.page)) << p.name;
        EXPECT_EQ(image->geometry(), p.geometry) << p.name;
        EXPECT_EQ(image->isTransparent(), p.transparent) << p.name;
        EXPECT_TRUE(image->toolTip().isEmpty()) << p.name;
    }
    EXPECT_EQ(form->findChildren<CellView *>(QRegularExpression(u("^PCImage"))).size(), 6)
        << "only tiles with a P entry";
    EXPECT_EQ(child<CellView>(u("PCImage01004"))->image().pixel(10, 10), qRgb(0, 0xC0, 0))
        << "the palette picture, not the board picture";
    EXPECT_EQ(child<CellView>(u("PCImage00000"))->image().pixel(4, 4), colourOf(0));

    // Panels 258 wide, as high as their lowest picture + 65 (0 when empty).
    const int heights[] = {73, 137, 73, 0, 0, 201};
    for (int p = 0; p < 6; ++p) {
        auto *panel = child<QWidget>(u("PalettePanel%1").arg(p));
        EXPECT_EQ(panel->size(), QSize(258, heights[p])) << p;
        auto *scroll = qobject_cast<QScrollArea *>(panel->parentWidget()->parentWidget());
        ASSERT_NE(scroll, nullptr) << p;
        EXPECT_EQ(scroll->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(scroll->parentWidget()->objectName(), u("TabSheet%1").arg(p + 1));
    }

    // The same slot twice: the later picture file lies on top.
    const QObjectList &stack = child<QWidget>(u("PalettePanel2"))->children();
    EXPECT_LT(stack.indexOf(child<CellView>(u("PCImage02000"))), stack.indexOf(child<CellView>(u("PCImage02001"))));

    // Without its palette picture the tile shows its board picture at the
    // next start.
    form.reset();
    ASSERT_TRUE(folder.remove(u("Images/21004.bmp")));
    start();
    EXPECT_EQ(child<CellView>(u("PCImage01004"))->image().pixel(4, 4), colourOf(1004));
    EXPECT_FALSE(child<CellView>(u("PCImage01004"))->isTransparent());
}

TEST_F(PaletteWindow, TheLeftOutColourShowsThePanel)
{
    start();
    auto *pages = child<QTabWidget>(u("PageControl1"));
    pages->show();
    pages->setCurrentIndex(1);
    auto *panel = child<QWidget>(u("PalettePanel1"));
    const QImage shot = panel->grab().toImage();
    const QColor background = panel->palette().color(panel->backgroundRole());
    EXPECT_EQ(shot.pixelColor(8 + 28, 72 + 28), QColor(0, 0xC0, 0));
    EXPECT_EQ(shot.pixelColor(8 + 28, 72 + 56), background) << "the magenta row is left out";
}

TEST_F(PaletteWindow, AdministrationShowsTileIdsAndCellNumbers)
{
    startAsAdministrator();
    EXPECT_EQ(child<CellView>(u("PCImage01004"))->toolTip(), u("01004"));
    EXPECT_EQ(child<CellView>(u("PCImage00000"))->toolTip(), u("00000"));
    EXPECT_EQ(child<CellView>(u("ImgKarte13"))->toolTip(), u("13"));
}

TEST_F(PaletteWindow, AClickedPlateComesFromItsOwnGroup)
{
    start();
    form->show();
    auto *plate = child<CellView>(u("PCImage00101"));
    auto *selectionCell = child<CellView>(u("SelectionCell"));
    std::set<int> drawn;
    for (int i = 0; i < 100; ++i) {
        QTest::mouseClick(plate, Qt::LeftButton, {}, QPoint(20, 20));
        const int tag = form->editor().selection().tileId;
        drawn.insert(tag);
        ASSERT_EQ(selectionCell->image().size(), QSize(16, 16));
        EXPECT_EQ(selectionCell->image().pixel(8, 8), colourOf(tag)) << "the large picture of " << tag;
    }
    EXPECT_EQ(drawn, std::set<int>({100, 101, 102}));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(PaletteWindow, TheStepPanelGoesWithTheZaehlerPage)
{
    start();
    form->show();
    auto *pages = child<QTabWidget>(u("PageControl1"));
    auto *panel4 = child<QWidget>(u("Panel4"));
    auto *allSteps = child<QCheckBox>(u("CheckBox1"));

    pages->setCurrentIndex(5);
    QTest::mouseClick(child<CellView>(u("PCImage05011")), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(panel4->isHidden());
    EXPECT_EQ(form->editor().selection().tileId, 5011);

    allSteps->setChecked(true);
    child<QCheckBox>(u("ByStep2"))->setChecked(true);
    pages->setCurrentIndex(1);
    QTest::mouseClick(child<CellView>(u("PCImage01004")), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(panel4->isHidden());
    EXPECT_FALSE(allSteps->isChecked());
    EXPECT_FALSE(child<QCheckBox>(u("ByStep2"))->isChecked());
    EXPECT_FALSE(form->editor().selectionFromBoard());
}

TEST_F(PaletteWindow, AMissingLargePictureIsReported)
{
    start();
    const int before = form->editor().selection().tileId;
    ASSERT_TRUE(folder.remove(u("Images/11004.bmp")));
    QTest::mouseClick(child<CellView>(u("PCImage01004")), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.first().contains(u("11004.bmp"))) << prompter.errors.first().toStdString();
    EXPECT_EQ(form->editor().selection().tileId, before);
}

TEST_F(PaletteWindow, OptionsDialogWritesTheSettingsAndRepaintsTheCursor)
{
    ASSERT_TRUE(folder.write(u("Language/UK.txt"), "English\r\nOpCaption=Settings\r\nOpOKBtn=Fine\r\n"));
    start();
    auto dialog = form->createOptionsDialog();
    EXPECT_EQ(dialog->windowTitle(), u("Settings"));
    EXPECT_EQ(dialog->parentWidget(), form.get());
    auto *groups = dialog->findChild<QComboBox *>(u("ColorBox1"))->parentWidget()->findChild<QComboBox *>(u("ComboBox1"));
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->count(), 2) << "ground-plate groups 0 and 1";
    auto *colours = dialog->findChild<QComboBox *>(u("ColorBox1"));
    colours->setCurrentIndex(colours->findData(0x0000FF));
    auto *ok = dialog->findChild<QPushButton *>(u("OpOKBtn"));
    EXPECT_EQ(ok->text(), u("Fine"));
    QTest::mouseClick(ok, Qt::LeftButton);

    EXPECT_EQ(form->editor().settings().OpCursorColor, 0x0000FF);
    EXPECT_EQ(child<CellView>(u("Cursor"))->image().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_TRUE(folder.settings().contains("OpCursorColor=255\r\n"));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(PaletteWindow, OptionsDialogErrorsGoToTheErrorBox)
{
    start();
    // The preview of the stored group 0.
    ASSERT_TRUE(folder.remove(u("Images/00000.bmp")));
    auto dialog = form->createOptionsDialog();
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.first().contains(u("00000.bmp"))) << prompter.errors.first().toStdString();
}

TEST_F(PaletteWindow, OptionsMenuEntryShowsTheDialogAndCancelChangesNothing)
{
    start();
    const Settings before = form->editor().settings();
    bool shown = false;
    // The dialog is modal: answer it from inside its own event loop.
    QTimer::singleShot(0, form.get(), [this, &shown] {
        auto *dialog = form->findChild<OptionsDialog *>();
        shown = dialog && dialog->isVisible();
        if (dialog) {
            dialog->findChild<QCheckBox *>(u("OpCheckBox1"))->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton *>(u("OpCancelBtn")), Qt::LeftButton);
        }
    });
    child<QAction>(u("Menu1_Options"))->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(form->editor().settings(), before);
    EXPECT_EQ(form->findChild<OptionsDialog *>(), nullptr) << "freed when it closes";
    EXPECT_FALSE(QFile::exists(folder.userFolder() + u("Kestrix.ini")));
}

namespace {

// What the user reads on a named component of the main window: its caption
// without the shortcut text, or the title of a menu or a tab.
QHash<QString, QString> shownCaptions(const MainWindow &form)
{
    QHash<QString, QString> captions;
    for (const QAction *action : form.findChildren<QAction *>()) {
        if (!action->objectName().isEmpty() && !action->isSeparator() && !action->menu())
            captions.insert(action->objectName(), MainWindow::menuCaption(action));
    }
    for (const QMenu *menu : form.findChildren<QMenu *>())
        captions.insert(menu->objectName(), menu->title());
    // The tab bar's scroll arrows and the menu bar's extension are Qt's own.
    for (const QAbstractButton *button : form.findChildren<QAbstractButton *>()) {
        if (!button->objectName().isEmpty() && !button->objectName().startsWith(u("qt_"))
            && !qobject_cast<const QTabBar *>(button->parentWidget()))
            captions.insert(button->objectName(), button->text());
    }
    // The status line has no component name: its text is the board check's.
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        if (!label->objectName().isEmpty())
            captions.insert(label->objectName(), label->text());
    }
    const auto *pages = form.findChild<QTabWidget *>(u("PageControl1"));
    for (int i = 0; i < pages->count(); ++i)
        captions.insert(pages->widget(i)->objectName(), pages->tabText(i));
    return captions;
}

// A language file that gives every component a caption of its own.
QByteArray languageFile(const char *name, const char *code, const QStringList &components)
{
    QByteArray text = QByteArray(name) + "\r\nTitle=Title " + code + "\r\nMenu1_Ctrl=" + code + "-\r\nByStepName=Step-"
                      + code + "\r\n";
    for (const QString &component : components)
        text += component.toLatin1() + '=' + component.toLatin1() + ' ' + code + "\r\n";
    return text;
}

QString expectedCaption(const QString &component, const char *code)
{
    static const QRegularExpression stepBox(u("^ByStep(\\d)$"));
    const QRegularExpressionMatch step = stepBox.match(component);
    if (step.hasMatch())
        return u("Step-") + QLatin1String(code) + u' ' + step.captured(1);
    return component + u' ' + QLatin1String(code);
}

} // namespace

TEST_F(PaletteWindow, ChangingTheLanguageChangesEveryCaption)
{
    ASSERT_TRUE(folder.write(u("Language/DE.txt"), "Deutsch\r\n"));
    start();
    const QStringList components = shownCaptions(*form).keys();
    for (const char *expected : {"Menu1_File", "Menu1_Open", "Menu1_Options", "Menu1_About", "TabSheet6", "Button1",
                                 "Label1", "CheckBox1", "ByStep5"})
        EXPECT_TRUE(components.contains(u(expected))) << expected;
    ASSERT_TRUE(folder.write(u("Language/DE.txt"), languageFile("Deutsch", "DE", components)));
    ASSERT_TRUE(folder.write(u("Language/UK.txt"), languageFile("English", "UK", components)));
    auto *help = child<QMenu>(u("Menu1_Help"));
    QAction *deutsch = help->actions().at(0);
    QAction *english = help->actions().at(1);

    const struct { QAction *entry; const char *code; } switches[] = {{deutsch, "DE"}, {english, "UK"}};
    for (const auto &s : switches) {
        s.entry->trigger();
        const QHash<QString, QString> shown = shownCaptions(*form);
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            EXPECT_EQ(it.value(), expectedCaption(it.key(), s.code)) << s.code;
        EXPECT_EQ(child<QAction>(u("Menu1_Open"))->text(), u("Menu1_Open %1\t%1-O").arg(QLatin1String(s.code)));
        EXPECT_EQ(form->windowTitle(), u("Title ") + QLatin1String(s.code));
        EXPECT_EQ(QCoreApplication::applicationName(), u("Title ") + QLatin1String(s.code));
        EXPECT_EQ(deutsch->isVisible(), s.entry != deutsch);
        EXPECT_EQ(english->isVisible(), s.entry != english);
        EXPECT_TRUE(folder.settings().contains("OpLanguage=" + QByteArray(s.code) + "\r\n")) << s.code;
    }
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
