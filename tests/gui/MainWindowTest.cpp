#include "gui/CellView.h"
#include "gui/GuiPrompter.h"
#include "gui/MainWindow.h"
#include "gui/AboutDialog.h"
#include "gui/OptionsDialog.h"
#include "gui/NewElementDialog.h"
#include "gui/OptionsDialog.h"
#include "gui/TileDefinitionDialog.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"
#include "support/Text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace kestrix;

namespace {

class MainWindowTest : public ::testing::Test, protected TestWindow<>
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
};

} // namespace

TEST_F(MainWindowTest, LayoutAsDesigned)
{
    create();
    form->show();
    EXPECT_EQ(form->centralWidget()->size(), QSize(1008, 714));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "the window is not resizable";
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->windowTitle(), u("Zorvan - Editor"));

    const Place places[] = {
        {"Panel1", {0, 0, 294, 714}},        {"Panel3", {0, 0, 294, 241}},
        {"FLB", {136, 0, 25, 25}},           {"PageControl1", {0, 241, 294, 473}},
        {"Panel2", {294, 0, 714, 714}},      {"Image1", {96, 256, 105, 105}},
        {"SelectionCell", {8, 8, 177, 177}}, {"SpeedButton1", {16, 192, 41, 41}},
        {"SpeedButton2", {76, 192, 41, 41}}, {"SpeedButton3", {136, 192, 41, 41}},
        {"Button1", {196, 192, 89, 41}},     {"Panel4", {196, 8, 89, 177}},
        {"ImgKarte0", {4, 4, 57, 57}},       {"ImgKarte13", {63, 63, 57, 57}},
        {"ImgKarte143", {653, 653, 57, 57}}, {"ByStep1", {8, 48, 65, 16}},
        {"ByStep5", {8, 112, 65, 16}},       {"Cursor", {2, 2, 61, 61}},
    };
    expectPlaces(*form, places);
    EXPECT_EQ(child<QWidget>("CheckBox1")->pos(), QPoint(8, 136));
    EXPECT_EQ(child<QWidget>("ImgKarte143")->parentWidget(), child<QWidget>("Panel2"));
    EXPECT_EQ(child<QWidget>("SelectionCell")->parentWidget(), child<QWidget>("Panel3"));
    EXPECT_EQ(form->findChildren<CellView *>(QRegularExpression(u("^ImgKarte\\d+$"))).size(), 144);

    for (const char *hidden : {"FLB", "Image1", "Panel4", "ImgKarte0", "ImgKarte143"})
        EXPECT_TRUE(child<QWidget>(hidden)->isHidden()) << hidden;

    auto *button1 = child<QPushButton>("Button1");
    EXPECT_EQ(button1->text(), u("Übernehmen"));
    EXPECT_TRUE(button1->font().bold());
    EXPECT_EQ(child<QLabel>("Label1")->text(), u("Aktiv in..."));
    EXPECT_EQ(child<QCheckBox>("CheckBox1")->text(), u("Alle Schritte"));
    EXPECT_FALSE(child<QToolButton>("SpeedButton1")->icon().isNull());

    auto *pages = child<QTabWidget>("PageControl1");
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i) {
        captions.append(pages->tabText(i));
        EXPECT_EQ(pages->widget(i)->objectName(), u("TabSheet%1").arg(i + 1));
    }
    EXPECT_EQ(captions, QStringList({u("Standard"), u("Band"), u("Grube"), u("Öl"), u("Laser"), u("Zähler")}));
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(MainWindowTest, CursorLiesBehindTheCells)
{
    create();
    auto *panel2 = child<QWidget>("Panel2");
    const QObjectList &stack = panel2->children(); // bottom to top
    EXPECT_LT(stack.indexOf(child<QWidget>("Cursor")), stack.indexOf(child<QWidget>("ImgKarte0")));
}

