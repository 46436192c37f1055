#include "catalogue/CellPicture.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ImageTransforms.h"
#include "catalogue/StepMarks.h"
#include "util/KestrixError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/ImageCompare.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kestrix;

namespace {

constexpr int TileId = 1234;
const QRgb TileColour = qRgb(100, 100, 100);
const QRgb MarkColour = qRgb(0, 0, 160);

// The digit of step n: a block in the glyph's top right corner.
QRgb stepColour(int step)
{
    return qRgb(step * 40, 200, 0);
}

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, BitmapFormat);
    image.fill(colour);
    return image;
}

struct Place
{
    int step;
    int x;
    int y;
};

class CellPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(m_folder).mkpath(QStringLiteral("Images")));
        // Background 7: 40 x 30 in MarkColour; glyphs of set 7: white with
        // the step's block at the top right.
        write(QStringLiteral("BG007.bmp"), solid(40, 30, MarkColour));
        for (int step = 1; step <= 5; ++step) {
            QImage glyph = solid(40, 30, qRgb(255, 255, 255));
            for (int y = 0; y < 10; ++y)
                for (int x = 30; x < 40; ++x)
                    glyph.setPixel(x, y, stepColour(step));
            write(QStringLiteral("Font007%1.bmp").arg(step), glyph);
        }
        setTile(solid(253, 253, TileColour));
    }

    void write(const QString &name, const QImage &image)
    {
        ASSERT_TRUE(image.save(m_folder + QStringLiteral("Images/") + name, "BMP"));
    }

    // The tile's picture of the given offset (10000 the large one, 0 the
    // board one); the other picture has the inverted colours, so a picture
    // read under the wrong number shows.
    void setTile(const QImage &picture, int offset = 10000)
    {
        QImage other = picture;
        other.invertPixels();
        write(QStringLiteral("%1.bmp").arg(TileId + offset, 5, 10, QLatin1Char('0')), picture);
        write(QStringLiteral("%1.bmp").arg(TileId + 10000 - offset, 5, 10, QLatin1Char('0')), other);
        m_tile = picture;
    }

    void setStepEntry(bool byCount)
    {
        const QByteArray flag = byCount ? "1" : "0";
        m_catalogue.setLines({"P01234=05000", "S01234=" + flag + "Font:007*BG:007*Array:*"});
    }

    void addPerStep(int font, int background, const std::vector<Place> &places)
    {
        PerStepRecord record{};
        record[0] = TileId;
        record[1] = font;
        record[2] = background;
        for (const Place &p : places) {
            record[size_t(3 + (p.step - 1) * 2)] = p.x;
            record[size_t(4 + (p.step - 1) * 2)] = p.y;
        }
        m_stepMarks.perStep.push_back(record);
    }

    // Row c, pair j at x = 10 + 50 (j - 1), y = 10 + 45 (c - 1).
    static Place byCountPlace(int row, int pair, int step)
    {
        return {step, 10 + 50 * (pair - 1), 10 + 45 * (row - 1)};
    }

    void addByCount()
    {
        ByCountRecord record{};
        record[0] = TileId;
        record[1] = 7;
        record[2] = 7;
        for (int row = 1; row <= 5; ++row)
            for (int pair = 1; pair <= row; ++pair) {
                const Place p = byCountPlace(row, pair, 0);
                record[size_t(3 + (row - 1) * 10 + (pair - 1) * 2)] = p.x;
                record[size_t(4 + (row - 1) * 10 + (pair - 1) * 2)] = p.y;
            }
        m_stepMarks.byCount.push_back(record);
    }

    int compose(QImage &cell, const QString &flags, int rotation = 0, int offset = 10000)
    {
        return m_cells.composeCellPicture(TileId, offset, cell, flags, rotation);
    }

    QTemporaryDir m_dir;
    QString m_folder;
    Catalogue m_catalogue;
    StepMarkTables m_stepMarks;
    CellPicture m_cells{m_catalogue, m_stepMarks, m_folder};
    QImage m_tile;
};

} // namespace

