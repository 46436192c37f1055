#include "document/BoardFile.h"

#include "util/KestrixError.h"

#include "support/FileSizeLimit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace kestrix;

namespace {

QByteArray saved(const BoardFields &cells)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    saveBoardFile(buffer, cells);
    return bytes;
}

BoardFields loaded(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return loadBoardFile(buffer);
}

QByteArray lines(const QList<QByteArray> &list, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : list)
        bytes += line + end;
    return bytes;
}

// A file whose first line is the given one and whose other lines are "10".
QByteArray fileStartingWith(const QByteArray &first)
{
    QList<QByteArray> list(CellCount, QByteArray("10"));
    list[0] = first;
    return lines(list);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

BoardFields sampleBoard()
{
    BoardFields cells;
    const int ids[] = {0, 7, 45, 99, 312, 999, 1000, 1234, 1999, 5001, 5099, 8000, 8300, 9999};
    const QString flags[] = {QStringLiteral("00000"), QStringLiteral("10100"), QStringLiteral("11111"),
                             QStringLiteral("1"),     QString(),              QStringLiteral("0000"),
                             QStringLiteral("x1,0")};
    for (int k = 0; k < CellCount; ++k) {
        Field &c = cells[size_t(k)];
        c.tileId = ids[k % std::size(ids)];
        c.rotation = k % 4;
        c.steps = flags[k % std::size(flags)];
    }
    return cells;
}

} // namespace

TEST(BoardFile, WritesOneLinePerFieldInBoardOrder)
{
    BoardFields cells;
    cells[0].tileId = 45;
    cells[0].rotation = 2;
    cells[1].tileId = 45;
    cells[1].rotation = 1;
    cells[1].steps = QStringLiteral("10100");
    cells[2].tileId = 7;
    cells[3].rotation = 3;
    cells[4].steps = QString();
    cells[5].steps = QStringLiteral("000001");
    cells[143].tileId = 1234;
    cells[143].steps = QStringLiteral("1");

    QList<QByteArray> expected(CellCount, QByteArray("00"));
    expected[0] = "452";
    expected[1] = "451,10100";
    expected[2] = "70";
    expected[3] = "03";
    expected[4] = "00,";
    expected[143] = "12340,1";
    EXPECT_EQ(saved(cells), lines(expected));
}

TEST(BoardFile, RoundTripIsByteIdentical)
{
    const BoardFields board = sampleBoard();
    const QByteArray first = saved(board);
    const BoardFields reread = loaded(first);
    EXPECT_EQ(reread, board);
    EXPECT_EQ(saved(reread), first);
}

