#include "gui/CellView.h"
#include "gui/MainWindow.h"
#include "catalogue/ImageTransforms.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

constexpr int Tile = 3000;

// Notes at every error box whether the window behind it was shown and laid
// out then.
class WatchingPrompter : public ScriptedPrompter
{
public:
    std::function<bool()> windowReady;
    QList<bool> readyAtError;

    void showError(const QString &text) override
    {
        readyAtError.append(windowReady && windowReady());
        ScriptedPrompter::showError(text);
    }
};

// The main window on a program folder with three ground plates and one
// other tile, driven by its widgets' names.
class DocumentWindow : public ::testing::Test, protected TestWindow<WatchingPrompter>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.writeWindowBasics(Tile));
    }

    MainWindow &start(const QString &boardPath = QString())
    {
        create(boardPath);
        EXPECT_TRUE(showActive());
        return *form;
    }

    void click(const QString &name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton, {}, QPoint(5, 5)); }

    // The document state the window shows.
    void expectOpen(bool open, const QString &title)
    {
        EXPECT_EQ(form->windowTitle(), title);
        for (const char *name : {"Panel3", "PageControl1", "Cursor", "ImgKarte0", "ImgKarte143"})
            EXPECT_EQ(child<QWidget>(QLatin1String(name))->isVisible(), open) << name;
        for (const char *name : {"Menu1_Save", "Menu1_SaveAs", "Menu1_Close", "Menu1_Check", "Menu1_Print"})
            EXPECT_EQ(child<QAction>(QLatin1String(name))->isEnabled(), open) << name;
        EXPECT_EQ(child<QWidget>(QStringLiteral("Panel2"))->palette().color(QPalette::Window),
                  open ? QColor(Qt::black) : QApplication::palette().color(QPalette::Button));
        EXPECT_FALSE(undoEnabled()) << "every change of the document empties the undo ring";
    }

    bool undoEnabled() { return child<QAction>(QStringLiteral("Menu1_Undo"))->isEnabled(); }
};

} // namespace

TEST_F(DocumentWindow, NewPickTurnStepsApplySaveCloseAndOpenAgain)
{
    start();
    expectOpen(false, QStringLiteral("Board Editor"));

    trigger("Menu1_New");
    expectOpen(true, QStringLiteral("Board Editor - Untitled"));

    click(QStringLiteral("ImgKarte20"));
    EXPECT_EQ(child<QWidget>(QStringLiteral("Cursor"))->pos(),
              child<QWidget>(QStringLiteral("ImgKarte20"))->pos() - QPoint(2, 2));
    form->editor().pickTile(Tile);
    const QImage unturned = child<CellView>(QStringLiteral("SelectionCell"))->image();
    click(QStringLiteral("SpeedButton1"));
    EXPECT_EQ(form->editor().selection().rotation, 1);
    EXPECT_EQ(child<CellView>(QStringLiteral("SelectionCell"))->image(), turnBitmap(1, unturned));

    child<QWidget>(QStringLiteral("Panel4"))->show();
    click(QStringLiteral("CheckBox1"));
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(child<QCheckBox>(QStringLiteral("ByStep%1").arg(i))->isChecked()) << i;
    click(QStringLiteral("ByStep2"));
    EXPECT_EQ(form->editor().stepFlagsFromBoxes(), QStringLiteral("10111"));
    EXPECT_FALSE(undoEnabled()) << "turning and steps do not touch the board";

    click(QStringLiteral("Button1"));
    EXPECT_TRUE(undoEnabled());
    const Field applied = form->editor().cells()[20];
    EXPECT_EQ(applied.tileId, Tile);
    EXPECT_EQ(applied.rotation, 1);
    EXPECT_EQ(applied.steps, QStringLiteral("10111"));

    const QString path = folder.programFolder() + QStringLiteral("Boards/Plan.zvb");
    prompter.files = {path};
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - Plan"));
    EXPECT_TRUE(undoEnabled()) << "saving keeps the undo ring";
    const BoardFields saved = form->editor().cells();

    trigger("Menu1_Close");
    EXPECT_TRUE(prompter.messages.isEmpty()) << "a saved board closes without a question";
    expectOpen(false, QStringLiteral("Board Editor"));

    prompter.files = {path};
    trigger("Menu1_Open");
    expectOpen(true, QStringLiteral("Board Editor - Plan"));
    EXPECT_EQ(form->editor().cells(), saved);
    EXPECT_EQ(child<CellView>(QStringLiteral("ImgKarte20"))->image(), form->editor().fieldPicture(20));
    EXPECT_EQ(prompter.openRequests.last().initialFolder, folder.programFolder() + QStringLiteral("Boards"));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(DocumentWindow, BoardNamedOnTheCommandLineOpensAtStart)
{
    const QString path = folder.programFolder() + QStringLiteral("Boards/Start.zvb");
    QByteArray bytes;
    for (int k = 0; k < CellCount; ++k)
        bytes += k == 0 ? "30002,1\r\n" : "10\r\n";
    ASSERT_TRUE(folder.write(QStringLiteral("Boards/Start.zvb"), bytes));
    start(path);
    expectOpen(true, QStringLiteral("Board Editor - Start"));
    EXPECT_EQ(form->editor().selection().tileId, Tile) << "field 0 is selected";
    EXPECT_EQ(form->editor().selection().rotation, 2);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();

    // One that cannot be opened is reported over the finished window, which
    // then stays without a board.
    const QString missing = folder.programFolder() + QStringLiteral("Boards/Missing.zvb");
    form.reset();
    prompter.windowReady = [this] {
        return form && form->isVisible() && form->centralWidget()->geometry().size() == QSize(1008, 714)
               && child<QWidget>(QStringLiteral("Panel2"))->isVisible();
    };
    start(missing);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(prompter.readyAtError, QList<bool>{true});
    EXPECT_TRUE(prompter.errors.first().contains(QDir::toNativeSeparators(missing)));
    expectOpen(false, QStringLiteral("Board Editor"));
    EXPECT_TRUE(child<QAction>(QStringLiteral("Menu1_New"))->isEnabled());

    // A name that is no file name: the window shows and says so in a box.
    form.reset();
    prompter.errors.clear();
    prompter.messages.clear();
    StartOptions options{folder.programFolder(), folder.userFolder(), QString()};
    options.undecodableBoard = QStringLiteral("/b/K%E4se.zvb");
    form = std::make_unique<MainWindow>(options, &prompter);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QCoreApplication::processEvents();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].type, BoxType::Error);
    EXPECT_TRUE(prompter.messages[0].text.contains(options.undecodableBoard));
    EXPECT_TRUE(prompter.errors.isEmpty());
    expectOpen(false, QStringLiteral("Board Editor"));
}

TEST_F(DocumentWindow, ClosingTheWindowAsksAboutUnsavedChanges)
{
    start();
    trigger("Menu1_New");
    click(QStringLiteral("ImgKarte30"));
    form->editor().pickTile(Tile);
    click(QStringLiteral("Button1"));
    ASSERT_TRUE(form->editor().boardModified());

    prompter.answers = {Prompter::Answer::Cancel};
    form->close();
    EXPECT_TRUE(form->isVisible());
    prompter.answers = {Prompter::Answer::Cancel};
    trigger("Menu1_Exit");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(prompter.messages.last().text, QStringLiteral("Save the changes to Untitled?"));

    prompter.answers = {Prompter::Answer::No};
    trigger("Menu1_Exit");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(prompter.messages.size(), 3) << "ending through Exit asks once";
}
