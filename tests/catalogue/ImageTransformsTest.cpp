#include "catalogue/ImageTransforms.h"

#include "util/KestrixError.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QStringList>
#include <QTemporaryDir>

#include "support/ImageCompare.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// Pictures written as rows of letters, one distinct colour per letter, so a
// failing turn shows which pixel went where.
QRgb letterColour(QChar letter)
{
    const int n = letter.unicode() - 'A';
    return qRgb(n * 9, 255 - n * 7, (n * 53) % 256);
}

QImage fromRows(const QStringList &rows)
{
    QImage image(int(rows.first().size()), int(rows.size()), BitmapFormat);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, letterColour(rows[y][x]));
    return image;
}

QStringList toRows(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            QChar found = QLatin1Char('?');
            for (char c = 'A'; c <= 'Z'; ++c) {
                if (image.pixel(x, y) == letterColour(QLatin1Char(c)))
                    found = QLatin1Char(c);
            }
            row += found;
        }
        rows << row;
    }
    return rows;
}

QStringList rows(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromLatin1(text);
    return result;
}

// An asymmetric picture whose rows are not a multiple of four bytes long, so
// a transform that ignores the row padding shows.
QImage asymmetricSquare()
{
    return fromRows(rows({"ABCDE", "FGHIJ", "KLMNO", "PQRST", "UVWXY"}));
}

} // namespace

TEST(turnBitmap, TurnTableOnThreeByTwo)
{
    const QImage source = fromRows(rows({"ABC", "DEF"}));
    const struct
    {
        int code;
        QStringList expected;
    } cases[] = {
        {0, rows({"ABC", "DEF"})},
        {1, rows({"CF", "BE", "AD"})},
        {2, rows({"FED", "CBA"})},
        {3, rows({"DA", "EB", "FC"})},
    };
    for (const auto &c : cases) {
        const QImage turned = turnBitmap(c.code, source);
        EXPECT_EQ(turned.format(), BitmapFormat) << "code " << c.code;
        EXPECT_EQ(toRows(turned), c.expected) << "code " << c.code;
    }
}

TEST(turnBitmap, TurnsComposeModuloFour)
{
    const QImage source = asymmetricSquare();
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            EXPECT_TRUE(samePixels(turnBitmap(b, turnBitmap(a, source)), turnBitmap((a + b) % 4, source)))
                << a << " then " << b;

    QImage turned = source;
    for (int i = 0; i < 4; ++i)
        turned = turnBitmap(1, turned);
    EXPECT_TRUE(samePixels(turned, source));
    EXPECT_FALSE(samePixels(turnBitmap(1, source), source));
}

TEST(turnBitmap, CopyIsIndependentOfSource)
{
    QImage source = asymmetricSquare();
    const QImage copy = turnBitmap(0, source);
    source.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(toRows(copy).first(), QStringLiteral("ABCDE"));
}

TEST(turnBitmap, OtherCodesAndNullSourceGiveNoPicture)
{
    const QImage source = asymmetricSquare();
    for (int code : {4, -1, 5, 100})
        EXPECT_TRUE(turnBitmap(code, source).isNull()) << code;
    EXPECT_TRUE(turnBitmap(1, QImage()).isNull());
}

TEST(turnBitmap, OtherFormatsAreConvertedFirst)
{
    const QImage source = fromRows(rows({"ABC", "DEF"}));
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB16}) {
        const QImage turned = turnBitmap(1, source.convertToFormat(format));
        EXPECT_EQ(turned.format(), BitmapFormat);
        if (format != QImage::Format_RGB16) // 16 bits lose the low colour bits
            EXPECT_EQ(toRows(turned), rows({"CF", "BE", "AD"})) << format;
        else
            EXPECT_EQ(turned.size(), QSize(2, 3));
    }
}