TEST(BoardFile, HandWrittenLinesReadAndWriteBack)
{
    const struct
    {
        QByteArray line;
        int tileId;
        int rotation;
        QString flags;
        QByteArray writtenBack;
    } cases[] = {
        {"452", 45, 2, QStringLiteral("00000"), "452"},
        {"451,10100", 45, 1, QStringLiteral("10100"), "451,10100"},
        {"452 ", 0, 0, QStringLiteral("00000"), "00"},
        {" 452", 45, 2, QStringLiteral("00000"), "452"},
        {"+452", 45, 2, QStringLiteral("00000"), "452"},
        {"452,00000", 45, 2, QStringLiteral("00000"), "452"},
        {"452,1", 45, 2, QStringLiteral("1"), "452,1"},
        {"452,", 45, 2, QString(), "452,"},
        {"452,101011", 45, 2, QStringLiteral("10101"), "452,10101"},
        {"452,1,0,1,1", 45, 2, QStringLiteral("1,0,1"), "452,1,0,1"},
        {",11", 0, 0, QStringLiteral("11"), "00,11"},
        {"03", 0, 3, QStringLiteral("00000"), "03"},
        {"3", 0, 3, QStringLiteral("00000"), "03"},
        {"00", 0, 0, QStringLiteral("00000"), "00"},
        {"0", 0, 0, QStringLiteral("00000"), "00"},
        {"", 0, 0, QStringLiteral("00000"), "00"},
        {"abc,11111", 0, 0, QStringLiteral("11111"), "00,11111"},
        {"$1F", 3, 1, QStringLiteral("00000"), "31"},
        {"2147483648", 0, 0, QStringLiteral("00000"), "00"},
        {"452\r", 0, 0, QStringLiteral("00000"), "00"},
        {"12340,\xe4\x31", 1234, 0, QStringLiteral("\u00e41"), "12340,\xe4\x31"},
        // Rotations no writer produces stay as read, so the line survives.
        {"457", 45, 7, QStringLiteral("00000"), "457"},
        {"-452", -45, -2, QStringLiteral("00000"), "-452"},
        {"-452,1", -45, -2, QStringLiteral("1"), "-452,1"},
        {"-2", 0, -2, QStringLiteral("00000"), "-2"},
        {"-450", -45, 0, QStringLiteral("00000"), "-450"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const BoardFields fields = loaded(fileStartingWith(c.line));
        EXPECT_EQ(fields[0], (Field{c.tileId, c.rotation, c.flags}));
        EXPECT_EQ(fields[1], (Field{1, 0, QStringLiteral("00000")}));
        EXPECT_EQ(saved(fields), fileStartingWith(c.writtenBack));
    }
}

TEST(BoardFile, LineEndsAreLfOrCrLf)
{
    QList<QByteArray> list(CellCount, QByteArray("10"));
    list[1] = "452";
    QByteArray mixed = lines(list, "\n");
    mixed.replace("452\n", "452\r\n");
    const BoardFields expected = loaded(lines(list));
    EXPECT_EQ(loaded(lines(list, "\n")), expected);
    EXPECT_EQ(loaded(mixed), expected);

    // A bare CR does not end a line: it is part of the number text.
    const BoardFields joined = loaded("452\r451\n70\n");
    EXPECT_EQ(joined[0], Field{});
    EXPECT_EQ(joined[1], (Field{7, 0, QStringLiteral("00000")}));
    EXPECT_EQ(joined[2], Field{});
}

TEST(BoardFile, MissingLinesReadEmptyAndSurplusLinesAreNotRead)
{
    QList<QByteArray> list(CellCount - 1, QByteArray("451,11"));
    const BoardFields short143 = loaded(lines(list));
    EXPECT_EQ(short143[142], (Field{45, 1, QStringLiteral("11")}));
    EXPECT_EQ(short143[143], (Field{0, 0, QStringLiteral("00000")}));

    // The last line needs no line end.
    QByteArray noFinalEnd = lines(list) + "72";
    EXPECT_EQ(loaded(noFinalEnd)[143], (Field{7, 2, QStringLiteral("00000")}));

    for (const Field &field : loaded(QByteArray()))
        EXPECT_EQ(field, (Field{0, 0, QStringLiteral("00000")}));

    list.append(QByteArray("72"));
    const QByteArray board = lines(list);
    QByteArray withSurplus = board + "999,1\r\nrubbish\r\n";
    QBuffer buffer(&withSurplus);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(loadBoardFile(buffer), loaded(board));

    // Far longer than any board: refused, not read on without end.
    QByteArray tooLong = board + QByteArray(MaxBoardFileSize, '\n');
    QBuffer longBuffer(&tooLong);
    longBuffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(loadBoardFile(longBuffer), KestrixError);
}

TEST(BoardFile, PairsNoLineHoldsAreWrittenWithTheRotationShown)
{
    // Such pairs only arise inside the program; each is written so that it
    // reads back with the same tile and shows the same way.
    const struct
    {
        int tileId;
        int rotation;
        QByteArray line;
    } cases[] = {
        {45, -1, "453"}, {45, 12, "450"}, {45, -6, "452"}, {0, -11, "01"}, {-45, 2, "-452"}, {-45, 4, "-450"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        BoardFields cells;
        cells[0].tileId = c.tileId;
        cells[0].rotation = c.rotation;
        const QByteArray bytes = saved(cells);
        EXPECT_TRUE(bytes.startsWith(c.line + "\r\n"));
        const Field back = loaded(bytes)[0];
        EXPECT_EQ(back.tileId, c.tileId);
        EXPECT_EQ(((back.rotation % 4) + 4) % 4, ((c.rotation % 4) + 4) % 4);
    }
}

TEST(BoardFile, SavesAndLoadsThroughAPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Plan 1.zvb"));
    writeFile(path, QByteArray("old contents"));

    const BoardFields board = sampleBoard();
    saveBoardFile(path, board);
    EXPECT_EQ(readFile(path), saved(board));
    EXPECT_EQ(loadBoardFile(path), board);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Plan 1.zvb")});
}

TEST(BoardFile, OpenErrorsNameTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.zvb"));
    try {
        loadBoardFile(missing);
        FAIL() << "missing file loaded";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(missing))) << error.what();
        EXPECT_TRUE(error.text().contains(QStringLiteral("Datei nicht gefunden"))) << error.what();
    }
    // A folder exists but is no board file.
    try {
        loadBoardFile(dir.path());
        FAIL() << "folder loaded";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(dir.path()))) << error.what();
    }
}

TEST(BoardFile, SaveIntoMissingFolderNamesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("no such folder/Plan.zvb"));
    try {
        saveBoardFile(path, sampleBoard());
        FAIL() << "saved into a missing folder";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(path))) << error.what();
    }
}

TEST(BoardFile, SaveIntoReadOnlyFolderKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Plan.zvb"));
    const QByteArray old = "452\r\nold board\r\n";
    writeFile(path, old);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    {
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "this user can write into read-only folders";
        }
    }
    try {
        saveBoardFile(path, sampleBoard());
        ADD_FAILURE() << "saved into a read-only folder";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(path))) << error.what();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(path), old);
}

TEST(BoardFile, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Plan.zvb"));
    const QByteArray old = "452\r\nold board\r\n";
    writeFile(path, old);

    QString text;
    {
        const FileSizeLimit limit(64);
        ASSERT_TRUE(limit.isSet());
        try {
            saveBoardFile(path, sampleBoard());
        } catch (const KestrixError &error) {
            text = error.text();
        }
    }

    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QString::fromLocal8Bit(strerror(EFBIG)))) << qPrintable(text);
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Plan.zvb")});
}

TEST(BoardFile, DeviceThatTakesNothingFails)
{
    QBuffer closed;
    EXPECT_THROW(saveBoardFile(closed, sampleBoard()), KestrixError);
}