TEST_F(CellPictureTest, FileNamesAndStepCounts)
{
    EXPECT_EQ(m_cells.tilePictureFileName(1234), m_folder + QStringLiteral("Images/01234.bmp"));
    EXPECT_EQ(m_cells.tilePictureFileName(11234), m_folder + QStringLiteral("Images/11234.bmp"));
    EXPECT_EQ(m_cells.tilePictureFileName(12), m_folder + QStringLiteral("Images/00012.bmp"));

    const struct
    {
        const char *flags;
        int count;
    } cases[] = {{"00000", 0}, {"01010", 2}, {"11111", 5}, {"", 0}, {"1", 1},
                 {"011", 2},   {"000001", 0}, {"111111111", 5}, {"1x1y1", 3}};
    for (const auto &c : cases)
        EXPECT_EQ(CellPicture::countActiveSteps(QString::fromLatin1(c.flags)), c.count) << c.flags;
}

TEST_F(CellPictureTest, MarkRectangleIsScaledAndTruncated)
{
    // Without a glyph the mark is the plain background.
    for (int step = 1; step <= 5; ++step)
        write(QStringLiteral("Font007%1.bmp").arg(step), solid(40, 30, qRgb(255, 255, 255)));
    setStepEntry(false);
    const struct
    {
        int tileSize;
        int x, y;
        int left, top, right, bottom;
    } cases[] = {
        {253, 100, 200, 100, 200, 140, 230},
        {57, 100, 200, 22, 45, 31, 51},
        // q is held as a 32-bit float, a hair below 57/253: the edge at
        // the reference width ends one column short of the picture's.
        {57, 213, 0, 47, 0, 56, 6},
        {253, 230, 240, 230, 240, 253, 253}, // clipped at the far edges
        {253, -20, 0, 0, 0, 20, 30},         // and at the near ones
    };
    for (const auto &c : cases) {
        setTile(solid(c.tileSize, c.tileSize, TileColour), 0);
        m_stepMarks.perStep.clear();
        addPerStep(7, 7, {{1, c.x, c.y}});
        QImage cell;
        EXPECT_EQ(compose(cell, QStringLiteral("10000"), 0, 0), 1);
        ASSERT_EQ(cell.size(), QSize(c.tileSize, c.tileSize));
        int wrong = 0;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                wrong += cell.pixel(x, y) != (inside ? MarkColour : TileColour);
            }
        EXPECT_EQ(wrong, 0) << "tile " << c.tileSize << " mark at " << c.x << "," << c.y;
    }
}

TEST_F(CellPictureTest, MarksAreStretchedNearestNeighbour)
{
    // Four stripes, 10 columns each; on the board picture the mark is 9
    // columns wide and each column takes the stripe under its centre.
    const QRgb stripes[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0)};
    QImage background(40, 30, BitmapFormat);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 30; ++y)
            background.setPixel(x, y, stripes[x / 10]);
    write(QStringLiteral("BG008.bmp"), background);
    write(QStringLiteral("Font0081.bmp"), solid(40, 30, qRgb(255, 255, 255)));
    setTile(solid(57, 57, TileColour), 0);
    setStepEntry(false);
    addPerStep(8, 8, {{1, 0, 0}});
    QImage cell;
    compose(cell, QStringLiteral("1"), 0, 0);
    const int expected[] = {0, 0, 1, 1, 2, 2, 2, 3, 3};
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(cell.pixel(x, y), stripes[expected[x]]) << x << "," << y;
    EXPECT_EQ(cell.pixel(9, 0), TileColour);
    EXPECT_EQ(cell.pixel(0, 6), TileColour);
}