TEST(overlayNonWhite, OnlyPureWhiteIsTransparent)
{
    const struct
    {
        QRgb source;
        bool copied;
    } cases[] = {
        {qRgb(255, 255, 255), false},
        {qRgb(255, 255, 254), true},
        {qRgb(254, 255, 255), true},
        {qRgb(0, 0, 0), true},
        {qRgb(12, 200, 99), true},
    };
    const QRgb underneath = qRgb(40, 50, 60);
    for (const auto &c : cases) {
        QImage destination(2, 2, BitmapFormat);
        destination.fill(underneath);
        QImage source(2, 2, BitmapFormat);
        source.fill(c.source);
        overlayNonWhite(destination, source);
        for (const QPoint p : {QPoint(0, 0), QPoint(1, 1)})
            EXPECT_EQ(destination.pixel(p), c.copied ? c.source : underneath) << qRed(c.source) << ","
                                                                             << qGreen(c.source) << ","
                                                                             << qBlue(c.source);
    }
}

TEST(overlayNonWhite, SmallerSourceChangesOnlyTopLeftBlock)
{
    QImage destination(5, 4, BitmapFormat);
    destination.fill(qRgb(255, 255, 255));
    QImage source(3, 2, BitmapFormat);
    source.fill(qRgb(0, 0, 0));
    overlayNonWhite(destination, source);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(destination.pixel(x, y), x < 3 && y < 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << x << "," << y;
}

TEST(overlayNonWhite, LargerSourceLaysOverOnlyTheCommonPart)
{
    QImage destination(3, 3, BitmapFormat);
    destination.fill(qRgb(255, 255, 255));
    const QImage source = fromRows(rows({"ABCDE", "FGHIJ", "KLMNO", "PQRST", "UVWXY"}));
    overlayNonWhite(destination, source);
    EXPECT_EQ(destination.size(), QSize(3, 3));
    EXPECT_EQ(toRows(destination), rows({"ABC", "FGH", "KLM"}));
}

TEST(overlayNonWhite, DestinationOfAnotherFormatIsConverted)
{
    QImage destination(2, 1, QImage::Format_RGB32);
    destination.fill(qRgb(9, 9, 9));
    QImage source(1, 1, BitmapFormat);
    source.fill(qRgb(1, 2, 3));
    overlayNonWhite(destination, source);
    EXPECT_EQ(destination.format(), BitmapFormat);
    EXPECT_EQ(destination.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(destination.pixel(1, 0), qRgb(9, 9, 9));
}

TEST(loadBitmap, ReadsEveryDepthIntoOneFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage original = fromRows(rows({"ABC", "DEF"}));
    for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_RGB32, QImage::Format_ARGB32,
                                  QImage::Format_Indexed8}) {
        const QString path = dir.filePath(QStringLiteral("picture%1.bmp").arg(int(format)));
        ASSERT_TRUE(original.convertToFormat(format).save(path, "BMP"));
        const QImage loaded = loadBitmap(path);
        EXPECT_EQ(loaded.format(), BitmapFormat) << format;
        EXPECT_EQ(toRows(loaded), rows({"ABC", "DEF"})) << format;
    }
}

