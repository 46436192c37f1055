#include "output/PdfPrinter.h"

#include "support/PdfPlacement.h"

#include <QGuiApplication>
#include <QPageSize>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

QImage quarter(QSize size)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    return picture;
}

// Prints the pictures, one page each, and gives the document.
QByteArray printed(const QPageLayout &layout, int resolution, const QList<QImage> &pictures)
{
    PdfPrinter pdf(layout, resolution);
    const PrintablePage page = pdf.portraitPage();
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        pdf.printPage(layOutPrintPage(pictures[i], int(i + 1), int(pictures.size()), QStringLiteral("T"),
                                      QStringLiteral("/b/Platte.zvb"), QStringLiteral("12:00:00"), page));
    }
    return pdf.finish();
}

QPageLayout a5()
{
    return QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// The size on paper is read back from the document itself.
TEST(PdfPrinter, QuartersHaveTheSameSizeOnPaperAtEveryResolution)
{
    for (const int dpi : {300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        const QByteArray pdf = printed(defaultPrintLayout(), dpi, {quarter({1725, 1575}), quarter({1575, 1725})});
        EXPECT_EQ(testpdf::PageCount(pdf), 2);
        const QList<QSizeF> sizes = testpdf::PictureSizesMm(pdf);
        ASSERT_EQ(sizes.size(), 2);
        EXPECT_NEAR(sizes[0].width(), 171.6, 0.5);
        EXPECT_NEAR(sizes[0].height(), 156.7, 0.5);
        EXPECT_NEAR(sizes[1].width(), 156.7, 0.5);
        EXPECT_NEAR(sizes[1].height(), 171.6, 0.5);
    }
}

TEST(PdfPrinter, ASmallPageShrinksTheQuarterToFit)
{
    // A5 printable: 128 x 190 mm, turned to portrait whatever was chosen.
    for (const int dpi : {300, 1200}) {
        SCOPED_TRACE(dpi);
        const QList<QSizeF> sizes = testpdf::PictureSizesMm(printed(a5(), dpi, {quarter({1725, 1575})}));
        ASSERT_EQ(sizes.size(), 1);
        EXPECT_NEAR(sizes[0].width(), 128.0, 0.5);
        EXPECT_NEAR(sizes[0].height(), 128.0 * 1575 / 1725, 0.5);
    }
}

TEST(PdfPrinter, ADocumentWithoutPagesIsStillADocument)
{
    PdfPrinter pdf(defaultPrintLayout(), 1200);
    const QByteArray bytes = pdf.finish();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(testpdf::PageCount(bytes), 1);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