TEST_F(MainWindowTest, MainMenu)
{
    create();
    const struct {
        const char *menu, *name, *caption;
        QKeySequence shortcut;
        bool visible;
    } entries[] = {
        {"Menu1_File", "Menu1_New", "Neu...", {}, true},
        {"Menu1_File", "Menu1_Open", "Öffnen...\tCtrl+O", QKeySequence(u("Ctrl+O")), true},
        {"Menu1_File", "Menu1_Save", "Speichern...\tCtrl+S", QKeySequence(u("Ctrl+S")), true},
        {"Menu1_File", "Menu1_SaveAs", "Speichern unter...", {}, true},
        {"Menu1_File", "Menu1_Close", "Schließen", {}, true},
        {"Menu1_File", "Menu1_N1", "", {}, true},
        {"Menu1_File", "Menu1_Exit", "Beenden", {}, true},
        {"Menu1_Edit", "Menu1_Undo", "Rückgängig\tCtrl+Z", QKeySequence(u("Ctrl+Z")), true},
        {"Menu1_Edit", "Menu1_Redo", "Wiederholen\tCtrl+Y", QKeySequence(u("Ctrl+Y")), true},
        {"Menu1_Edit", "Menu1_N6", "", {}, true},
        {"Menu1_Edit", "Menu1_Cut", "Ausschneiden\tCtrl+X", QKeySequence(u("Ctrl+X")), true},
        {"Menu1_Edit", "Menu1_Copy", "Kopieren\tCtrl+C", QKeySequence(u("Ctrl+C")), true},
        {"Menu1_Edit", "Menu1_Paste", "Einfügen\tCtrl+V", QKeySequence(u("Ctrl+V")), true},
        {"Menu1_Edit", "Menu1_Delete", "Löschen\tEntf", QKeySequence(u("Del")), true},
        {"Menu1_Edit", "Menu1_TurnRight", "Rechts drehen\tCtrl+R", QKeySequence(u("Ctrl+R")), true},
        {"Menu1_Edit", "Menu1_TurnLeft", "Links drehen\tCtrl+Umschalt+R", QKeySequence(u("Ctrl+Shift+R")), true},
        {"Menu1_Edit", "Menu1_SelectAll", "Alles auswählen\tCtrl+A", QKeySequence(u("Ctrl+A")), true},
        {"Menu1_Edit", "Menu1_N5", "", {}, true},
        {"Menu1_Edit", "Menu1_Check", "Karte prüfen", {}, true},
        {"Menu1_Edit", "Menu1_Print", "Drucken...\tCtrl+P", QKeySequence(u("Ctrl+P")), true},
        {"Menu1_Edit", "Menu1_SaveAsPic", "Als Bild speichern...", {}, true},
        {"Menu1_Edit", "Menu1_SaveAsWholePic", "Als Bild speichern (ganzes Brett)...", {}, true},
        {"Menu1_Edit", "Menu_N2", "", {}, true},
        {"Menu1_Edit", "Menu1_NewElement", "Neues Fabrikelement...", {}, false},
        {"Menu1_Edit", "Menu_N3", "", {}, false},
        {"Menu1_Edit", "Menu1_Options", "Optionen...", {}, true},
        {"Menu1_Help", "Menu1_N4", "", {}, true},
        {"Menu1_Help", "Menu1_Keys", "Tastenkürzel...", {}, true},
        {"Menu1_Help", "Menu1_About", "Über...", {}, true},
    };
    QHash<QString, QStringList> order;
    for (const auto &e : entries) {
        order[u(e.menu)].append(u(e.name));
        auto *action = child<QAction>(e.name);
        if (!action)
            continue;
        EXPECT_EQ(action->text(), u(e.caption)) << e.name;
        EXPECT_EQ(action->shortcut(), e.shortcut) << e.name;
        EXPECT_EQ(action->isVisible(), e.visible) << e.name;
        EXPECT_EQ(action->isSeparator(), u(e.caption).isEmpty()) << e.name;
    }
    QStringList menuTitles;
    for (QAction *menuAction : form->menuBar()->actions())
        menuTitles.append(menuAction->text());
    EXPECT_EQ(menuTitles, QStringList({u("&Datei"), u("&Bearbeiten"), u("&Hilfe")}));
    EXPECT_EQ(form->menuBar()->objectName(), u("MainMenu1"));
    for (auto it = order.cbegin(); it != order.cend(); ++it) {
        QStringList names;
        for (QAction *action : child<QMenu>(it.key().toLatin1().constData())->actions()) {
            if (!action->objectName().isEmpty()) // the language entries have no name
                names.append(action->objectName());
        }
        EXPECT_EQ(names, it.value()) << it.key().toStdString();
    }
}

