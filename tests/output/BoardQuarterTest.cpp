#include "output/BoardQuarter.h"
#include "output/BoardThumbnail.h"
#include "output/PlainPng.h"
#include "output/WholeBoardPicture.h"

#include "catalogue/Catalogue.h"
#include "catalogue/StepMarks.h"
#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"

#include "support/QtPrinters.h"
#include "support/TestProgramFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kestrix;

namespace {

TEST(BoardQuarterGeometry, LaysOutEachQuarter)
{
    struct Row
    {
        int quarter;
        QSize size;
        QRect square;
        QRect strip;
        QPoint firstCell;
        int firstBoardCell;
        int lastBoardCell;
    };
    const Row rows[] = {
        {1, {1725, 1575}, {0, 0, 1575, 1575}, {1575, 0, 150, 1575}, {50, 50}, 0, 65},
        {2, {1575, 1725}, {0, 0, 1575, 1575}, {0, 1575, 1575, 150}, {1, 50}, 6, 71},
        {3, {1725, 1575}, {150, 0, 1575, 1575}, {0, 0, 150, 1575}, {151, 1}, 78, 143},
        {4, {1575, 1725}, {0, 150, 1575, 1575}, {0, 0, 1575, 150}, {50, 151}, 72, 137},
    };
    for (const Row &row : rows) {
        const QuarterGeometry g = boardQuarterGeometry(row.quarter);
        SCOPED_TRACE(row.quarter);
        EXPECT_EQ(g.size, row.size);
        EXPECT_EQ(g.square, row.square);
        EXPECT_EQ(g.strip, row.strip);
        EXPECT_EQ(QRect(QPoint(0, 0), g.size), g.square.united(g.strip)) << "square and strip fill the picture";
        EXPECT_EQ(g.cellOrigin(0), row.firstCell);
        EXPECT_EQ(g.boardCell(0), row.firstBoardCell);
        EXPECT_EQ(g.boardCell(35), row.lastBoardCell);
        EXPECT_EQ(g.cellOrigin(35), row.firstCell + QPoint(5 * 254, 5 * 254));
        // The last field's picture stays inside the square.
        EXPECT_TRUE(g.square.contains(QRect(g.cellOrigin(35), QSize(253, 253))));
    }
    EXPECT_EQ(boardQuarterGeometry(1).cellOrigin(0), QPoint(50, 50));
    EXPECT_EQ(boardQuarterGeometry(3).cellOrigin(35), QPoint(1421, 1271));
    EXPECT_EQ(boardQuarterGeometry(2).cellOrigin(7), QPoint(1 + 254, 50 + 254));
    EXPECT_EQ(boardQuarterGeometry(2).boardCell(7), 19);
}

TEST(BoardQuarterGeometry, CoversEveryFieldOnce)
{
    std::array<int, CellCount> seen{};
    for (int quarter = 1; quarter <= 4; ++quarter) {
        for (int k = 0; k < QuarterCellCount; ++k)
            ++seen[size_t(boardQuarterGeometry(quarter).boardCell(k))];
    }
    for (int n = 0; n < CellCount; ++n)
        EXPECT_EQ(seen[size_t(n)], 1) << n;
}

TEST(quarterPictureFileName, TakesOffTheLastExtensionOnly)
{
    const struct
    {
        QString chosen;
        int quarter;
        QString expected;
    } rows[] = {
        {QStringLiteral("/boards/Platte.jpg"), 1, QStringLiteral("/boards/Platte (1).jpg")},
        {QStringLiteral("/boards/Platte"), 4, QStringLiteral("/boards/Platte (4).jpg")},
        {QStringLiteral("/boards/a.b.jpg"), 2, QStringLiteral("/boards/a.b (2).jpg")},
        {QStringLiteral("/my.boards/Platte"), 3, QStringLiteral("/my.boards/Platte (3).jpg")},
        {QStringLiteral("C:\\B\\Platte.JPG"), 1, QStringLiteral("C:\\B\\Platte (1).jpg")},
        {QStringLiteral("Platte.jpg"), 2, QStringLiteral("Platte (2).jpg")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(quarterPictureFileName(row.chosen, row.quarter), row.expected) << row.chosen.toStdString();
}

// Renders quarters of a board whose every field holds a tile of its own
// colour, from 16 x 16 large pictures.
class RenderQuarter : public ::testing::Test
{
protected:
    static constexpr int FirstTile = 3000;
    static constexpr int LargeSize = 16;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (int n = 0; n < CellCount; ++n) {
            cells[size_t(n)].tileId = FirstTile + n;
            ASSERT_TRUE(folder.writeTilePictures(FirstTile + n, colourOf(n)));
        }
    }

    // Never white or black, so fields stand out from the square and strip.
    static QRgb colourOf(int n) { return qRgb(20 + n, 200 - n, 60 + n % 12 * 10); }

    TestProgramFolder folder;
    QString programFolder = folder.programFolder();
    Catalogue catalogue;
    StepMarkTables stepMarks;
    BoardFields cells;

    BoardPictureSource source() const { return {cells, catalogue, stepMarks, programFolder}; }
};

TEST_F(RenderQuarter, DrawsEachFieldUnscaledAtItsPlace)
{
    cells[143].rotation = 2; // turned half: its black corner pixel moves to the bottom right
    for (int quarter = 1; quarter <= 4; ++quarter) {
        SCOPED_TRACE(quarter);
        const QImage image = renderBoardQuarter(source(), quarter);
        const QuarterGeometry g = boardQuarterGeometry(quarter);
        ASSERT_EQ(image.size(), g.size);
        EXPECT_EQ(image.format(), BitmapFormat);
        for (int k = 0; k < QuarterCellCount; ++k) {
            const int n = g.boardCell(k);
            const QPoint at = g.cellOrigin(k);
            ASSERT_EQ(image.pixel(at + QPoint(1, 1)), colourOf(n) | 0xFF000000) << k;
            EXPECT_EQ(image.pixel(at + QPoint(LargeSize - 2, LargeSize - 2)), colourOf(n) | 0xFF000000) << k;
            // Unscaled: the square shows right beside and below the picture.
            EXPECT_EQ(qGray(image.pixel(at + QPoint(LargeSize, 1))), 0) << k;
            EXPECT_EQ(qGray(image.pixel(at + QPoint(1, LargeSize))), 0) << k;
            const QPoint corner = n == 143 ? at + QPoint(LargeSize - 1, LargeSize - 1) : at;
            EXPECT_EQ(qGray(image.pixel(corner)), 0) << k;
        }
        // The frame before the first field is the square's.
        EXPECT_EQ(qGray(image.pixel(g.square.topLeft())), 0);
        EXPECT_EQ(qGray(image.pixel(g.cellOrigin(0) - QPoint(1, 1))), 0);
    }
}

// The strip is white inside a dashed black outline along the picture's
// edges; the square covers the outline where it lies over it.
TEST_F(RenderQuarter, LeavesTheStripWhiteInsideADashedOutline)
{
    for (int quarter = 1; quarter <= 4; ++quarter) {
        SCOPED_TRACE(quarter);
        const QImage image = renderBoardQuarter(source(), quarter);
        const QRect strip = boardQuarterGeometry(quarter).strip;
        const QRect inner = image.rect().adjusted(1, 1, -1, -1);
        int black = 0;
        int white = 0;
        for (int y = strip.top(); y <= strip.bottom(); ++y) {
            for (int x = strip.left(); x <= strip.right(); ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                if (inner.contains(x, y)) {
                    ASSERT_EQ(pixel, 0xFFFFFFu) << x << "," << y;
                } else {
                    ASSERT_TRUE(pixel == 0xFFFFFF || pixel == 0) << x << "," << y;
                    ++(pixel == 0 ? black : white);
                }
            }
        }
        // Three of the strip's edges are the picture's: dashes, not a line.
        EXPECT_GT(black, 3 * 150 / 2);
        EXPECT_GT(white, 3 * 150 / 8);
    }
}

TEST_F(RenderQuarter, DashesContinueAlongEveryEdge)
{
    const QImage image = renderBoardQuarter(source(), 1);
    const auto isBlack = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
    // Top, right and bottom edge of the strip each show dashes and gaps.
    const auto dashed = [&](auto pixelAt, int from, int to) {
        bool sawBlack = false;
        bool sawWhite = false;
        for (int i = from; i <= to; ++i)
            (pixelAt(i) ? sawBlack : sawWhite) = true;
        return sawBlack && sawWhite;
    };
    EXPECT_TRUE(dashed([&](int x) { return isBlack(x, 0); }, 1575, 1724));
    EXPECT_TRUE(dashed([&](int y) { return isBlack(1724, y); }, 0, 1574));
    EXPECT_TRUE(dashed([&](int x) { return isBlack(x, 1574); }, 1575, 1724));
}

TEST_F(RenderQuarter, FailsOnAMissingPicture)
{
    ASSERT_TRUE(folder.remove(QStringLiteral("Images/13078.bmp"))); // field 78, quarter 3
    EXPECT_NO_THROW(renderBoardQuarter(source(), 1));
    EXPECT_THROW(renderBoardQuarter(source(), 3), KestrixError);
}

TEST_F(RenderQuarter, LetsALargerPictureOverlapItsNeighbours)
{
    QImage large(300, 300, QImage::Format_RGB888);
    large.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(folder.writePicture(QStringLiteral("Images/13005.bmp"), large)); // field 5, quarter 1
    const QImage image = renderBoardQuarter(source(), 1);
    // Field 5 is the quarter's last in its row: it reaches into the strip.
    const QPoint at = boardQuarterGeometry(1).cellOrigin(5);
    EXPECT_EQ(image.pixel(at + QPoint(299, 299)) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(image.pixel(at + QPoint(254 + 1, 1)) & 0xFFFFFF, 0x0A141Eu);
}

// The whole board in one picture holds every field as its quarter holds it,
// placed so that quarter 1 and the picture agree pixel for pixel on the top
// left up to where field 6's column begins.
TEST_F(RenderQuarter, WholeBoardPlacesEveryFieldAsItsQuarterDoes)
{
    cells[143].rotation = 2;
    cells[6].rotation = 1;
    const QImage whole = renderWholeBoard(source());
    ASSERT_EQ(whole.size(), QSize(3148, 3148));
    EXPECT_EQ(whole.format(), BitmapFormat);
    const QImage first = renderBoardQuarter(source(), 1);
    const int shared = 50 + QuarterSide * QuarterCellPitch;
    EXPECT_EQ(whole.copy(0, 0, shared, shared), first.copy(0, 0, shared, shared));
    for (int quarter = 1; quarter <= 4; ++quarter) {
        const QImage image = quarter == 1 ? first : renderBoardQuarter(source(), quarter);
        const QuarterGeometry g = boardQuarterGeometry(quarter);
        for (int k = 0; k < QuarterCellCount; ++k) {
            const int n = g.boardCell(k);
            ASSERT_EQ(whole.copy(QRect(wholeBoardCellOrigin(n), QSize(LargeSize + 1, LargeSize + 1))),
                      image.copy(QRect(g.cellOrigin(k), QSize(LargeSize + 1, LargeSize + 1))))
                << "field " << n;
        }
    }
    EXPECT_EQ(wholeBoardCellOrigin(143), QPoint(50 + 11 * 254, 50 + 11 * 254));
    // Nothing but the fields on a black square.
    EXPECT_EQ(whole.pixel(3147, 3147) & 0xFFFFFF, 0u);
    EXPECT_EQ(whole.pixel(3147, 0) & 0xFFFFFF, 0u);
}

TEST_F(RenderQuarter, WholeBoardScalesSmoothlyToWholePixels)
{
    const QImage whole = renderWholeBoard(source());
    EXPECT_EQ(scaledWholeBoard(whole, 100), whole);
    EXPECT_EQ(scaledWholeBoard(whole, 50).size(), QSize(1574, 1574));
    const QImage tenth = scaledWholeBoard(whole, 10);
    EXPECT_EQ(tenth.size(), QSize(315, 315));
    // Smooth: a field's 16 pixels blend with the black around them.
    const QRgb blended = tenth.pixel(wholeBoardCellOrigin(0) / 10 + QPoint(1, 1));
    EXPECT_GT(qGray(blended), 0);
    EXPECT_LT(qGray(blended), qGray(colourOf(0)));
    const QByteArray png = encodePng(tenth, QStringLiteral("t.png"));
    EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(BitmapFormat), tenth);
}

// A small preview reads the board pictures while every one of them can be
// read and is 57 pixels square, else the large ones.
TEST_F(RenderQuarter, SmallPreviewReadsTheBoardPicturesWhileAllServe)
{
    constexpr int Side = 709;
    const QRgb boardColour = qRgb(250, 10, 10);
    const auto boardPicture = [](int n) {
        return QStringLiteral("Images/%1.bmp").arg(FirstTile + n, 5, 10, QLatin1Char('0'));
    };
    // The preview pixel holding the full-size pixel (8, 8) of field 77 lies
    // inside both of its pictures, clear of their black corner.
    const QPoint inField = wholeBoardCellOrigin(77) + QPoint(8, 8);
    const QPoint at(inField.x() * Side / WholeBoardSize, inField.y() * Side / WholeBoardSize);
    const struct {
        const char *change;
        int side; // of field 5's board picture, 0: removed
        QRgb shown;
    } cases[] = {
        {"all serve", 57, boardColour},
        {"one of another size", 56, colourOf(77)},
        {"one missing", 0, colourOf(77)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        for (int n = 0; n < CellCount; ++n)
            ASSERT_TRUE(folder.writePicture(boardPicture(n), TestProgramFolder::tilePicture(57, boardColour)));
        if (c.side > 0)
            ASSERT_TRUE(folder.writePicture(boardPicture(5), TestProgramFolder::tilePicture(c.side, boardColour)));
        else
            ASSERT_TRUE(QFile::remove(programFolder + boardPicture(5)));
        EXPECT_EQ(renderBoardThumbnail(source(), Side).pixel(at), c.shown | 0xFF000000);
    }
}

// Qt's reader gives back every pixel: a single one, rows of odd length, and
// rows filling several stored blocks.
TEST(PlainPng, QtReadsBackEveryPixel)
{
    std::mt19937 random(7);
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(255, 1), QSize(256, 256), QSize(1024, 97)}) {
        QImage picture(size, BitmapFormat);
        for (int y = 0; y < size.height(); ++y)
            std::generate_n(picture.scanLine(y), size.width() * 3, [&random] { return uchar(random()); });
        EXPECT_EQ(QImage::fromData(encodePlainPng(picture), "PNG").convertToFormat(BitmapFormat), picture)
            << size.width() << " x " << size.height();
    }
}

TEST_F(RenderQuarter, WholeBoardFailsOnAMissingPicture)
{
    ASSERT_TRUE(folder.remove(QStringLiteral("Images/13143.bmp")));
    EXPECT_THROW(renderWholeBoard(source()), KestrixError);
}

} // namespace
