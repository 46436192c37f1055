#pragma once

#include "board/Region.h"
#include "rules/BoardRules.h"

#include <optional>

namespace kestrix {

// Why a region command is refused beyond the edge checks of an application.
enum class RegionProblem {
    // A tile and one of its extra fields (the fields its A or N entries
    // name) would lie on either side of the region's border.
    SeparatesExtraField,
    OffBoard,  // the region would reach past the board's edge
    NotSquare, // only a square region turns
};

// The outcome of a command that writes a region: a refusal, or every field
// it changes, recorded and written as an application's are.
struct RegionEdit
{
    std::optional<RegionProblem> problem;
    std::optional<RuleMessage> edgeRefusal; // of the first written field that fails an edge check
    int field = -1;                         // the field the refusal concerns
    // The state of every field before the command, the written rectangle
    // first in row order, then the extra fields cleared and the belts
    // refitted in the order they changed; its first entry starts the group.
    QList<FieldWrite> recorded;
    QList<FieldWrite> written; // in the order written
    // Where the rectangle's writes begin in written, one per field in row
    // order; for a turn, the field each one's tile was taken from.
    qsizetype rectangleStart = 0;
    QList<int> sources;

    bool isRefused() const { return problem || edgeRefusal; }
};

// The first field, in row order, whose tile has an extra field on the other
// side of region's border, in either direction: such a region cannot be
// copied, cut or turned.
std::optional<int> separatedField(const BoardFields &fields, const Region &region, const TileCodes &codes);

// The region's fields, row by row.
RegionClip copyRegion(const BoardFields &fields, const Region &region);

// Every field of the region as a new board fills it, in the same draw order.
RegionEdit clearRegion(const BoardFields &fields, const Region &region, const RuleSet &rules);
// The clip written with its top-left field on targetCell.
RegionEdit pasteRegion(const BoardFields &fields, const RegionClip &clip, int targetCell, const RuleSet &rules);
// A square region turned a quarter turn about its centre, each tile turned
// with it, so that it keeps its sides towards the same neighbours.
RegionEdit turnRegion(const BoardFields &fields, const Region &region, bool clockwise, const RuleSet &rules);

} // namespace kestrix
