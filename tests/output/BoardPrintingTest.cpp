#include "output/BoardPrinting.h"

#include "catalogue/Catalogue.h"
#include "catalogue/StepMarks.h"

#include "support/RecordingPrinter.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

using namespace kestrix;

// The window and the PDF command print through this one loop: only the two
// page numbers count, and pages beyond the board's quarters do not exist.
TEST(PrintBoardPages, PrintsTheChosenQuartersThatExistOneJobEach)
{
    TestProgramFolder folder;
    ASSERT_TRUE(folder.writeTilePictures(0));
    BoardFields cells;
    const Catalogue catalogue;
    const StepMarkTables stepMarks;
    const BoardPictureSource source{cells, catalogue, stepMarks, folder.programFolder()};

    const struct { int from, to; QList<int> pages; const char *lastFooter; } cases[] = {
        {2, 3, {2, 3}, "T - Plan.zvb (3/3)      "},
        {0, 9, {1, 2, 3, 4}, "T - Plan.zvb (4/9)      "},
        {3, 2, {}, nullptr},
    };
    for (const auto &c : cases) {
        RecordingPrinter printer;
        printBoardPages(printer, source, {c.from, c.to, QStringLiteral("T"), QStringLiteral("Plan.zvb")});
        QList<int> printed;
        for (const PrintPage &page : printer.jobs)
            printed.append(page.number);
        EXPECT_EQ(printed, c.pages) << c.from << "-" << c.to;
        EXPECT_EQ(printer.pageSizeRequests, 1);
        if (c.lastFooter)
            EXPECT_TRUE(printer.jobs.last().footer.startsWith(QString::fromLatin1(c.lastFooter)))
                << printer.jobs.last().footer.toStdString();
    }
}