TEST_F(MainWindowTest, StartsWithoutABoard)
{
    create();
    form->show();
    for (const char *hidden : {"Panel3", "PageControl1", "Cursor"})
        EXPECT_TRUE(child<QWidget>(hidden)->isHidden()) << hidden;
    EXPECT_EQ(child<QWidget>("Panel2")->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    for (const char *disabled : {"Menu1_Close", "Menu1_Check", "Menu1_Print", "Menu1_SaveAsPic", "Menu1_SaveAsWholePic", "Menu1_Save",
                                 "Menu1_SaveAs", "Menu1_Undo", "Menu1_Redo"})
        EXPECT_FALSE(child<QAction>(disabled)->isEnabled()) << disabled;
    for (const char *enabled : {"Menu1_New", "Menu1_Open", "Menu1_Exit", "Menu1_Options"})
        EXPECT_TRUE(child<QAction>(enabled)->isEnabled()) << enabled;
    EXPECT_EQ(form->editor().openDialog().initialFolder, folder.programFolder() + u("Boards"));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

// CTest runs this on the usual 800-pixel high screen and once more on a
// 600-pixel one.
TEST_F(MainWindowTest, StartPositionSmallScreensPutTheWindowTopLeft)
{
    const struct { int height; bool topLeft; } cases[] = {{600, true}, {799, true}, {800, false}, {1080, false}};
    for (const auto &c : cases)
        EXPECT_EQ(MainWindow::startsAtTopLeft(c.height), c.topLeft) << c.height;

    create();
    const bool small = form->screen()->geometry().height() < 800;
    // Without a move of its own the window system places the window.
    EXPECT_EQ(form->testAttribute(Qt::WA_Moved), small) << form->screen()->geometry().height();
    form->show();
    if (small) {
        EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(0, 0));
    }
}

TEST_F(MainWindowTest, ClickingAFieldSelectsIt)
{
    ASSERT_TRUE(folder.writeTilePictures(1304));
    create();
    form->show();
    Field &field = form->editor().cells()[29];
    field.tileId = 1304;
    field.rotation = 2;
    field.steps = u("00110");
    for (CellView *cell : form->findChildren<CellView *>(QRegularExpression(u("^ImgKarte\\d+$"))))
        cell->show();
    auto *cell = child<CellView>("ImgKarte29");
    int redraws = 0;
    QObject::connect(&form->editor(), &Editor::selectionChanged, [&redraws] { ++redraws; });

    QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(redraws, 1) << "the boxes the field ticks are no clicks";

    EXPECT_EQ(child<QWidget>("Cursor")->pos(), cell->pos() - QPoint(2, 2));
    const Selection &selection = form->editor().selection();
    EXPECT_EQ(selection.cell, 29);
    EXPECT_EQ(selection.tileId, 1304);
    EXPECT_EQ(selection.rotation, 2);
    QString ticks;
    for (int i = 1; i <= 5; ++i)
        ticks += child<QCheckBox>(u("ByStep%1").arg(i).toLatin1().constData())->isChecked() ? u'1' : u'0';
    EXPECT_EQ(ticks, u("00110"));
    EXPECT_TRUE(child<QWidget>("Panel4")->isHidden()) << "tile 1304 has no step marks";

    // A press that leaves the cell before its release is no click.
    QTest::mousePress(child<CellView>("ImgKarte0"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(child<CellView>("ImgKarte0"), Qt::LeftButton, {}, QPoint(80, 5));
    EXPECT_EQ(form->editor().selection().cell, 29);
}

TEST_F(MainWindowTest, TickingAStepBoxTellsTheEditorAndRedrawsTheSelectionOnce)
{
    ASSERT_TRUE(folder.writeTilePictures(0)) << "the selection holds tile 0";
    create();
    form->show();
    child<QWidget>("Panel4")->show();
    int redraws = 0;
    QObject::connect(&form->editor(), &Editor::selectionChanged, [&redraws] { ++redraws; });
    QTest::mouseClick(child<QCheckBox>("ByStep4"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(form->editor().stepFlagsFromBoxes(), u("00010"));
    EXPECT_EQ(redraws, 1);

    // "Alle Schritte" ticks the five boxes; they follow without a click each.
    QTest::mouseClick(child<QCheckBox>("CheckBox1"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(form->editor().stepFlagsFromBoxes(), u("11111"));
    EXPECT_TRUE(child<QCheckBox>("ByStep1")->isChecked());
    EXPECT_EQ(redraws, 2);
}

TEST_F(MainWindowTest, CaptionsComeFromTheLanguageByComponentName)
{
    ASSERT_TRUE(folder.write(u("Language/UK.txt"),
                             "English\r\nTitle=Board Editor\r\nMenu1_Ctrl=Strg-\r\nMenu1_File=&File\r\n"
                             "Menu1_Open=Open...\r\nbutton1=Apply\r\nLabel1=\r\nTabSheet2=Belt\r\n"
                             "CheckBox1=All steps\r\nByStepName=Step\r\nKeyNameShift=Shift+\r\nKeyNameDelete=Del\r\n"));
    create();
    EXPECT_EQ(form->windowTitle(), u("Board Editor"));
    EXPECT_EQ(child<QMenu>("Menu1_File")->title(), u("&File"));
    EXPECT_EQ(child<QAction>("Menu1_Open")->text(), u("Open...\tStrg-O"));
    EXPECT_EQ(child<QAction>("Menu1_Save")->text(), u("Speichern...\tStrg-S"));
    EXPECT_EQ(MainWindow::menuCaption(child<QAction>("Menu1_Save")), u("Speichern..."));
    EXPECT_EQ(child<QPushButton>("Button1")->text(), u("Apply"));
    EXPECT_EQ(child<QLabel>("Label1")->text(), u("Aktiv in...")) << "an empty value keeps the caption";
    EXPECT_EQ(child<QTabWidget>("PageControl1")->tabText(1), u("Belt"));
    EXPECT_EQ(child<QCheckBox>("CheckBox1")->text(), u("All steps"));
    EXPECT_EQ(child<QCheckBox>("ByStep3")->text(), u("Step 3"));

    EXPECT_EQ(MainWindow::menuCaption(child<QAction>("Menu1_TurnLeft")), u("Links drehen"));
    EXPECT_EQ(child<QAction>("Menu1_TurnLeft")->text(), u("Links drehen\tStrg-Shift+R"));
    EXPECT_EQ(child<QAction>("Menu1_Delete")->text(), u("Löschen\tDel"));
}

TEST_F(MainWindowTest, LanguageMenu)
{
    ASSERT_TRUE(folder.write(u("Language/DE.txt"), "Deutsch\r\nTitle=Plattenbau\r\nMenu1_About=&Info...\r\n"));
    ASSERT_TRUE(folder.write(u("Language/Notes.txt"), "not a language\r\n"));
    // The help menu's entries, hidden ones in brackets.
    const auto helpEntries = [this] {
        QStringList shown;
        for (QAction *action : child<QMenu>("Menu1_Help")->actions())
            shown.append(action->isVisible() ? action->text() : u("(") + action->text() + u(")"));
        return shown;
    };
    create();
    EXPECT_EQ(helpEntries(), QStringList({u("Deutsch"), u("(English)"), QString(), u("Tastenkürzel..."), u("Über...")}));

    child<QMenu>("Menu1_Help")->actions().first()->trigger();
    EXPECT_EQ(helpEntries(), QStringList({u("(Deutsch)"), u("English"), QString(), u("Tastenkürzel..."), u("&Info...")}));
    EXPECT_EQ(form->windowTitle(), u("Plattenbau"));
    EXPECT_TRUE(folder.settings().contains("OpLanguage=DE"));

    // The stored language without its file: the next start speaks English.
    form.reset();
    ASSERT_TRUE(folder.remove(u("Language/DE.txt")));
    create();
    EXPECT_EQ(helpEntries(), QStringList({u("(English)"), QString(), u("Tastenkürzel..."), u("Über...")}));
    EXPECT_EQ(form->windowTitle(), u("Zorvan - Editor"));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(MainWindowTest, AFailedStartUpIsReportedAndLeavesAUsableWindow)
{
    ASSERT_TRUE(folder.remove(u("InitList.ini")));
    create();
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors.first().contains(u("InitList.ini"))) << prompter.errors.first().toStdString();
    EXPECT_EQ(form->findChild<QWidget *>(u("ImgKarte0")), nullptr) << "later steps are skipped";
    EXPECT_TRUE(child<QWidget>("Panel3")->isHidden());
    EXPECT_FALSE(child<QAction>("Menu1_Save")->isEnabled());
    EXPECT_TRUE(child<QAction>("Menu1_New")->isEnabled());
    EXPECT_EQ(form->windowTitle(), u("Zorvan - Editor"));
}

TEST_F(MainWindowTest, CommandErrorsGoToTheErrorBox)
{
    create();
    EXPECT_FALSE(form->runCommand([] { throw KestrixError(u("Datei X kann nicht geöffnet werden")); }));
    EXPECT_FALSE(form->runCommand([] { throw std::runtime_error("disk full"); }));
    EXPECT_TRUE(form->runCommand([] {}));
    EXPECT_EQ(prompter.errors, QStringList({u("Datei X kann nicht geöffnet werden"), u("disk full")}));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndRewritesTheSettings)
{
    ASSERT_TRUE(folder.writeSettings("[Options]\r\nOpKonventBelt=FALSE\r\nOpCursorColor=255\r\n"));
    create();
    ASSERT_EQ(form->editor().settings().OpCursorColor, 255);
    form->show();
    Settings settings = form->editor().settings();
    settings.OpKonventBelt = true;
    settings.OpCursorColor = 0x123456;
    form->editor().changeSettings(settings);
    ASSERT_TRUE(QFile::remove(folder.userFolder() + u("Kestrix.ini")));
    child<QAction>("Menu1_Exit")->trigger();
    EXPECT_FALSE(form->isVisible());
    form.reset();
    const Settings written = parseSettings(folder.settings());
    EXPECT_TRUE(written.OpKonventBelt);
    EXPECT_EQ(written.OpCursorColor, 0x123456);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(MainWindowTest, DialogsAndMessageBoxesAreCentredOnTheScreen)
{
    create();
    form->show();
    form->move(0, 0); // the window's own centre lies elsewhere
    const QPoint screenCentre = form->screen()->availableGeometry().center();
    // Centred up to the window frame, which the window system adds.
    const auto centred = [&screenCentre](const QRect &frame) {
        return (frame.center() - screenCentre).manhattanLength() <= 4;
    };
    ASSERT_FALSE(centred(form->frameGeometry()));

    auto options = form->createOptionsDialog();
    options->show();
    EXPECT_TRUE(centred(options->frameGeometry())) << "options dialog";

    GuiPrompter boxes(form.get());
    QList<QRect> shown;
    const auto closeNextBox = [&shown] {
        QTimer::singleShot(0, [&shown] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            shown.append(box->frameGeometry());
            box->close();
        });
    };
    closeNextBox();
    boxes.message({Prompter::BoxType::Warning, u("Title"), u("A longer question than the title, over two lines\nof text"),
                   {{Prompter::Answer::Yes, u("Yes")}, {Prompter::Answer::No, u("No")}}});
    closeNextBox();
    boxes.showError(u("Datei X kann nicht geöffnet werden"));
    ASSERT_EQ(shown.size(), 2);
    for (const QRect &box : shown)
        EXPECT_TRUE(centred(box)) << box.x() << ", " << box.y() << ", " << box.width() << " x " << box.height();
}

TEST(GuiPrompter, FileFiltersInTheDialogsForm)
{
    const struct { const char *filter, *expected; } cases[] = {
        {"Zorvan-Platte|*.zvb|Alle Dateien|*.*", "Zorvan-Platte (*.zvb);;Alle Dateien (*.*)"},
        {"|*.zvb", "*.zvb"},
        {"Bilder|*.bmp;*.jpg", "Bilder (*.bmp *.jpg)"},
        {"Ohne Muster", ""},
        {"A|*.a|B", "A (*.a)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GuiPrompter::qtNameFilter(u(c.filter)), u(c.expected)) << c.filter;
}

TEST(AboutBox, TitleFromTheMenuCaption)
{
    const struct { const char *caption, *title; } cases[] = {
        {"Über...", "Über"}, {"&About", "About"}, {"&Info.&..", "Info"}, {"...", ""},
        {"", ""},           {"A.b.", "A.b"},     {"&&", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AboutDialog::titleFromCaption(u(c.caption)), u(c.title)) << c.caption;
}

TEST(AboutBox, Layout)
{
    AboutDialog dialog(u("Über"));
    EXPECT_EQ(dialog.size(), QSize(298, 198));
    EXPECT_EQ(dialog.windowTitle(), u("Über"));
    EXPECT_EQ(dialog.findChild<QLabel *>(u("Version"))->text(), u("Version 1.0.302 Beta"));
    EXPECT_EQ(dialog.findChild<QLabel *>(u("ProductName"))->text(), u("Kestrix "));
    EXPECT_EQ(dialog.findChild<QWidget *>(u("ProgramIcon"))->geometry(), QRect(8, 8, 65, 65));
    auto *ok = dialog.findChild<QPushButton *>(u("OKButton"));
    EXPECT_EQ(ok->geometry(), QRect(111, 164, 75, 25));
    EXPECT_TRUE(ok->isDefault());
    for (auto *label : dialog.findChildren<QLabel *>())
        EXPECT_LE(label->geometry().right(), 281) << label->objectName().toStdString();
}

TEST(NewElementDialog, LayoutAndLanguage)
{
    NewElementDialog dialog;
    EXPECT_EQ(dialog.size(), QSize(313, 214));
    EXPECT_EQ(dialog.windowTitle(), u("Neues Fabrikelement..."));
    EXPECT_EQ(dialog.findChild<QWidget *>(u("Bevel1"))->geometry(), QRect(8, 8, 297, 161));
    EXPECT_EQ(dialog.findChild<QPushButton *>(u("NEOKBtn"))->geometry(), QRect(79, 180, 75, 25));
    EXPECT_EQ(dialog.findChild<QPushButton *>(u("NECancelBtn"))->geometry(), QRect(159, 180, 75, 25));

    TestProgramFolder folder;
    ASSERT_TRUE(folder.write(u("Language/UK.txt"), "English\nNECancelBtn=Cancel\nNEOKBtn=\n"));
    Language language;
    language.load(folder.programFolder(), u("UK"));
    dialog.applyLanguage(language);
    EXPECT_EQ(dialog.findChild<QPushButton *>(u("NECancelBtn"))->text(), u("Cancel"));
    EXPECT_EQ(dialog.findChild<QPushButton *>(u("NEOKBtn"))->text(), u("OK"));
    EXPECT_TRUE(dialog.windowTitle().isEmpty()) << "NECaption is taken also when it is empty";
}

TEST(CellView, TransparentColourIsTheBottomLeftPixels)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::red);
    parent.setPalette(palette);
    parent.resize(40, 20);
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 255, 255));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    auto *view = new CellView(&parent);
    view->setGeometry(0, 0, 40, 20); // stretched: each pixel 20 x 20
    view->setImage(picture);

    QImage shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(35, 5), QColor(Qt::blue));
    view->setTransparent(true);
    shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(35, 5), QColor(Qt::blue));
}

TEST(CellView, DoubleClickIsOneClickAndOneDoubleClick)
{
    CellView view;
    view.resize(57, 57);
    int clicks = 0;
    int doubleClicks = 0;
    QObject::connect(&view, &CellView::clicked, [&clicks] { ++clicks; });
    QObject::connect(&view, &CellView::doubleClicked, [&doubleClicks] { ++doubleClicks; });
    // The events of a double click as the window system delivers them.
    QTest::mouseClick(&view, Qt::LeftButton);
    QTest::mousePress(&view, Qt::LeftButton);
    QTest::mouseDClick(&view, Qt::LeftButton);
    QTest::mouseRelease(&view, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// File names and language texts may hold markup: every label of every window
// and every message box shows it as it stands.
TEST_F(MainWindowTest, EveryLabelAndMessageBoxShowsPlainText)
{
    ASSERT_TRUE(folder.writeTilePictures(1234));
    create();
    AboutDialog about(u("Über"));
    const std::unique_ptr<OptionsDialog> options = form->createOptionsDialog();
    TileDefinitionDialog picture(form->editor(), 1234);
    for (QWidget *window : std::initializer_list<QWidget *>{form.get(), &about, options.get(), &picture}) {
        for (const QLabel *label : window->findChildren<QLabel *>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << window->metaObject()->className() << " "
                                                          << label->objectName().toStdString();
    }

    GuiPrompter boxes(form.get());
    const QString markup = u("<b>Plan</b>.zvb");
    QStringList shown;
    const auto readBox = [&shown] {
        QTimer::singleShot(0, [&shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            const QLabel *text = box->findChild<QLabel *>(u("qt_msgbox_label"));
            shown.append(text && text->textFormat() == Qt::PlainText ? text->text() : u("rich text"));
            box->done(0);
        });
    };
    readBox();
    boxes.message(MessageBox{BoxType::Error, markup, markup, {{Answer::Ok, u("OK")}}});
    readBox();
    boxes.showError(markup);
    EXPECT_EQ(shown, QStringList({markup, markup}));
}
