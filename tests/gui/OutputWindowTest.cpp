#include "gui/GuiPrompter.h"
#include "gui/MainWindow.h"
#include "gui/StatusLine.h"

#include "support/QtPrinters.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace kestrix;

namespace {

// The "Bearbeiten" menu's check, print and export on a new board.
class OutputWindow : public ::testing::Test, protected TestWindow<>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(pictures.isValid());
        ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"),
                                 "English\r\nTitle=Board Editor\r\nNoFileName=Untitled\r\n"
                                 "Text01=Save?\r\nText02=The board is fine.\r\nText03=a\r\nText04=b\r\n"
                                 "Text05=c\r\nText06=d\r\nText07=e\r\nText08=Alone on %s.\r\nText09=Too many on %s.\r\n"));
        for (int id : {0, 1, 2})
            ASSERT_TRUE(folder.writeTilePictures(id));
        create();
        ASSERT_TRUE(showActive());
        trigger("Menu1_New");
        prompter.printer = &printer;
        // The cursor each job was printed under.
        printer.onJob = [this] { jobCursors.append(overrideCursor()); };
    }

    static std::optional<Qt::CursorShape> overrideCursor()
    {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor ? std::optional(cursor->shape()) : std::nullopt;
    }

    RecordingPrinter printer;
    QList<std::optional<Qt::CursorShape>> jobCursors;
    QTemporaryDir pictures;
};

TEST_F(OutputWindow, ChecksTheBoard)
{
    trigger("Menu1_Check");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("The board is fine."));

    form->editor().cells()[3].tileId = 5007;
    trigger("Menu1_Check");
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(prompter.messages[1].text, QStringLiteral("Alone on Untitled."));
}

