#include "output/BoardCheck.h"

#include <algorithm>

namespace kestrix {

namespace {

constexpr int PairGroup = 5;
constexpr int PairCount = 100;

} // namespace

BoardCheckResult checkBoardPairs(const std::array<int, CellCount> &tileIds)
{
    std::array<int, PairCount> counts{};
    for (const int id : tileIds) {
        if (id / 1000 == PairGroup)
            ++counts[size_t(id % PairCount)];
    }

    BoardCheckResult result;
    for (int pair = 0; pair < PairCount; ++pair) {
        const int count = counts[size_t(pair)];
        if (count == 0 || count == 2)
            continue;
        result.passed = false;
        result.message = count == 1 ? PairOnceMessage : PairTooOftenMessage;
        result.pair = pair;
        break;
    }
    if (!result.passed) {
        const auto first = std::find_if(tileIds.begin(), tileIds.end(), [&](int id) {
            return id / 1000 == PairGroup && id % PairCount == result.pair;
        });
        result.firstField = int(first - tileIds.begin());
    }
    return result;
}

BoardCheckResult checkBoardPairs(const BoardFields &cells)
{
    std::array<int, CellCount> ids{};
    std::transform(cells.begin(), cells.end(), ids.begin(), [](const Field &cell) { return cell.tileId; });
    return checkBoardPairs(ids);
}

} // namespace kestrix
