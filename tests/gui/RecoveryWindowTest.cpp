#include "gui/TForm1.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace kestrix;

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

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
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

    std::unique_ptr<TForm1> start(int intervalMs = 30000)
    {
        StartOptions options{folder.programFolder(), folder.userFolder(), QString()};
        options.recoveryIntervalMs = intervalMs;
        auto form = std::make_unique<TForm1>(options, &prompter);
        form->show();
        return form;
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    QByteArray original;
};

} // namespace

TEST_F(RecoveryWindow, AKilledProgramsBoardIsRestoredAtTheNextStart)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QStringLiteral(KESTRIX_RECOVERY_CHILD),
                {folder.programFolder(), folder.userFolder(), boardPath(), QStringLiteral("13"),
                 QString::number(Tile)});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(eventually([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }));
    ASSERT_EQ(child.readLine(), QByteArray("changed\n")) << child.readAllStandardError().toStdString();
    ASSERT_TRUE(eventually([&] { return kept(QStringLiteral("*.txt")).size() == 1; }));
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    ASSERT_EQ(kept(QStringLiteral("*.zvb")).size(), 1);
    const QByteArray keptBoard = readFile(recoveryFolder() + kept(QStringLiteral("*.zvb")).first());
    EXPECT_NE(keptBoard, original);
    EXPECT_EQ(keptBoard.count("\r\n"), CellCount);
    EXPECT_EQ(readFile(boardPath()), original) << "the program never wrote the board's own file";

    prompter.answers = {Answer::Yes};
    std::unique_ptr<TForm1> form = start();
    ASSERT_TRUE(eventually([&] { return !prompter.messages.isEmpty(); }));
    QTest::qWait(20);
    ASSERT_EQ(prompter.messages.size(), 1) << "asked once";
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("Plan"))) << prompter.messages[0].text.toStdString();
    Editor &editor = form->editor();
    EXPECT_EQ(editor.DocumentFileName(), boardPath());
    EXPECT_TRUE(editor.boardModified());
    EXPECT_EQ(editor.cells()[13].Tag, Tile);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - Plan"));

    form->findChild<QAction *>(QStringLiteral("Menu1_Save"))->trigger();
    EXPECT_TRUE(prompter.saveRequests.isEmpty());
    EXPECT_EQ(readFile(boardPath()), keptBoard) << "restored byte for byte, saved under its own name";
    EXPECT_TRUE(kept().isEmpty()) << kept().join(u' ').toStdString();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(RecoveryWindow, ExitAnsweredNoLeavesNothing)
{
    std::unique_ptr<TForm1> form = start(10);
    Editor &editor = form->editor();
    editor.LoadBoardFile(boardPath());
    editor.ImgKarteClick(20);
    editor.PCImageClick(Tile);
    editor.Button1Click();
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