namespace {

// A 24-bit bitmap file written byte by byte, to cover the layouts another
// program may write: rows from the bottom or the top, larger info headers.
QByteArray plainBitmap(const QImage &picture, bool topDown, int headerSize)
{
    const auto u16 = [](QByteArray &out, quint32 v) { out += char(v & 0xFF); out += char((v >> 8) & 0xFF); };
    const auto u32 = [u16](QByteArray &out, quint32 v) { u16(out, v & 0xFFFF); u16(out, v >> 16); };
    const int stride = (picture.width() * 3 + 3) / 4 * 4;
    QByteArray bytes("BM");
    u32(bytes, quint32(14 + headerSize + stride * picture.height()));
    u32(bytes, 0);
    u32(bytes, quint32(14 + headerSize));
    u32(bytes, quint32(headerSize));
    u32(bytes, quint32(picture.width()));
    u32(bytes, quint32(topDown ? -picture.height() : picture.height()));
    u16(bytes, 1);
    u16(bytes, 24);
    bytes += QByteArray(headerSize - 16, '\0');
    for (int row = 0; row < picture.height(); ++row) {
        const int y = topDown ? row : picture.height() - 1 - row;
        QByteArray line;
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            line += char(qBlue(p));
            line += char(qGreen(p));
            line += char(qRed(p));
        }
        bytes += line.leftJustified(stride, '\0');
    }
    return bytes;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(loadBitmap, ReadsTwentyFourBitLayouts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage original = fromRows(rows({"ABCDE", "FGHIJ", "KLMNO"}));
    const struct
    {
        bool topDown;
        int headerSize;
    } cases[] = {{false, 40}, {true, 40}, {false, 124}, {true, 108}};
    for (const auto &c : cases) {
        const QString path = dir.filePath(QStringLiteral("layout.bmp"));
        writeBytes(path, plainBitmap(original, c.topDown, c.headerSize));
        const QImage loaded = loadBitmap(path);
        EXPECT_EQ(loaded.format(), BitmapFormat);
        EXPECT_EQ(toRows(loaded), rows({"ABCDE", "FGHIJ", "KLMNO"})) << c.topDown << " " << c.headerSize;
    }
}

TEST(loadBitmap, UnreadableFilesThrowNamingTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("empty.bmp"));
    const QString garbage = dir.filePath(QStringLiteral("garbage.bmp"));
    const QString truncated = dir.filePath(QStringLiteral("truncated.bmp"));
    QFile emptyFile(empty);
    ASSERT_TRUE(emptyFile.open(QIODevice::WriteOnly));
    emptyFile.close();
    QFile garbageFile(garbage);
    ASSERT_TRUE(garbageFile.open(QIODevice::WriteOnly));
    garbageFile.write("this is no picture at all");
    garbageFile.close();
    const QString whole = dir.filePath(QStringLiteral("whole.bmp"));
    ASSERT_TRUE(asymmetricSquare().save(whole, "BMP"));
    QFile wholeFile(whole);
    ASSERT_TRUE(wholeFile.open(QIODevice::ReadOnly));
    QFile truncatedFile(truncated);
    ASSERT_TRUE(truncatedFile.open(QIODevice::WriteOnly));
    truncatedFile.write(wholeFile.read(30));
    truncatedFile.close();

    const QString shortRows = dir.filePath(QStringLiteral("short.bmp"));
    writeBytes(shortRows, plainBitmap(asymmetricSquare(), false, 40).chopped(20));

    // A header claiming 3 x 8388609 pixels for the three it holds; its pixel
    // offset, one byte early, leaves it to the general reader, which would
    // build a picture of 100 MB from it.
    const QString lying = dir.filePath(QStringLiteral("lying.bmp"));
    QByteArray lyingBytes = plainBitmap(fromRows(rows({"ABC"})), true, 40);
    qToLittleEndian<quint32>(53, lyingBytes.data() + 10);
    qToLittleEndian<qint32>(-8388609, lyingBytes.data() + 22);
    writeBytes(lying, lyingBytes);
    // One row far wider than any picture the program draws, all its bytes there.
    const QString wide = dir.filePath(QStringLiteral("wide.bmp"));
    QImage wideRow(16385, 1, BitmapFormat);
    wideRow.fill(Qt::red);
    writeBytes(wide, plainBitmap(wideRow, false, 40));

    for (const QString &path :
         {dir.filePath(QStringLiteral("missing.bmp")), empty, garbage, truncated, shortRows, lying, wide}) {
        try {
            loadBitmap(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const KestrixError &error) {
            EXPECT_TRUE(error.text().contains(QFileInfo(path).fileName())) << error.text().toStdString();
            EXPECT_TRUE(error.text().contains(QLatin1Char('('))) << "no reason in " << error.text().toStdString();
        }
    }
}

// A header may claim any size: it is refused by its sides before any
// arithmetic on them.
TEST(loadBitmap, AbsurdSidesAreRefusedByName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct { const char *name; QByteArray bytes; quint32 width; quint32 height; } cases[] = {
        {"largest", plainBitmap(asymmetricSquare(), false, 40), 0x7FFFFFFF, 0x7FFFFFFF},
        {"top-down", plainBitmap(asymmetricSquare(), true, 40), 0x55555556, 0x80000000},
        {"wide", plainBitmap(asymmetricSquare(), false, 40), 20000, 1},
    };
    for (const auto &c : cases) {
        QByteArray bytes = c.bytes;
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = char((c.width >> (8 * i)) & 0xFF);
            bytes[22 + i] = char((c.height >> (8 * i)) & 0xFF);
        }
        const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".bmp"));
        writeBytes(path, bytes);
        try {
            loadBitmap(path);
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const KestrixError &error) {
            EXPECT_TRUE(error.text().contains(QString::number(qint32(c.width)))) << error.text().toStdString();
        }
    }
}
