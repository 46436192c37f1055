#include "catalogue/StepMarks.h"

#include "catalogue/Catalogue.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

QString qs(const char *text)
{
    return QString::fromLatin1(text);
}

// Three-digit x, y pairs: (10 + k, 100 + k) for k = first, first + 1, ...
QByteArray pairDigits(int count, int first = 0)
{
    QByteArray digits;
    for (int k = first; k < first + count; ++k)
        digits += QByteArray::number(10 + k).rightJustified(3, '0') + QByteArray::number(100 + k);
    return digits;
}

} // namespace

TEST(subFieldValue, TakesTheTextUpToTheNextStar)
{
    const struct { const char *name; const char *text; const char *value; } cases[] = {
        {"Font", "1Font:007*BG:002*Array:100200*", "007"},
        {"BG", "1Font:007*BG:002*Array:100200*", "002"},
        {"Array", "1Font:007*BG:002*Array:100200*", "100200"},
        {"BG", "0Font:1*BG:005", "005"},     // no closing star
        {"BG", "1BG:*Font:3*", ""},
        {"BG", "BG:1*BG:2*", "1"},           // the first occurrence
        {"Font", "1BG:002*Array:100200*", ""}, // missing: nothing, not a neighbour's digits
        {"font", "1Font:7*", ""},            // sub-field names are exact
        {"Font", "xFont:a:b*", "a:b"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(subFieldValue(qs(c.name), qs(c.text)), qs(c.value)) << c.name << " in " << c.text;
}

TEST(loadStepMarks, SplitsRecordsByTheLayoutFlag)
{
    Catalogue catalogue;
    catalogue.setLines({
        "S00010=1Font:3*BG:12*Array:" + pairDigits(15) + "*",
        "s00011=1Font:4*BG:4*Array:100200*", // lower case: not a step-mark line
        "S00012=Font:5*BG:6*Array:" + pairDigits(3),
        "P00010=00000",
        "S00010=0BG:8*Array:001002003004005006007008009010*Font:9*",
        "S00020=1Font:1*",
        "S00020=1Font:2*",
    });
    const StepMarkTables tables = loadStepMarks(catalogue);
    ASSERT_EQ(tables.byCount.size(), 3u);
    ASSERT_EQ(tables.perStep.size(), 2u);

    const ByCountRecord &byCount = tables.byCount[0];
    EXPECT_EQ(byCount[0], 10);
    EXPECT_EQ(byCount[1], 3);
    EXPECT_EQ(byCount[2], 12);
    // Row c pair j at 3 + (c - 1) * 10 + (j - 1) * 2, filled in row order.
    const struct { int at; int x; int y; } filled[] = {
        {3, 10, 100},  {13, 11, 101}, {15, 12, 102}, {23, 13, 103}, {27, 15, 105},
        {33, 16, 106}, {39, 19, 109}, {43, 20, 110}, {51, 24, 114},
    };
    for (const auto &f : filled) {
        EXPECT_EQ(byCount[size_t(f.at)], f.x) << f.at;
        EXPECT_EQ(byCount[size_t(f.at) + 1], f.y) << f.at;
    }
    for (const int unused : {5, 6, 17, 18, 29, 30, 41, 42})
        EXPECT_EQ(byCount[size_t(unused)], 0) << unused;

    const PerStepRecord expectedShort{12, 5, 6, 10, 100, 11, 101, 12, 102, 0, 0, 0, 0};
    EXPECT_EQ(tables.perStep[0], expectedShort);
    const PerStepRecord expectedFull{10, 9, 8, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(tables.perStep[1], expectedFull);
}

TEST(findStepMarkRecord, FirstRecordWithTheId)
{
    Catalogue catalogue;
    catalogue.setLines({"S00020=1Font:1*", "S00021=1Font:5*", "S00020=1Font:2*", "S00020=0Font:3*"});
    const StepMarkTables tables = loadStepMarks(catalogue);

    const ByCountRecord *byCount = findStepMarkRecord(tables.byCount, 20);
    ASSERT_NE(byCount, nullptr);
    EXPECT_EQ((*byCount)[1], 1);
    const PerStepRecord *perStep = findStepMarkRecord(tables.perStep, 20);
    ASSERT_NE(perStep, nullptr);
    EXPECT_EQ((*perStep)[1], 3);
    EXPECT_EQ(findStepMarkRecord(tables.perStep, 21), nullptr);
    EXPECT_EQ(findStepMarkRecord(tables.byCount, 11), nullptr);
}
