#include "gui/GuiPrompter.h"
#include "gui/MainWindow.h"

#include "support/Files.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

using namespace kestrix;
using namespace Qt::StringLiterals;

namespace {

constexpr int Tile = 3000;

class RecoveryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.writeWindowBasics(Tile));
        QByteArray board;
        for (int k = 0; k < CellCount; ++k)
            board += QByteArray::number(k % 3) + QByteArray::number(k % 4) + (k % 5 ? "" : ",10100") + "\r\n";
        ASSERT_TRUE(folder.write(QStringLiteral("Boards/Plan.zvb"), board));
        original = board;
    }

    QString boardPath() const { return folder.programFolder() + QStringLiteral("Boards/Plan.zvb"); }
    QString recoveryFolder() const { return folder.userFolder() + QStringLiteral("Recovery/"); }
    QStringList kept(const QString &pattern = QStringLiteral("*")) const
    {
        return QDir(recoveryFolder()).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    }

    // Waits, within a generous limit, until condition holds.
    template<class Condition>
    static bool eventually(Condition condition)
    {
        QDeadlineTimer deadline(60000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    std::unique_ptr<MainWindow> start(int intervalMs = 30000)
    {
        StartOptions options{folder.programFolder(), folder.userFolder(), QString()};
        options.recoveryIntervalMs = intervalMs;
        auto form = std::make_unique<MainWindow>(options, &prompter);
        form->show();
        return form;
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    QByteArray original;
};

} // namespace

// However the program ends, an unsaved board is offered at the next start:
// killed once a copy is kept (at the interval, or shortly after the change),
// or ended by a signal that lets it keep the copy then, a modal dialog open
// or not.
TEST_F(RecoveryWindow, AnEndedProgramsBoardIsRestoredAtTheNextStart)
{
    const QString never = QString::number(3600 * 1000);
    const struct {
        const char *name;
        int signal;
        QString intervalMs, delayMs;
        bool dialog;
    } cases[] = {
        {"killed after the interval", SIGKILL, u"10"_s, never, false},
        {"killed shortly after the change", SIGKILL, never, u"2000"_s, false},
        {"terminated", SIGTERM, never, never, false},
        {"hung up", SIGHUP, never, never, false},
        {"interrupted", SIGINT, never, never, false},
        {"terminated in a dialog", SIGTERM, never, never, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(folder.write(u"Boards/Plan.zvb"_s, original));
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        QStringList arguments{folder.programFolder(), folder.userFolder(), boardPath(), u"13"_s,
                              QString::number(Tile), c.intervalMs, c.delayMs};
        if (c.dialog)
            arguments.append(u"dialog"_s);
        child.start(QStringLiteral(KESTRIX_RECOVERY_CHILD), arguments);
        ASSERT_TRUE(child.waitForStarted());
        const auto nextLine = [&child] {
            eventually([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; });
            return child.readLine();
        };
        ASSERT_EQ(nextLine(), QByteArray("changed\n")) << child.readAllStandardError().toStdString();
        if (c.dialog) {
            ASSERT_EQ(nextLine(), QByteArray("dialog\n"));
        }
        if (c.signal == SIGKILL)
            ASSERT_TRUE(eventually([&] { return kept(u"*.txt"_s).size() == 1; }));
        else
            EXPECT_TRUE(kept(u"*.txt"_s).isEmpty()) << "kept only when the signal comes";
        ::kill(pid_t(child.processId()), c.signal);
        ASSERT_TRUE(child.waitForFinished());
        if (c.signal == SIGKILL) {
            EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
        } else {
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child.exitCode(), 128 + c.signal);
        }
        const QByteArray said = child.readAllStandardError();
        EXPECT_FALSE(said.contains("kestrix:") || said.contains("error:") || said.contains("message:")) << said.toStdString();

        ASSERT_EQ(kept(u"*.zvb"_s).size(), 1);
        const QByteArray keptBoard = readFile(recoveryFolder() + kept(u"*.zvb"_s).first());
        EXPECT_NE(keptBoard, original);
        EXPECT_EQ(keptBoard.count("\r\n"), CellCount);
        EXPECT_EQ(readFile(boardPath()), original) << "the program never wrote the board's own file";

        prompter.messages.clear();
        prompter.answers = {Answer::Yes};
        std::unique_ptr<MainWindow> form = start();
        ASSERT_TRUE(eventually([&] { return !prompter.messages.isEmpty(); }));
        QTest::qWait(20);
        ASSERT_EQ(prompter.messages.size(), 1) << "asked once";
        EXPECT_TRUE(prompter.messages[0].text.contains(QDir::toNativeSeparators(boardPath())))
            << prompter.messages[0].text.toStdString();
        Editor &editor = form->editor();
        EXPECT_EQ(editor.documentState(), DocumentState::boardFile(boardPath()));
        EXPECT_TRUE(editor.boardModified());
        EXPECT_EQ(editor.cells()[13].Tag, Tile);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - Plan"));

        form->findChild<QAction *>(QStringLiteral("Menu1_Save"))->trigger();
        EXPECT_TRUE(prompter.saveRequests.isEmpty());
        EXPECT_EQ(readFile(boardPath()), keptBoard) << "restored byte for byte, saved under its own name";
        EXPECT_TRUE(kept().isEmpty()) << kept().join(u' ').toStdString();
        EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    }
}

// A box or the recovery dialog closed without a button (Escape, the close
// box) answers nothing: no question is taken as No, no board is discarded.
TEST_F(RecoveryWindow, ClosingAQuestionAnswersNothing)
{
    using Action = Prompter::RecoveryChoice::Action;
    const auto escape = [](QWidget *box) { QTest::keyClick(box, Qt::Key_Escape); };
    const auto close = [](QWidget *box) { box->close(); };
    const auto click = [](const char *caption) {
        return [caption](QWidget *box) {
            for (QPushButton *button : box->findChildren<QPushButton *>()) {
                if (button->text() == QLatin1String(caption))
                    button->click();
            }
        };
    };
    const struct {
        const char *name;
        bool dialog; // the recovery dialog, else a Yes/No box
        std::function<void(QWidget *)> act;
        Answer answer;
        Action action;
        QList<int> boards;
    } cases[] = {
        {"box, Escape", false, escape, Answer::Cancel, {}, {}},
        {"box, closed", false, close, Answer::Cancel, {}, {}},
        {"box, No", false, click("No"), Answer::No, {}, {}},
        {"dialog, Escape", true, escape, {}, Action::Keep, {}},
        {"dialog, closed", true, close, {}, Action::Keep, {}},
        {"dialog, Later", true, click("Later"), {}, Action::Keep, {}},
        {"dialog, restore the newest", true, click("Restore"), {}, Action::Restore, {0}},
        {"dialog, discard the newest", true, click("Discard"), {}, Action::Discard, {0}},
        {"dialog, discard all", true, click("All"), {}, Action::Discard, {0, 1, 2}},
    };
    QWidget parent;
    GuiPrompter boxes(&parent);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        bool acted = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            c.act(box);
            acted = true;
        });
        if (c.dialog) {
            const Prompter::RecoveryChoice choice = boxes.askRecovery(
                {u"Title"_s, u"Text"_s, {u"C"_s, u"B"_s, u"A"_s}, u"Restore"_s, u"Discard"_s, u"All"_s, u"Later"_s});
            EXPECT_EQ(choice.action, c.action);
            EXPECT_EQ(choice.boards, c.boards);
        } else {
            const Answer answer = boxes.message(
                {BoxType::Confirmation, u"Title"_s, u"Restore?"_s, {{Answer::Yes, u"Yes"_s}, {Answer::No, u"No"_s}}});
            EXPECT_EQ(answer, c.answer);
        }
        EXPECT_TRUE(acted);
    }
}

TEST_F(RecoveryWindow, ExitAnsweredNoLeavesNothing)
{
    std::unique_ptr<MainWindow> form = start(10);
    Editor &editor = form->editor();
    editor.loadBoard(boardPath());
    editor.selectField(20);
    editor.pickTile(Tile);
    editor.applySelection();
    ASSERT_TRUE(eventually([&] { return kept(QStringLiteral("*.zvb")).size() == 1; }));

    prompter.answers = {Answer::No};
    form->findChild<QAction *>(QStringLiteral("Menu1_Exit"))->trigger();
    EXPECT_FALSE(form->isVisible());
    form.reset();
    EXPECT_TRUE(kept().isEmpty()) << kept().join(u' ').toStdString();
    EXPECT_EQ(readFile(boardPath()), original);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
