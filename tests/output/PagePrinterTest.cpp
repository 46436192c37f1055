#include "output/PagePrinter.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

TEST(printedRect, EnlargesAndCentresWithHalvesToEven)
{
    const struct
    {
        QSize picture;
        PrintablePage page;
        QRect expected;
    } rows[] = {
        // 4053 x 3701: 747 and 3099 pixels left over, halves 373.5 and 1549.5.
        {{1725, 1575}, {{4800, 6800}, 600}, {374, 1550, 4053, 3701}},
        {{1575, 1725}, {{4800, 6800}, 600}, {550, 1374, 3701, 4053}},
        {{1725, 1575}, {{4802, 6802}, 600}, {374, 1550, 4053, 3701}}, // 374.5 and 1550.5
        {{1725, 1575}, {{4801, 6801}, 600}, {374, 1550, 4053, 3701}},
        {{1725, 1575}, {{4799, 6799}, 600}, {373, 1549, 4053, 3701}},
        {{1, 1}, {{10, 10}, 600}, {4, 4, 2, 2}}, // 2.35 truncated; 4 left over
        // The same size on paper at other resolutions.
        {{1725, 1575}, {{9600, 13600}, 1200}, {746, 3099, 8107, 7402}},
        {{1725, 1575}, {{2400, 3400}, 300}, {187, 775, 2026, 1850}},
        // Too wide for the page: as wide as the page, proportions kept, centred.
        {{1725, 1575}, {{4000, 6800}, 600}, {0, 1574, 4000, 3652}},
        // Too high: as high as the page.
        {{1575, 1725}, {{4800, 3600}, 600}, {757, 0, 3286, 3600}},
        // A page with room to spare never enlarges it beyond the factor.
        {{1725, 1575}, {{48000, 68000}, 600}, {21974, 32150, 4053, 3701}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(printedRect(row.picture, row.page), row.expected)
            << row.page.size.width() << "x" << row.page.size.height() << " at " << row.page.resolution;
    }
}

TEST(footerPosition, SitsAtTheSamePlaceOnPaper)
{
    EXPECT_EQ(footerPosition({{4800, 6800}, 600}), QPoint(100, 6710));
    EXPECT_EQ(footerPosition({{9600, 13600}, 1200}), QPoint(200, 13420));
    EXPECT_EQ(footerPosition({{2400, 3400}, 300}), QPoint(50, 3355));
    EXPECT_EQ(footerPosition({{50, 50}, 600}), QPoint(100, -40));
}

TEST(layOutPrintPage, NamesBoardPageAndTime)
{
    QImage quarter(1575, 1725, QImage::Format_RGB888);
    const PrintablePage page{{9600, 13600}, 1200};
    const PrintPage printed = layOutPrintPage(quarter, 2, 4, QStringLiteral("T"), QStringLiteral("/b/Platte.zvb"),
                                              QStringLiteral("12:00:00"), page);
    EXPECT_EQ(printed.jobTitle, QStringLiteral("Platte.zvb"));
    EXPECT_EQ(printed.footer, QStringLiteral("T - /b/Platte.zvb (2/4)      12:00:00"));
    EXPECT_EQ(printed.number, 2);
    EXPECT_EQ(printed.target, printedRect(quarter.size(), page));
    EXPECT_EQ(printed.footerAt, QPoint(200, 13420));
}

} // namespace
