#include "catalogue/JpegWriter.h"

#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// The tables libjpeg itself builds for quality 90 with baseline limits.
std::vector<unsigned> qualityNinetyTable(int which)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    info.input_components = 3;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    std::vector<unsigned> table;
    for (int i = 0; i < DCTSIZE2; ++i)
        table.push_back(info.quant_tbl_ptrs[which]->quantval[i]);
    jpeg_destroy_compress(&info);
    return table;
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

bool hasMarker(const QByteArray &jpeg, uchar second)
{
    return jpeg.contains(QByteArray("\xFF") + char(second));
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

TEST(ConvertToJpeg, DecodesCloseToTheBitmapWithColoursInPlace)
{
    const QImage original = testPicture();
    const Decoded decoded = decode(ConvertToJpeg(original));
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

TEST(ConvertToJpeg, IsBaselineSequentialWithQualityNinetyTables)
{
    const QByteArray jpeg = ConvertToJpeg(testPicture());
    EXPECT_TRUE(hasMarker(jpeg, 0xC0)) << "no baseline frame header";
    EXPECT_FALSE(hasMarker(jpeg, 0xC2)) << "progressive frame header";
    const Decoded decoded = decode(jpeg);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.luminance, qualityNinetyTable(0));
    EXPECT_EQ(decoded.chrominance, qualityNinetyTable(1));
    EXPECT_EQ(decoded.luminance.front(), 3u);
}

TEST(ConvertToJpeg, UsesTheFloatingPointTransform)
{
    const QImage picture = testPicture();
    const auto encodeWith = [&picture](J_DCT_METHOD method) {
        jpeg_compress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char *buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = JDIMENSION(picture.width());
        info.image_height = JDIMENSION(picture.height());
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 90, TRUE);
        info.dct_method = method;
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(picture.constScanLine(int(info.next_scanline)));
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        const QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
        std::free(buffer);
        return bytes;
    };
    const QByteArray floatReference = encodeWith(JDCT_FLOAT);
    ASSERT_NE(floatReference, encodeWith(JDCT_ISLOW)) << "the picture cannot tell the transforms apart";
    EXPECT_EQ(ConvertToJpeg(picture), floatReference);
}

TEST(ConvertToJpeg, OtherFormatsGiveTheSamePicture)
{
    const QImage picture = testPicture();
    EXPECT_EQ(ConvertToJpeg(picture.convertToFormat(QImage::Format_RGB32)), ConvertToJpeg(picture));
}

TEST(ConvertToJpeg, EncoderErrorsBecomeErrorsNotExits)
{
    EXPECT_THROW(ConvertToJpeg(QImage()), KestrixError);
    // Wider than the format allows.
    QImage tooWide(70000, 1, BitmapFormat);
    tooWide.fill(Qt::gray);
    EXPECT_THROW(ConvertToJpeg(tooWide), KestrixError);
}

TEST(SaveJpeg, WritesTheEncodedBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("board (1).jpg"));
    SaveJpeg(testPicture(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ConvertToJpeg(testPicture()));
}

TEST(SaveJpeg, FailureKeepsThePreviousFileAndNamesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kept.jpg"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous");
    }
    EXPECT_THROW(SaveJpeg(QImage(), path), KestrixError);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous"));

    expectErrorNaming([&] { SaveJpeg(testPicture(), dir.filePath(QStringLiteral("no/such/folder/x.jpg"))); },
                      QStringLiteral("x.jpg"));
}
