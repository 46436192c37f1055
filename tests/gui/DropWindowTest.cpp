#include "gui/MainWindow.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// The main window on a program folder with two saved boards of plain plates.
class DropWindow : public ::testing::Test, protected TestWindow<>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"),
                                 "English\r\nTitle=Board Editor\r\nText01=Save the changes to %s?\r\n"));
        ASSERT_TRUE(folder.writeTilePictures(0));
        for (const QString &name : {first, dropped}) {
            QByteArray board;
            for (int k = 0; k < CellCount; ++k)
                board += "00,00000\r\n";
            ASSERT_TRUE(folder.write(QStringLiteral("Boards/") + name + QStringLiteral(".zvb"), board));
        }
    }

    void start()
    {
        create(board(first));
        show();
    }

    QString board(const QString &name) const
    {
        return folder.programFolder() + QStringLiteral("Boards/") + name + QStringLiteral(".zvb");
    }

    // Drops the files on the window; true when the window took the drop.
    bool drop(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropEvent(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &dropEvent);
        return dropEvent.isAccepted();
    }

    QStringList recentEntries() const
    {
        QStringList captions;
        for (const QAction *action : form->findChild<QMenu *>(QStringLiteral("Menu1_Recent"))->actions())
            captions << action->text();
        return captions;
    }

    const QString first = QStringLiteral("First");
    const QString dropped = QStringLiteral("Dropped & Co");
};

} // namespace

TEST_F(DropWindow, ADroppedBoardOpensAfterTheQuestionAndOtherDropsAreRefused)
{
    start();
    ASSERT_EQ(form->windowTitle(), QStringLiteral("Board Editor - First"));
    EXPECT_FALSE(drop({folder.programFolder() + QStringLiteral("InitList.ini")}));
    EXPECT_FALSE(drop({board(dropped), board(first)}));
    EXPECT_TRUE(prompter.messages.isEmpty());

    form->editor().setBoardModified(true);
    prompter.answers = {Answer::Cancel};
    drop({board(dropped)});
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - First"));
    EXPECT_TRUE(form->editor().boardModified());

    prompter.answers = {Answer::No};
    EXPECT_TRUE(drop({board(dropped)}));
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - Dropped & Co"));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(DropWindow, TheFileMenuListsTheRecentBoardsAfterARestartAndOpensThem)
{
    start();
    EXPECT_EQ(recentEntries(), QStringList{QStringLiteral("&1 First.zvb")});
    drop({board(dropped)});
    // "&" in a file name is shown, not taken as the entry's key.
    const QStringList entries{QStringLiteral("&1 Dropped && Co.zvb"), QStringLiteral("&2 First.zvb")};
    EXPECT_EQ(recentEntries(), entries);

    form.reset();
    start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - First"));
    const QStringList reordered{QStringLiteral("&1 First.zvb"), QStringLiteral("&2 Dropped && Co.zvb")};
    ASSERT_EQ(recentEntries(), reordered);
    form->findChild<QMenu *>(QStringLiteral("Menu1_Recent"))->actions().at(1)->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Board Editor - Dropped & Co"));
    EXPECT_EQ(recentEntries(), entries);
}
