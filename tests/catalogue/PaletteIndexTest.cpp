#include "catalogue/PaletteIndex.h"

#include "catalogue/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("BM");
}

} // namespace

TEST(PaletteIndex, PlacesTilesAndCountsGroundPlates)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir images(dir.path());
    for (const char *name : {"00200.bmp", "00001.bmp", "00000.bmp", "01004.bmp", "05011.bmp", "01234.bmp",
                             "21234.bmp", "01235.bmp", "09000.bmp", "07777.BMP", "0123.bmp", "012345.bmp", "00300.txt",
                             "10000.bmp", "27777.BMP", "25011.Bmp", "205011.bmp", "21004.bmx", "21234.BMP"})
        touch(images.filePath(QString::fromLatin1(name)));

    Catalogue catalogue;
    catalogue.setLines({"P00000=00000", "P01004=01004", "P05011=05011", "P01234=02003", "P01235=0Zabc", "P09000=09001",
                        "p07777=00005", "P00001=", "P10000=00001"});
    const PaletteIndex palette = PaletteIndex::build(dir.path(), catalogue);

    const QList<int> counts{2, 0, 1};
    EXPECT_EQ(palette.groundPlateCounts, counts);
    const struct { int group; int count; } groups[] = {{0, 2}, {1, 0}, {2, 1}, {3, 0}, {-1, 0}, {1000, 0}};
    for (const auto &g : groups)
        EXPECT_EQ(palette.groundPlateCount(g.group), g.count) << g.group;

    const QList<PaletteEntry> expected{
        {0, 0, 0, 8, 8, images.filePath(QStringLiteral("00000.bmp")), false},
        {1004, 1, 4, 8, 72, images.filePath(QStringLiteral("01004.bmp")), false},
        {1234, 2, 3, 200, 8, images.filePath(QStringLiteral("21234.bmp")), true},
        {1235, 0, 0, 8, 8, images.filePath(QStringLiteral("01235.bmp")), false}, // not numbers: 0
        {5011, 5, 11, 200, 136, images.filePath(QStringLiteral("25011.Bmp")), true},
        {7777, 0, 5, 72, 72, images.filePath(QStringLiteral("27777.BMP")), true},
        {9000, 0, 1, 72, 8, images.filePath(QStringLiteral("09000.bmp")), false}, // page 9 does not exist
    };
    ASSERT_EQ(palette.entries.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(palette.entries[i], expected[i]) << "entry " << i << ": " << palette.entries[i].tag;

    const std::array<int, PaletteIndex::PageCount> heights{137, 137, 73, 0, 0, 201};
    EXPECT_EQ(palette.panelHeights, heights);
}

TEST(PaletteIndex, MissingFolderGivesAnEmptyPalette)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Catalogue catalogue;
    catalogue.setLines({"P00000=00000"});
    const PaletteIndex palette = PaletteIndex::build(dir.filePath(QStringLiteral("Images")), catalogue);
    EXPECT_TRUE(palette.entries.isEmpty());
    EXPECT_TRUE(palette.groundPlateCounts.isEmpty());
    EXPECT_EQ(palette.groundPlateCount(0), 0);
}
