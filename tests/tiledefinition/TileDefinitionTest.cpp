#include "tiledefinition/TileDefinition.h"

#include "catalogue/Catalogue.h"
#include "util/KestrixError.h"

#include "support/QtPrinters.h"
#include "support/TestProgramFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

QList<QByteArray> linesOf(std::initializer_list<const char *> lines)
{
    QList<QByteArray> list;
    for (const char *line : lines)
        list.append(QByteArray(line));
    return list;
}

std::array<bool, SideCount> ticks(const TileDefinition &definition, SidePage page)
{
    std::array<bool, SideCount> result{};
    for (int j = 0; j < SideCount; ++j)
        result[size_t(j)] = definition.side(page, j).ticked;
    return result;
}

using Ticks = std::array<bool, SideCount>;

// A program folder with the pictures of a few tiles; 01234 is the fourth
// picture of the list, so it may take a new number.
class TileDefinitionApply : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (int id : {0, 1, 2, 1234, 5678})
            ASSERT_TRUE(folder.writeTilePictures(id)) << id;
        catalogue.setLines(linesOf({"S01234=0Font:001*BG:001*Array:*", "P01234=01004", "W012340=", "D01234=212302",
                                    "N012341=05678", "A056780=01234", "P05678=01234", "C012342=00000"}));
    }

    QString apply(const TileDefinition &definition)
    {
        return applyTileDefinition(catalogue, folder.programFolder(), line, definition);
    }

    bool picture(const char *name) const { return QFile::exists(folder.programFolder() + qs("Images/") + qs(name)); }

    QByteArray savedFile() const
    {
        QFile file(folder.programFolder() + qs("InitList.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    TestProgramFolder folder;
    Catalogue catalogue;
    TileFileLine line{3, qs("01234.bmp")};
};

} // namespace

TEST(TileDefinitionRead, TicksTheSidesTheCatalogueNames)
{
    Catalogue catalogue;
    catalogue.setLines(linesOf({"W012340=", "w012342=", "A012341=05678", "N012343=", "C012340=00001",
                                "P01234=01004", "D01234=212302"}));
    const TileDefinition definition = readTileDefinition(catalogue, 1234);
    EXPECT_EQ(definition.number, qs("01234"));
    EXPECT_EQ(definition.position, qs("01004"));
    EXPECT_EQ(ticks(definition, SidePage::Wall), (Ticks{true, false, true, false}));
    EXPECT_EQ(ticks(definition, SidePage::Adds), (Ticks{false, true, false, false}));
    EXPECT_EQ(definition.side(SidePage::Adds, 1).text, qs("05678"));
    EXPECT_EQ(ticks(definition, SidePage::Needs), (Ticks{false, false, false, true}));
    EXPECT_EQ(definition.side(SidePage::Needs, 3).text, qs(""));
    EXPECT_EQ(definition.side(SidePage::Compulsory, 0).text, qs("00001"));
    EXPECT_EQ(ticks(definition, SidePage::Possible), (Ticks{false, true, false, false}));
    EXPECT_EQ(ticks(definition, SidePage::Direction), (Ticks{false, false, true, false}));
    EXPECT_EQ(definition.beltItem, 2);
}

TEST(TileDefinitionRead, BeltPatternsThatSayLittle)
{
    const struct { const char *line; Ticks moeglich; Ticks richtung; int item; } cases[] = {
        {"D01234=", {}, {}, 0},      // empty: as if there were none
        {"D01234=2", {}, {}, 0},     // too short for any side
        {"D01234=23x2", {false, false, true, false}, {true, false, false, false}, 0}, // "x" ticks nothing
        {"D01234=033337", {}, {true, true, true, true}, 7},
        {"D01234=000009", {}, {}, 0}, // no such item
        {"D01234=00000X", {}, {}, 0},
    };
    for (const auto &c : cases) {
        Catalogue catalogue;
        catalogue.setLines(linesOf({c.line}));
        const TileDefinition definition = readTileDefinition(catalogue, 1234);
        EXPECT_EQ(ticks(definition, SidePage::Possible), c.moeglich) << c.line;
        EXPECT_EQ(ticks(definition, SidePage::Direction), c.richtung) << c.line;
        EXPECT_EQ(definition.beltItem, c.item) << c.line;
    }
}

TEST(TileDefinitionBelt, WallBeforeSideInputBeforeDirection)
{
    TileDefinition definition;
    definition.side(SidePage::Wall, 0).ticked = true;
    definition.side(SidePage::Possible, 1).ticked = true;
    definition.side(SidePage::Direction, 2).ticked = true;
    definition.beltItem = 2; // "Presse"
    EXPECT_EQ(beltPattern(1234, definition), qs("212302"));

    definition.side(SidePage::Direction, 0).ticked = true;
    definition.side(SidePage::Direction, 1).ticked = true;
    definition.side(SidePage::Wall, 3).ticked = true;
    definition.side(SidePage::Possible, 3).ticked = true;
    EXPECT_EQ(beltPattern(1105, definition), qs("112312"));
}

TEST_F(TileDefinitionApply, WritesEachSideAndSavesTheSortedCatalogue)
{
    TileDefinition definition = readTileDefinition(catalogue, 1234);
    definition.side(SidePage::Needs, 1).ticked = false;
    definition.side(SidePage::Needs, 3).ticked = true; // with an empty field
    definition.side(SidePage::Adds, 2) = {true, qs("0\r\n5678")};
    definition.side(SidePage::Compulsory, 2).text = qs("01111");
    definition.side(SidePage::Wall, 2).ticked = true;
    definition.side(SidePage::Direction, 2).ticked = true; // stored as the wall
    definition.position.clear();

    EXPECT_EQ(apply(definition), QString());
    const QList<QByteArray> expected = linesOf({"A012342=05678", "A056780=01234", "C012342=01111", "D01234=212102",
                                                "N012343=", "P05678=01234", "S01234=0Font:001*BG:001*Array:*",
                                                "W012340=", "W012342="});
    EXPECT_EQ(catalogue.lines(), expected);
    EXPECT_EQ(savedFile(), expected.join("\r\n") + "\r\n");
    EXPECT_EQ(line.fileName, qs("01234.bmp"));

    const TileDefinition reopened = readTileDefinition(catalogue, 1234);
    EXPECT_EQ(ticks(reopened, SidePage::Wall), (Ticks{true, false, true, false}));
    EXPECT_EQ(ticks(reopened, SidePage::Direction), (Ticks{}));
    EXPECT_EQ(ticks(reopened, SidePage::Possible), (Ticks{false, true, false, false}));
}

TEST_F(TileDefinitionApply, OnlyBeltTilesKeepABeltPattern)
{
    TileFileLine other{4, qs("05678.bmp")};
    catalogue.append("D05678=212302");
    TileDefinition definition = readTileDefinition(catalogue, 5678);
    ASSERT_EQ(ticks(definition, SidePage::Direction), (Ticks{false, false, true, false}));
    EXPECT_EQ(applyTileDefinition(catalogue, folder.programFolder(), other, definition), QString());
    EXPECT_FALSE(catalogue.hasKey(qs("D05678")));
    EXPECT_TRUE(catalogue.hasKey(qs("D01234")));
}

TEST_F(TileDefinitionApply, ANewNumberRenamesTheTileEverywhere)
{
    TileDefinition definition = readTileDefinition(catalogue, 1234);
    definition.number = qs("1240");
    EXPECT_EQ(apply(definition), QString());

    EXPECT_EQ(catalogue.lines(),
              linesOf({"A056780=01240", "C012402=00000", "D01240=212302", "N012401=05678", "P01240=01004",
                       "P05678=01234", "S01240=0Font:001*BG:001*Array:*", "W012400="}));
    EXPECT_EQ(line.fileName, qs("01240.bmp"));
    EXPECT_TRUE(picture("01240.bmp") && picture("11240.bmp"));
    EXPECT_FALSE(picture("01234.bmp") || picture("11234.bmp"));
}

TEST_F(TileDefinitionApply, MissingLargePictureDoesNotStopTheNewNumber)
{
    ASSERT_TRUE(folder.remove(qs("Images/11234.bmp")));
    TileDefinition definition = readTileDefinition(catalogue, 1234);
    definition.number = qs("1240");
    EXPECT_EQ(apply(definition), QString());
    EXPECT_TRUE(picture("01240.bmp"));
    EXPECT_TRUE(catalogue.hasKey(qs("D01240")));
}

TEST_F(TileDefinitionApply, RefusalsChangeNothing)
{
    ASSERT_TRUE(folder.writeTilePictures(1240));
    const QList<QByteArray> before = catalogue.lines();
    const struct { const char *number; const char *message; } cases[] = {
        {"1240", "Der Name '01240' ist bereits vergeben!"},
        {"abc", "Der Name '00000' ist bereits vergeben!"}, // not a number: 0
        {"10000", "Die Nummer '10000' liegt nicht zwischen 0 und 9999!"},
        {"-1", "Die Nummer '-1' liegt nicht zwischen 0 und 9999!"},
    };
    for (const auto &c : cases) {
        TileDefinition definition = readTileDefinition(catalogue, 1234);
        definition.number = qs(c.number);
        definition.position.clear();
        EXPECT_EQ(apply(definition), qs(c.message));
        EXPECT_EQ(catalogue.lines(), before) << c.number;
        EXPECT_EQ(line.fileName, qs("01234.bmp"));
        EXPECT_TRUE(picture("01234.bmp") && picture("11234.bmp") && picture("11240.bmp"));
        EXPECT_EQ(savedFile(), QByteArray()) << "the catalogue file is not written";
    }
}

TEST_F(TileDefinitionApply, TheFirstThreePicturesKeepTheirNumbers)
{
    for (int row : {0, 1, 2}) {
        line = {row, qs("01234.bmp")};
        TileDefinition definition = readTileDefinition(catalogue, 1234);
        definition.number = qs("1240");
        definition.position = qs("0100") + QString::number(row);
        EXPECT_EQ(apply(definition), QString()) << row;
        EXPECT_EQ(catalogue.value(qs("P01234")), definition.position);
        EXPECT_FALSE(catalogue.hasKey(qs("P01240")));
        EXPECT_EQ(line.fileName, qs("01234.bmp"));
        EXPECT_TRUE(picture("01234.bmp") && !picture("01240.bmp"));
    }
}

// Pictures and catalogue always agree on disk: whichever step fails, the
// pictures keep their names and the list in memory and on disk stays.
TEST(TileDefinitionRenumber, AFailedStepChangesNothing)
{
    const struct { const char *name; const char *removed; const char *madeFolder; } cases[] = {
        {"small picture missing", "Images/01234.bmp", nullptr},
        {"large picture name taken", nullptr, "Images/11240.bmp"},
        {"catalogue unwritable", "InitList.ini", "InitList.ini"},
    };
    for (const auto &c : cases) {
        TestProgramFolder folder;
        ASSERT_TRUE(folder.writeTilePictures(1234)) << c.name;
        const QString program = folder.programFolder();
        Catalogue catalogue;
        catalogue.setLines(linesOf({"P01234=01004", "D01234=212302", "A056780=01234"}));
        ASSERT_TRUE(!c.removed || folder.remove(qs(c.removed))) << c.name;
        ASSERT_TRUE(!c.madeFolder || QDir(program).mkpath(qs(c.madeFolder))) << c.name;
        const QList<QByteArray> before = catalogue.lines();
        const QStringList pictures = QDir(program + qs("Images")).entryList(QDir::Files);
        TileFileLine line{3, qs("01234.bmp")};
        TileDefinition definition = readTileDefinition(catalogue, 1234);
        definition.number = qs("1240");

        EXPECT_THROW(applyTileDefinition(catalogue, program, line, definition), KestrixError) << c.name;

        EXPECT_EQ(catalogue.lines(), before) << c.name;
        EXPECT_EQ(line.fileName, qs("01234.bmp")) << c.name;
        EXPECT_EQ(QDir(program + qs("Images")).entryList(QDir::Files), pictures) << c.name;
    }
}

TEST(tilePictureNames, BoardPicturesOnlyInNameOrder)
{
    TestProgramFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QImage picture = TestProgramFolder::tilePicture(4, qRgb(1, 2, 3));
    for (const char *name : {"05000.bmp", "01234.bmp", "00000.bmp", "0abcd.bmp", "11234.bmp", "21234.bmp",
                             "012345.bmp", "0123.bmp", "01234.jpg", "x1234.bmp"})
        ASSERT_TRUE(folder.writePicture(qs("Images/") + qs(name), picture)) << name;
    EXPECT_EQ(tilePictureNames(folder.programFolder() + qs("Images")),
              (QStringList{qs("00000.bmp"), qs("01234.bmp"), qs("05000.bmp"), qs("0abcd.bmp")}));
}