// The status line follows every change of the board with the check's
// verdict; a click on a failing verdict selects the field it concerns.
TEST_F(OutputWindow, TheStatusLineShowsTheCheckAfterEveryChange)
{
    auto *status = form->findChild<StatusLine *>();
    ASSERT_NE(status, nullptr);
    const auto shown = [&] {
        QCoreApplication::processEvents();
        return status->text();
    };
    EXPECT_EQ(shown(), QStringLiteral("The board is fine."));
    EXPECT_GT(status->mapTo(form.get(), QPoint(0, 0)).y(), form->centralWidget()->geometry().bottom())
        << "below the laid-out window";

    ASSERT_TRUE(folder.writeTilePictures(5007));
    Editor &editor = form->editor();
    editor.selectField(30);
    editor.selection().tileId = 5007;
    child<QPushButton>("Button1")->click();
    EXPECT_EQ(shown(), QStringLiteral("Alone on Untitled."));
    EXPECT_EQ(status->cursor().shape(), Qt::PointingHandCursor);

    editor.selectField(100);
    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_EQ(editor.selection().cell, 30) << "the click selects the lone tile's field";

    trigger("Menu1_Undo");
    EXPECT_EQ(shown(), QStringLiteral("The board is fine."));
    editor.selectField(100);
    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_EQ(editor.selection().cell, 100) << "a passing verdict selects nothing";
    EXPECT_EQ(status->cursor().shape(), Qt::ArrowCursor);
    trigger("Menu1_Redo");
    EXPECT_EQ(shown(), QStringLiteral("Alone on Untitled."));

    prompter.answers = {Answer::No}; // no saving
    trigger("Menu1_Close");
    EXPECT_EQ(shown(), QString());
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(OutputWindow, PrintsWithCtrlPUnderTheWaitCursor)
{
    prompter.pageChoices = {{1, 4, 1, 2}};
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(jobCursors, (QList<std::optional<Qt::CursorShape>>{Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(overrideCursor(), std::nullopt);
    EXPECT_TRUE(prompter.errors.isEmpty());

    // A printer that fails: the error box, and the cursor comes back.
    printer.failingJob = 3;
    prompter.pageChoices = {{1, 4, 1, 4}};
    trigger("Menu1_Print");
    EXPECT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(prompter.errors, QStringList{QStringLiteral("The printer is out of paper")});
    EXPECT_EQ(overrideCursor(), std::nullopt);
}

TEST_F(OutputWindow, ExportsThePictures)
{
    prompter.files = {pictures.filePath(QStringLiteral("Platte.jpg"))};
    trigger("Menu1_SaveAsPic");
    // The four quarters under the chosen name, each a JPEG picture of its
    // quarter's shape: the strip right, below, left and above the square.
    const QSize sizes[] = {{1725, 1575}, {1575, 1725}, {1725, 1575}, {1575, 1725}};
    QStringList expected;
    for (int n = 1; n <= 4; ++n) {
        const QString name = QStringLiteral("Platte (%1).jpg").arg(n);
        expected.append(name);
        EXPECT_EQ(QImage(pictures.filePath(name), "JPG").size(), sizes[n - 1]) << n;
    }
    EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();

    ASSERT_TRUE(QDir(pictures.path()).mkdir(QStringLiteral("Rejected (1).jpg")));
    prompter.files = {pictures.filePath(QStringLiteral("Rejected.jpg"))};
    trigger("Menu1_SaveAsPic");
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(QStringLiteral("Rejected (1).jpg")));
    EXPECT_EQ(overrideCursor(), std::nullopt);
}

// "Als Bild speichern (ganzes Brett)..." asks for a PNG file and writes the
// whole board into it under the wait cursor; a failing board writes nothing.
TEST_F(OutputWindow, ExportsTheWholeBoardAsOnePicture)
{
    QList<std::optional<Qt::CursorShape>> busyCursors;
    QObject::connect(&form->editor(), &Editor::busyChanged, form.get(), [&busyCursors](bool busy) {
        if (busy)
            busyCursors.append(overrideCursor());
    });
    const QString fileName = pictures.filePath(QStringLiteral("Platte.png"));
    prompter.files = {fileName};
    trigger("Menu1_SaveAsWholePic");
    ASSERT_EQ(prompter.saveRequests.size(), 1);
    EXPECT_EQ(prompter.saveRequests[0].defaultSuffix, QStringLiteral("png"));
    EXPECT_EQ(prompter.saveRequests[0].filter, QStringLiteral("PNG-Bilddatei|*.png"));
    EXPECT_EQ(QImage(fileName, "PNG").size(), QSize(3148, 3148));
    EXPECT_EQ(busyCursors, QList<std::optional<Qt::CursorShape>>{Qt::WaitCursor});
    EXPECT_EQ(overrideCursor(), std::nullopt);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();

    form->editor().cells()[3].tileId = 5007;
    prompter.files = {pictures.filePath(QStringLiteral("Failing.png"))};
    trigger("Menu1_SaveAsWholePic");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("Alone on Untitled."));
    EXPECT_EQ(prompter.saveRequests.size(), 1) << "no file is asked for";
    EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files), QStringList{QStringLiteral("Platte.png")});
}

// Runs the real print dialog: when it shows, pick reacts to it and accepts.
PagePrinter *runPrintDialog(GuiPrompter &prompter, Prompter::PageRange &pages,
                            const std::function<void(QPrintDialog &)> &pick)
{
    QTimer::singleShot(0, [pick] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        pick(*dialog);
        dialog->accept();
    });
    return prompter.askPrint(pages);
}

TEST(GuiPrompterPrint, TakesThePagesChosen)
{
    GuiPrompter prompter(nullptr);
    Prompter::PageRange pages{1, 4, 2, 3};
    ASSERT_NE(runPrintDialog(prompter, pages, [](QPrintDialog &) {}), nullptr);
    EXPECT_EQ(pages.fromPage, 2);
    EXPECT_EQ(pages.toPage, 3);

    // "All pages" prints them all, whatever the range fields still hold.
    ASSERT_NE(runPrintDialog(prompter, pages,
                             [](QPrintDialog &dialog) {
                                 auto *all = dialog.findChild<QRadioButton *>(QStringLiteral("printAll"));
                                 ASSERT_NE(all, nullptr);
                                 all->click();
                             }),
              nullptr);
    EXPECT_EQ(pages.fromPage, 1);
    EXPECT_EQ(pages.toPage, 4);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