TEST_F(CellPictureTest, LayoutChoosesThePositions)
{
    const std::vector<Place> perStepPlaces = {
        {1, 10, 200}, {2, 60, 200}, {3, 110, 200}, {4, 160, 200}, {5, 210, 200}};
    const struct
    {
        bool byCount;
        const char *flags;
        std::vector<Place> expected;
    } cases[] = {
        {true, "01010", {byCountPlace(2, 1, 2), byCountPlace(2, 2, 4)}},
        {true, "00100", {byCountPlace(1, 1, 3)}},
        {true, "11111",
         {byCountPlace(5, 1, 1), byCountPlace(5, 2, 2), byCountPlace(5, 3, 3), byCountPlace(5, 4, 4),
          byCountPlace(5, 5, 5)}},
        {true, "1101", {byCountPlace(3, 1, 1), byCountPlace(3, 2, 2), byCountPlace(3, 3, 4)}},
        {false, "01010", {perStepPlaces[1], perStepPlaces[3]}},
        {false, "1000011", {perStepPlaces[0]}},
    };
    for (const auto &c : cases) {
        m_stepMarks = {};
        setStepEntry(c.byCount);
        if (c.byCount)
            addByCount();
        else
            addPerStep(7, 7, perStepPlaces);
        QImage cell;
        EXPECT_EQ(compose(cell, QString::fromLatin1(c.flags)), int(c.expected.size())) << c.flags;
        int marked = 0;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                marked += cell.pixel(x, y) != TileColour;
        EXPECT_EQ(marked, 40 * 30 * int(c.expected.size())) << c.flags;
        for (const Place &p : c.expected) {
            EXPECT_EQ(cell.pixel(p.x + 35, p.y + 5), stepColour(p.step)) << c.flags << " step " << p.step;
            EXPECT_EQ(cell.pixel(p.x + 5, p.y + 25), MarkColour) << c.flags << " step " << p.step;
        }
    }
}

TEST_F(CellPictureTest, LaterStepCoversEarlierOne)
{
    setStepEntry(false);
    addPerStep(7, 7, {{1, 100, 100}, {2, 110, 100}});
    QImage cell;
    compose(cell, QStringLiteral("11000"));
    EXPECT_EQ(cell.pixel(135, 105), MarkColour); // step 1's digit, under step 2's mark
    EXPECT_EQ(cell.pixel(145, 105), stepColour(2));
}

TEST_F(CellPictureTest, OnlyPureWhiteIsTransparentInBothLayers)
{
    QImage background = solid(40, 30, MarkColour);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            background.setPixel(x, y, qRgb(255, 255, 255));
    QImage glyph = solid(40, 30, qRgb(255, 255, 255));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            glyph.setPixel(x, y, qRgb(255, 255, 254));
    write(QStringLiteral("BG009.bmp"), background);
    write(QStringLiteral("Font0091.bmp"), glyph);
    setStepEntry(false);
    addPerStep(9, 9, {{1, 100, 100}});
    QImage cell;
    compose(cell, QStringLiteral("10000"));
    EXPECT_EQ(cell.pixel(105, 105), qRgb(255, 255, 254)); // glyph over white background
    EXPECT_EQ(cell.pixel(110, 120), TileColour);           // both white
    EXPECT_EQ(cell.pixel(130, 120), MarkColour);           // white glyph, background shows
}

