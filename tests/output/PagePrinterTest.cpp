#include "output/PagePrinter.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

TEST(PrintedRect, EnlargesAndCentresWithHalvesToEven)
{
    const struct
    {
        QSize picture;
        QSize page;
        QRect expected;
    } rows[] = {
        // 4053 x 3701: 747 and 3099 pixels left over, halves 373.5 and 1549.5.
        {{1725, 1575}, {4800, 6800}, {374, 1550, 4053, 3701}},
        {{1575, 1725}, {4800, 6800}, {550, 1374, 3701, 4053}},
        {{1725, 1575}, {4802, 6802}, {374, 1550, 4053, 3701}}, // 374.5 and 1550.5
        {{1725, 1575}, {4801, 6801}, {374, 1550, 4053, 3701}},
        {{1725, 1575}, {4799, 6799}, {373, 1549, 4053, 3701}},
        // Larger than the page: it sticks out, still centred.
        {{1725, 1575}, {4000, 3600}, {-26, -50, 4053, 3701}}, // -26.5 and -50.5
        {{1725, 1575}, {3998, 3598}, {-28, -52, 4053, 3701}}, // -27.5 and -51.5
        {{1, 1}, {10, 10}, {4, 4, 2, 2}},                      // 2.35 truncated; 4 left over
    };
    for (const auto &row : rows)
        EXPECT_EQ(PrintedRect(row.picture, row.page), row.expected) << row.page.width() << "x" << row.page.height();
}

TEST(FooterPosition, SitsNinetyPixelsAboveTheBottom)
{
    EXPECT_EQ(FooterPosition(QSize(4800, 6800)), QPoint(100, 6710));
    EXPECT_EQ(FooterPosition(QSize(50, 50)), QPoint(100, -40));
}

} // namespace
