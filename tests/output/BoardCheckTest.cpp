#include "output/BoardCheck.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace kestrix;

namespace {

struct CheckCase
{
    const char *name;
    std::initializer_list<std::pair<int, int>> tiles; // field, tile id
    bool passed;
    int message;
    int pair;
    int firstField; // the first field of the failing pair
};

// Every other field holds a ground plate, which the check does not count.
std::array<int, CellCount> board(std::initializer_list<std::pair<int, int>> tiles)
{
    std::array<int, CellCount> ids{};
    for (int n = 0; n < CellCount; ++n)
        ids[size_t(n)] = n % 3;
    for (const auto &[field, id] : tiles)
        ids[size_t(field)] = id;
    return ids;
}

TEST(BoardCheck, CountsTheTilesOfEachPair)
{
    const CheckCase cases[] = {
        {"no paired tile", {}, true, NoBoardCheckMessage, -1, -1},
        {"one pair across its hundreds", {{10, 5003}, {140, 5103}}, true, NoBoardCheckMessage, -1, -1},
        {"a third tile of the pair", {{10, 5003}, {20, 5103}, {30, 5203}}, false, PairTooOftenMessage, 3, 10},
        {"one tile alone", {{0, 5012}}, false, PairOnceMessage, 12, 0},
        {"four tiles of one pair", {{1, 5099}, {2, 5099}, {3, 5999}, {143, 5199}}, false, PairTooOftenMessage, 99, 1},
        {"the lowest pair is reported", {{0, 5005}, {1, 5005}, {2, 5105}, {143, 5002}}, false, PairOnceMessage, 2, 143},
        {"the lowest pair decides the message", {{7, 5002}, {8, 5102}, {9, 5202}, {99, 5005}}, false,
         PairTooOftenMessage, 2, 7},
        {"pair 0 counts", {{50, 5000}}, false, PairOnceMessage, 0, 50},
        {"ids beside the group", {{0, 6005}, {1, 4005}, {2, 4999}, {3, 6000}, {4, 5005}, {5, 5005}},
         true, NoBoardCheckMessage, -1, -1},
        {"negative ids", {{0, -5005}, {1, -5}}, true, NoBoardCheckMessage, -1, -1},
        {"several pairs, all complete", {{0, 5001}, {1, 5001}, {2, 5050}, {3, 5150}, {4, 5077}, {5, 5977}},
         true, NoBoardCheckMessage, -1, -1},
    };
    for (const CheckCase &c : cases) {
        const BoardCheckResult result = checkBoardPairs(board(c.tiles));
        EXPECT_EQ(result.passed, c.passed) << c.name;
        EXPECT_EQ(result.message, c.message) << c.name;
        EXPECT_EQ(result.pair, c.pair) << c.name;
        EXPECT_EQ(result.firstField, c.firstField) << c.name;
    }
}

} // namespace
