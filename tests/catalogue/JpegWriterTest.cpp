#include "catalogue/JpegWriter.h"

#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

using namespace kestrix;

namespace {

// Red, green and blue blocks over a soft gradient: swapped channels show in
// the blocks, a poor encoding in the gradient. The blocks' edges lie on the
// 16-pixel grid of the subsampled colour planes, which would otherwise smear
// them whatever the quality.
QImage testPicture()
{
    QImage image(96, 64, BitmapFormat);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 3, 128 + (x + y) / 2));
    const QRgb blocks[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int b = 0; b < 3; ++b)
        for (int y = 16; y < 48; ++y)
            for (int x = 32 * b; x < 32 * b + 32; ++x)
                image.setPixel(x, y, blocks[b]);
    return image;
}

struct Decoded
{
    QImage picture;
    bool progressive = true;
    std::vector<unsigned> luminance;
    std::vector<unsigned> chrominance;
};

Decoded decode(const QByteArray &jpeg)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jpeg.constData()), jpeg.size());
    jpeg_read_header(&info, TRUE);
    Decoded result;
    result.progressive = info.progressive_mode;
    for (int i = 0; i < DCTSIZE2; ++i) {
        result.luminance.push_back(info.quant_tbl_ptrs[0]->quantval[i]);
        result.chrominance.push_back(info.quant_tbl_ptrs[1]->quantval[i]);
    }
    info.out_color_space = JCS_RGB;
    // Plain replication of the subsampled colour planes: the smoothing
    // filter would blur the sharp block edges of the test picture.
    info.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&info);
    result.picture = QImage(int(info.output_width), int(info.output_height), BitmapFormat);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.picture.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

// The example tables of the JPEG standard (its annex K), row by row, scaled
// as quality 90 asks: to a fifth, rounded, at least 1.
std::vector<unsigned> qualityNinetyTable(int which)
{
    static const unsigned luminance[DCTSIZE2] = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
    };
    static const unsigned chrominance[DCTSIZE2] = {
        17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
        24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
        99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
        99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    };
    std::vector<unsigned> table;
    for (const unsigned base : which == 0 ? luminance : chrominance)
        table.push_back(std::max(1u, (base * 20 + 50) / 100));
    return table;
}

// The marker codes of the header segments, up to the start of the scan.
std::vector<uchar> headerMarkers(const QByteArray &jpeg)
{
    std::vector<uchar> markers;
    qsizetype at = 2; // after the start of image
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        markers.push_back(marker);
        if (marker == 0xDA)
            break;
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return markers;
}

double psnr(const QImage &a, const QImage &b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb r = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(r), qGreen(p) - qGreen(r), qBlue(p) - qBlue(r)})
                squares += double(d) * d;
        }
    const double mean = squares / (3.0 * a.width() * a.height());
    return 10.0 * std::log10(255.0 * 255.0 / mean);
}

void expectErrorNaming(const std::function<void()> &action, const QString &name)
{
    try {
        action();
        ADD_FAILURE() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(name)) << error.text().toStdString();
    }
}

} // namespace

TEST(convertToJpeg, DecodesCloseToTheBitmapWithColoursInPlace)
{
    const QImage original = testPicture();
    const Decoded decoded = decode(convertToJpeg(original));
    ASSERT_EQ(decoded.picture.size(), original.size());
    EXPECT_GT(psnr(original, decoded.picture), 30.0);

    const struct
    {
        QPoint at;
        QRgb colour;
    } blocks[] = {{{16, 32}, qRgb(255, 0, 0)}, {{48, 32}, qRgb(0, 255, 0)}, {{80, 32}, qRgb(0, 0, 255)}};
    for (const auto &block : blocks) {
        const QRgb seen = decoded.picture.pixel(block.at);
        EXPECT_NEAR(qRed(seen), qRed(block.colour), 12) << block.at.x();
        EXPECT_NEAR(qGreen(seen), qGreen(block.colour), 12) << block.at.x();
        EXPECT_NEAR(qBlue(seen), qBlue(block.colour), 12) << block.at.x();
    }
}

TEST(convertToJpeg, IsBaselineSequentialWithQualityNinetyTables)
{
    const QByteArray jpeg = convertToJpeg(testPicture());
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8")) << "no start of image";
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9")) << "no end of image";
    const std::vector<uchar> markers = headerMarkers(jpeg);
    const auto count = [&markers](uchar marker) { return std::count(markers.begin(), markers.end(), marker); };
    EXPECT_EQ(count(0xC0), 1) << "one baseline frame header";
    for (const uchar other : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA})
        EXPECT_EQ(count(other), 0) << "frame header " << std::hex << int(other);
    EXPECT_EQ(count(0xDA), 1) << "one scan";
    const Decoded decoded = decode(jpeg);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.luminance, qualityNinetyTable(0));
    EXPECT_EQ(decoded.chrominance, qualityNinetyTable(1));
}

TEST(convertToJpeg, OtherFormatsGiveTheSamePicture)
{
    const QImage picture = testPicture();
    EXPECT_EQ(convertToJpeg(picture.convertToFormat(QImage::Format_RGB32)), convertToJpeg(picture));
}

TEST(convertToJpeg, EncoderErrorsBecomeErrorsNotExits)
{
    EXPECT_THROW(convertToJpeg(QImage()), KestrixError);
    // Wider than the format allows.
    QImage tooWide(70000, 1, BitmapFormat);
    tooWide.fill(Qt::gray);
    EXPECT_THROW(convertToJpeg(tooWide), KestrixError);
}

TEST(saveJpeg, WritesTheEncodedBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("board (1).jpg"));
    saveJpeg(testPicture(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), convertToJpeg(testPicture()));
}

TEST(saveJpeg, FailureKeepsThePreviousFileAndNamesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kept.jpg"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous");
    }
    EXPECT_THROW(saveJpeg(QImage(), path), KestrixError);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous"));

    expectErrorNaming([&] { saveJpeg(testPicture(), dir.filePath(QStringLiteral("no/such/folder/x.jpg"))); },
                      QStringLiteral("x.jpg"));
}
