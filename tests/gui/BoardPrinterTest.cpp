#include "gui/BoardPrinter.h"

#include "support/FullFolder.h"
#include "support/PdfPlacement.h"
#include "util/KestrixError.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kestrix;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A print into a PDF file goes the way a page goes to a printer.
TEST(BoardPrinter, PrintsEachPageAsAJobOfItsOwn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("board.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageOrientation(QPageLayout::Landscape);
    BoardPrinter boardPrinter(printer);

    const PrintablePage page = boardPrinter.portraitPage();
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_GT(page.size.height(), page.size.width());
    EXPECT_EQ(page.resolution, printer.resolution());
    // Either shape of quarter lies whole on the page, centred, with the footer
    // below it and still on the page.
    for (const QSize shape : {QSize(1725, 1575), QSize(1575, 1725)}) {
        const QRect placed = printedRect(shape, page);
        EXPECT_TRUE(QRect(QPoint(0, 0), page.size).contains(placed)) << shape.width();
        EXPECT_LE(std::abs(placed.left() - (page.size.width() - 1 - placed.right())), 1) << shape.width();
        EXPECT_LE(std::abs(placed.top() - (page.size.height() - 1 - placed.bottom())), 1) << shape.width();
        EXPECT_GT(footerPosition(page).y(), placed.bottom()) << shape.width();
        EXPECT_LT(footerPosition(page).y(), page.size.height()) << shape.width();
    }

    QImage quarter(1725, 1575, QImage::Format_RGB888);
    quarter.fill(Qt::black);
    const PrintPage first = layOutPrintPage(quarter, 1, 2, QStringLiteral("Zorvan - Editor"), QStringLiteral("/b/Platte.zvb"),
                                            QStringLiteral("12:00:00"), page);
    boardPrinter.printPage(first);
    const QByteArray firstJob = readFile(folder.filePath(QStringLiteral("board (1).pdf")));
    ASSERT_TRUE(firstJob.startsWith("%PDF")) << "the first job was written when it ended";
    EXPECT_EQ(testpdf::PageCount(firstJob), 1);
    // 171.6 x 156.7 mm on paper at the printer's own resolution.
    const QList<QSizeF> pictures = testpdf::PictureSizesMm(firstJob);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_NEAR(pictures[0].width(), 171.6, 0.5);
    EXPECT_NEAR(pictures[0].height(), 156.7, 0.5);
    EXPECT_EQ(printer.docName(), QStringLiteral("Platte.zvb"));
    EXPECT_EQ(printer.outputFileName(), pdf) << "the chosen file stays chosen for the next run";

    PrintPage second = first;
    second.footer = QStringLiteral("Zorvan - Editor - /b/Platte.zvb (2/2)      12:00:01");
    second.number = 2;
    boardPrinter.printPage(second);
    const QByteArray secondJob = readFile(folder.filePath(QStringLiteral("board (2).pdf")));
    ASSERT_TRUE(secondJob.startsWith("%PDF"));
    EXPECT_EQ(testpdf::PageCount(secondJob), 1)
        << "the second job is a document of its own";
    EXPECT_EQ(readFile(folder.filePath(QStringLiteral("board (1).pdf"))), firstJob)
        << "a later page never replaces an earlier one";
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(BoardPrinter, PageFilesAreNamedLikeTheExportedPictures)
{
    EXPECT_EQ(BoardPrinter::pageFileName(QStringLiteral("/b/Platte.pdf"), 3), QStringLiteral("/b/Platte (3).pdf"));
    EXPECT_EQ(BoardPrinter::pageFileName(QStringLiteral("/b/a.b.pdf"), 1), QStringLiteral("/b/a.b (1).pdf"));
    EXPECT_EQ(BoardPrinter::pageFileName(QStringLiteral("/b.d/Platte"), 4), QStringLiteral("/b.d/Platte (4)"));
}

// A page printed into a file on a full disk is reported and leaves the
// file that was there as it was.
TEST(BoardPrinter, ReportsAFullDiskAndKeepsTheOldFile)
{
    FullFolder folder(QStringLiteral("board (1).pdf"), "old page");
    if (!folder.isValid())
        GTEST_SKIP() << "no small file system can be mounted here";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("board.pdf")));
    BoardPrinter boardPrinter(printer);
    QImage quarter(1725, 1575, QImage::Format_RGB888);
    quarter.fill(Qt::darkGreen);
    const PrintablePage page = boardPrinter.portraitPage();
    EXPECT_THROW(boardPrinter.printPage(layOutPrintPage(quarter, 1, 4, QStringLiteral("T"), QStringLiteral("/b/P.zvb"),
                                                        QStringLiteral("12:00"), page)),
                 KestrixError);
    EXPECT_EQ(readFile(folder.filePath(QStringLiteral("board (1).pdf"))), QByteArray("old page"));
}

TEST(BoardPrinter, ReportsAPrinterThatCannotPrint)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder.filePath(QStringLiteral("missing/board.pdf"));
    printer.setOutputFileName(pdf);
    BoardPrinter boardPrinter(printer);
    QImage quarter(10, 10, QImage::Format_RGB888);
    quarter.fill(Qt::white);
    try {
        boardPrinter.printPage({QStringLiteral("x"), quarter, QRect(0, 0, 23, 23), QPoint(100, 10), QStringLiteral("f")});
        FAIL() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("board (1).pdf"))) << error.text().toStdString();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
