#include "document/RecentBoards.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kestrix;

namespace {

QStringList boards(int from, int to)
{
    QStringList paths;
    for (int i = from; i >= to; --i)
        paths << QStringLiteral("/b/%1.zvb").arg(i);
    return paths;
}

} // namespace

TEST(RecentBoards, NewestFirstNoRepeatsAtMostEight)
{
    RecentBoards list;
    for (int i = 1; i <= 10; ++i)
        list.add(QStringLiteral("/b/%1.zvb").arg(i));
    EXPECT_EQ(list.paths(), boards(10, 3));

    // An entry chosen again moves to the front instead of appearing twice,
    // also when its path is spelt differently.
    list.add(QStringLiteral("/b/x/../5.zvb"));
    EXPECT_EQ(list.paths().first(), QStringLiteral("/b/5.zvb"));
    EXPECT_EQ(list.paths().size(), 8);
    EXPECT_EQ(list.paths().count(QStringLiteral("/b/5.zvb")), 1);

    // A path that would split into two lines of the file is not kept.
    const QStringList before = list.paths();
    list.add(QStringLiteral("/b/evil\n/etc/passwd"));
    list.add(QString());
    EXPECT_EQ(list.paths(), before);

    EXPECT_TRUE(list.remove(QStringLiteral("/b/5.zvb")));
    EXPECT_FALSE(list.remove(QStringLiteral("/b/5.zvb")));
    EXPECT_EQ(list.paths().size(), 7);
}

TEST(RecentBoards, FileRoundTripsAndHostileFilesGiveAShortList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString userFolder = dir.path() + QStringLiteral("/profile/Kestrix/");
    EXPECT_TRUE(RecentBoards::read(userFolder).paths().isEmpty()) << "no file yet";

    RecentBoards list;
    list.add(QStringLiteral("/b/Über Plan.zvb"));
    list.add(QStringLiteral("/b/Plan 2.zvb"));
    list.write(userFolder);
    EXPECT_EQ(RecentBoards::read(userFolder).paths(), list.paths());

    // Blank lines, CR LF, repeats and more than eight lines.
    const RecentBoards parsed =
        RecentBoards::parse("\r\n/a.zvb\r\n/a.zvb\n\n" + boards(12, 1).join(u'\n').toUtf8() + "\r");
    EXPECT_EQ(parsed.paths(), QStringList{QStringLiteral("/a.zvb")} + boards(12, 6));

    // A FIFO or a folder in the file's place is not opened: reading a FIFO
    // would wait for a writer for ever.
    const QString path = RecentBoards::filePath(userFolder);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_TRUE(RecentBoards::read(userFolder).paths().isEmpty());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_TRUE(RecentBoards::read(userFolder).paths().isEmpty());

    // No user folder: nothing is written into, or read from, the current folder.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    list.write(QString());
    EXPECT_FALSE(QFileInfo::exists(RecentBoards::filePath(QString())));
    list.write(dir.path() + u'/'); // the same file as seen from the current folder
    EXPECT_TRUE(RecentBoards::read(QString()).paths().isEmpty());
    ASSERT_TRUE(QDir::setCurrent(current));
}
