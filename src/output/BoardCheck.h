#pragma once

#include "board/BoardGrid.h"

#include <array>

namespace kestrix {

// Tiles 5000..5999 belong together in pairs, the pair named by the last two
// digits of the id: a finished board holds every pair it uses exactly twice.

// Message-table entries of the check: the board passed (no argument), or it
// failed (both take the board's name).
enum BoardCheckMessage {
    NoBoardCheckMessage = -1,
    CheckPassedMessage = 1,
    PairOnceMessage = 7,     // a pair has one tile only
    PairTooOftenMessage = 8, // a pair has three tiles or more
};

struct BoardCheckResult
{
    bool passed = true;
    int message = NoBoardCheckMessage;
    int pair = -1;       // the lowest pair number that failed
    int firstField = -1; // the first field holding a tile of that pair
};

// Checks the tile ids of the 144 board fields. Only the lowest failing pair
// is reported.
BoardCheckResult checkBoardPairs(const std::array<int, CellCount> &tileIds);
// The same for the fields of a board.
BoardCheckResult checkBoardPairs(const BoardFields &cells);

} // namespace kestrix