TEST_F(CellPictureTest, OverlayTurnsWithTheTile)
{
    // A tile that looks different in every direction.
    QImage tile(253, 253, BitmapFormat);
    for (int y = 0; y < 253; ++y)
        for (int x = 0; x < 253; ++x)
            tile.setPixel(x, y, qRgb(x / 2, y / 2, 60));
    setTile(tile);
    setStepEntry(false);
    addPerStep(7, 7, {{1, 0, 0}, {3, 150, 60}});

    QImage unturned;
    compose(unturned, QStringLiteral("10100"));
    // Codes outside 0..3 come from board files; they turn modulo 4.
    for (int rotation : {0, 1, 2, 3, 4, 5, 7, -1, -2, -3, -5}) {
        QImage cell;
        EXPECT_EQ(compose(cell, QStringLiteral("10100"), rotation), 2) << rotation;
        EXPECT_TRUE(samePixels(cell, turnBitmap(((rotation % 4) + 4) % 4, unturned))) << rotation;
    }

    // A quarter turn counter-clockwise takes the top-left mark to the
    // bottom left: 30 wide, 40 high, its digit now at the mark's top left.
    QImage cell;
    compose(cell, QStringLiteral("10000"), 1);
    EXPECT_EQ(cell.pixel(5, 218), stepColour(1));
    EXPECT_EQ(cell.pixel(25, 250), MarkColour);
    EXPECT_EQ(cell.pixel(5, 250), MarkColour);
    EXPECT_EQ(cell.pixel(29, 213), MarkColour);
    EXPECT_NE(cell.pixel(30, 240), MarkColour);
    EXPECT_NE(cell.pixel(5, 212), MarkColour);
    EXPECT_NE(cell.pixel(5, 5), MarkColour);
}

TEST_F(CellPictureTest, PlainTileWhenThereIsNothingToMark)
{
    const struct
    {
        const char *name;
        QList<QByteArray> lines;
        bool record;
        const char *flags;
    } cases[] = {
        {"no S entry", {"P01234=05000"}, true, "11111"},
        {"no active step", {"S01234=1Font:007*BG:007*Array:*"}, true, "00000"},
        {"no record", {"S01234=1Font:007*BG:007*Array:*"}, false, "11111"},
        {"lower-case line, no record", {"s01234=0Font:007*BG:007*Array:*"}, false, "11111"},
        {"record of the other layout", {"S01234=0Font:007*BG:007*Array:*"}, true, "11111"},
    };
    for (const auto &c : cases) {
        m_catalogue.setLines(c.lines);
        m_stepMarks = {};
        if (c.record)
            addByCount();
        for (int rotation = 0; rotation < 4; ++rotation) {
            QImage cell;
            EXPECT_EQ(compose(cell, QString::fromLatin1(c.flags), rotation), 0) << c.name;
            EXPECT_TRUE(samePixels(cell, turnBitmap(rotation, m_tile))) << c.name;
        }
    }
}

TEST_F(CellPictureTest, UnreadableTilePictureLeavesTheCellAlone)
{
    ASSERT_TRUE(QFile::remove(m_folder + QStringLiteral("Images/11234.bmp")));
    QImage cell = solid(5, 5, qRgb(1, 2, 3));
    try {
        compose(cell, QStringLiteral("00000"));
        ADD_FAILURE() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("11234.bmp"))) << error.text().toStdString();
    }
    EXPECT_TRUE(samePixels(cell, solid(5, 5, qRgb(1, 2, 3))));
}

TEST_F(CellPictureTest, UnreadableMarkPictureLeavesThePlainTurnedTile)
{
    ASSERT_TRUE(QFile::remove(m_folder + QStringLiteral("Images/Font0072.bmp")));
    setStepEntry(false);
    addPerStep(7, 7, {{1, 0, 0}, {2, 100, 100}});
    QImage cell;
    try {
        compose(cell, QStringLiteral("11000"), 2);
        ADD_FAILURE() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("Font0072.bmp"))) << error.text().toStdString();
    }
    EXPECT_TRUE(samePixels(cell, turnBitmap(2, m_tile)));
}

TEST(paintCursor, FillsTenByTenInTheColour)
{
    for (const QColor &colour : {QColor(0, 0, 0), QColor(255, 0, 0), QColor(0x56, 0x34, 0x12)}) {
        const QImage cursor = CellPicture::paintCursor(colour);
        ASSERT_EQ(cursor.size(), QSize(10, 10));
        EXPECT_EQ(cursor.pixelColor(0, 0), colour) << colour.name().toStdString();
        EXPECT_EQ(cursor.pixelColor(9, 9), colour) << colour.name().toStdString();
    }
}
