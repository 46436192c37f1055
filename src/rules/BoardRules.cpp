#include "rules/BoardRules.h"

#include "board/BoardGrid.h"
#include "rules/BoardEdit.h"
#include "util/Utils.h"

#include <QVarLengthArray>

#include <algorithm>

namespace kestrix {

namespace {

// The directions of field p that lead off the board, in the order the edge
// checks take them: up, left, right, down.
QVarLengthArray<int, 2> outwardSides(int p)
{
    QVarLengthArray<int, 2> sides;
    if (p < BoardSide)
        sides.append(Up);
    if (p % BoardSide == 0)
        sides.append(Left);
    if ((p + 1) % BoardSide == 0)
        sides.append(Right);
    if (p >= CellCount - BoardSide)
        sides.append(Down);
    return sides;
}

// The target is recorded before the fields of the tile it held are cleared,
// and written after them.
void placeTarget(BoardEdit &edit, const Placement &placement, int tileId)
{
    const int p = placement.cell;
    edit.record(p);
    edit.removeAttachments(p, [](int) { return false; });
    const bool wasBelt = isBelt(edit.at(p).tileId);
    edit.write(p, {tileId, placement.rotation, placement.steps});
    if (isBelt(tileId) || wasBelt)
        edit.adaptNeighbourBelts(p);
}

void drawExtraFields(BoardEdit &edit, const Placement &placement, int tileId, const TileCodes &codes)
{
    for (int i = 0; i < 4; ++i) {
        const QString added = codes.sideValue(SideEntry::Attached, tileId, localSide(i, placement.rotation));
        const int n = neighbourIndex(placement.cell, i);
        if (added.isEmpty() || n < 0)
            continue;
        // The tile that lay on n may claim the target as its own; the tile
        // just applied there must survive its removal.
        edit.removeAttachments(n, [&placement](int cell) { return cell == placement.cell; });
        const bool wasBelt = isBelt(edit.at(n).tileId);
        const Field extra{toIntOrZero(added), placement.rotation, QStringLiteral("00000")};
        edit.change(n, extra);
        if (isBelt(extra.tileId) || wasBelt)
            edit.adaptNeighbourBelts(n);
    }
}

// The edge checks of a tile turned rotation on field p.
class EdgeChecks
{
public:
    EdgeChecks(int p, int tileId, int rotation, const RuleSet &rules)
        : m_p(p), m_tileId(tileId), m_rotation(rotation), m_rules(rules)
    {
    }

    std::optional<RuleMessage> walls() const
    {
        const Conventions &conventions = m_rules.conventions;
        if (conventions.notWall && wallPositionSide(m_p) < 0 && isBorderCell(m_p) && anyOutward(SideEntry::Wall))
            return RuleMessage::NoWallAllowed;
        if (const int d = wallPositionSide(m_p); conventions.needWall && d >= 0 && !hasSide(SideEntry::Wall, d))
            return RuleMessage::WallNeeded;
        return std::nullopt;
    }
    std::optional<RuleMessage> inwardSides() const
    {
        if (m_rules.conventions.field && isBorderCell(m_p) && anyOutward(SideEntry::Inward))
            return RuleMessage::LeadsOffBoard;
        return std::nullopt;
    }

private:
    bool hasSide(SideEntry entry, int d) const
    {
        return m_rules.codes.hasSideEntry(entry, m_tileId, localSide(d, m_rotation));
    }
    bool anyOutward(SideEntry entry) const
    {
        const auto sides = outwardSides(m_p);
        return std::any_of(sides.cbegin(), sides.cend(), [&](int d) { return hasSide(entry, d); });
    }

    int m_p;
    int m_tileId;
    int m_rotation;
    const RuleSet &m_rules;
};

} // namespace

std::optional<RuleMessage> refusal(const BoardFields &fields, const Placement &placement, const RuleSet &rules)
{
    const EdgeChecks edges(placement.cell, placement.tileId, placement.rotation, rules);
    if (const auto message = edges.walls())
        return message;
    if (placement.stepsRequired && !placement.steps.contains(QLatin1Char('1')))
        return RuleMessage::NoStep;
    if (const auto message = edges.inwardSides())
        return message;
    const int onField = fields[size_t(placement.cell)].tileId;
    if (rules.codes.hasNeededEntries(onField) && onField == placement.tileId)
        return RuleMessage::SameTile;
    return std::nullopt;
}

std::optional<RuleMessage> edgeRefusal(int cell, const Field &field, const RuleSet &rules)
{
    const EdgeChecks edges(cell, field.tileId, field.rotation, rules);
    if (const auto message = edges.walls())
        return message;
    return edges.inwardSides();
}

int fitBelt(const BoardFields &fields, const Placement &placement, const RuleSet &rules)
{
    const int p = placement.cell;
    const int id = placement.tileId;
    const BeltLayout before = rules.codes.beltPattern(id);
    if (before.isEmpty() || p < 0 || p >= CellCount)
        return id;

    BeltLayout pattern = before;
    for (int i = 0; i < 4; ++i) {
        const int s = localSide(i, placement.rotation);
        const SideCode code = pattern.side(s);
        if (code == SideCode::Wall || code == SideCode::Output)
            continue;
        const int n = neighbourIndex(p, i);
        bool input = false;
        if (n < 0) {
            input = rules.conventions.belt && beltEdgeSide(p) >= 0;
        } else if (const Field &neighbour = fields[size_t(n)]; isBelt(neighbour.tileId)) {
            const int t = localSide((i + 2) % 4, neighbour.rotation);
            input = rules.codes.beltPattern(neighbour.tileId).side(t) == SideCode::Output;
        }
        pattern.setSide(s, input ? SideCode::Input : SideCode::Nothing);
    }
    return pattern == before ? id : rules.codes.findBelt(pattern, id);
}

Application applyPlacement(const BoardFields &fields, const Placement &placement, const RuleSet &rules)
{
    Application application;
    application.fittedTile = placement.tileId;
    application.refusal = refusal(fields, placement, rules);
    if (application.refusal)
        return application;
    if (isBelt(placement.tileId))
        application.fittedTile = fitBelt(fields, placement, rules);

    BoardEdit edit(fields, rules);
    placeTarget(edit, placement, application.fittedTile);
    drawExtraFields(edit, placement, application.fittedTile, rules.codes);
    application.recorded = edit.takeRecorded();
    application.written = edit.takeWritten();
    return application;
}

QList<FieldWrite> newBoardFill(const RuleSet &rules)
{
    BoardEdit edit(BoardFields(), rules);
    for (int k = 0; k < CellCount; ++k)
        edit.write(k, edit.newBoardField(k));
    return edit.takeWritten();
}

} // namespace kestrix
