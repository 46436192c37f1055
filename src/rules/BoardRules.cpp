#include "rules/BoardRules.h"

#include "board/BoardGrid.h"
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

// A copy of the board that the rules change field by field, keeping what
// they record and write, and counting the random numbers they draw.
class BoardEdit
{
public:
    BoardEdit(const BoardFields &fields, const RuleSet &rules) : m_fields(fields), m_rules(rules) {}

    const Field &at(int cell) const { return m_fields[size_t(cell)]; }
    void record(int cell) { m_recorded.append({cell, at(cell), m_draws}); }
    void write(int cell, const Field &field)
    {
        m_fields[size_t(cell)] = field;
        m_written.append({cell, field, m_draws});
    }
    // Records the field's state, then writes the new one.
    void change(int cell, const Field &field)
    {
        record(cell);
        write(cell, field);
    }
    int draw(int m)
    {
        ++m_draws;
        return m_rules.random.random(m);
    }
    int randomGroundPlate() { return m_rules.groundPlateGroup * 100 + draw(m_rules.groundPlateCount); }

    void removeAttachments(int cell, int spared);
    void adaptNeighbourBelts(int cell);
    void placeTarget(const Placement &placement, int tileId);
    void drawExtraFields(const Placement &placement, int tileId);

    QList<FieldWrite> takeRecorded() { return std::move(m_recorded); }
    QList<FieldWrite> takeWritten() { return std::move(m_written); }

private:
    const TileCodes &codes() const { return m_rules.codes; }

    BoardFields m_fields;
    const RuleSet &m_rules;
    QList<FieldWrite> m_recorded;
    QList<FieldWrite> m_written;
    int m_draws = 0;
};

// Clears the fields that the tile on cell brought along or needs (its A and
// N sides) to random ground plates; the field spared is left alone.
void BoardEdit::removeAttachments(int cell, int spared)
{
    const Field owner = at(cell);
    for (int i = 0; i < 4; ++i) {
        const int n = neighbourIndex(cell, i);
        if (codes().attachedOnSide(owner.tileId, localSide(i, owner.rotation)).isEmpty() || n < 0 || n == spared)
            continue;
        const bool wasBelt = isBelt(at(n).tileId);
        // Rotation first, then the plate: the order the draws are made in.
        Field cleared;
        cleared.rotation = draw(4);
        cleared.tileId = randomGroundPlate();
        change(n, cleared);
        if (wasBelt)
            adaptNeighbourBelts(n);
    }
}

// Adds or removes the side inputs of the belts beside cell, as the tile on
// cell runs into them or not.
void BoardEdit::adaptNeighbourBelts(int cell)
{
    const Field source = at(cell);
    const BeltLayout own = codes().beltPattern(source.tileId);
    for (int i = 0; i < 4; ++i) {
        const int n = neighbourIndex(cell, i);
        if (n < 0 || !isBelt(at(n).tileId))
            continue;
        Field belt = at(n);
        BeltLayout pattern = codes().beltPattern(belt.tileId);
        // A belt without a usable pattern cannot be fitted; it stays as it is.
        if (pattern.isEmpty())
            continue;
        const int t = localSide((i + 2) % 4, belt.rotation);
        const SideCode facing = pattern.side(t);
        if (own.side(localSide(i, source.rotation)) == SideCode::Output) {
            // A wall takes no input, and a belt running head-on keeps its
            // direction.
            if (facing != SideCode::Nothing)
                continue;
            pattern.setSide(t, SideCode::Input);
        } else {
            if (facing != SideCode::Input)
                continue;
            pattern.setSide(t, SideCode::Nothing);
        }
        belt.tileId = codes().findBelt(pattern, belt.tileId);
        change(n, belt);
    }
}

// The target is recorded before the fields of the tile it held are cleared,
// and written after them.
void BoardEdit::placeTarget(const Placement &placement, int tileId)
{
    const int p = placement.cell;
    record(p);
    removeAttachments(p, -1);
    const bool wasBelt = isBelt(at(p).tileId);
    write(p, {tileId, placement.rotation, placement.steps});
    if (isBelt(tileId) || wasBelt)
        adaptNeighbourBelts(p);
}

void BoardEdit::drawExtraFields(const Placement &placement, int tileId)
{
    for (int i = 0; i < 4; ++i) {
        const QString added = codes().sideValue(SideEntry::Attached, tileId, localSide(i, placement.rotation));
        const int n = neighbourIndex(placement.cell, i);
        if (added.isEmpty() || n < 0)
            continue;
        // The tile that lay on n may claim the target as its own; the tile
        // just applied there must survive its removal.
        removeAttachments(n, placement.cell);
        const bool wasBelt = isBelt(at(n).tileId);
        const Field extra{toIntOrZero(added), placement.rotation, QStringLiteral("00000")};
        change(n, extra);
        if (isBelt(extra.tileId) || wasBelt)
            adaptNeighbourBelts(n);
    }
}

} // namespace

std::optional<RuleMessage> refusal(const BoardFields &fields, const Placement &placement, const RuleSet &rules)
{
    const int p = placement.cell;
    const int id = placement.tileId;
    const Conventions &conventions = rules.conventions;
    const auto hasSide = [&](SideEntry entry, int d) {
        return rules.codes.hasSideEntry(entry, id, localSide(d, placement.rotation));
    };
    const auto anyOutward = [&](SideEntry entry) {
        const auto sides = outwardSides(p);
        return std::any_of(sides.cbegin(), sides.cend(), [&](int d) { return hasSide(entry, d); });
    };

    if (conventions.notWall && wallPositionSide(p) < 0 && isBorderCell(p) && anyOutward(SideEntry::Wall))
        return RuleMessage::NoWallAllowed;
    if (const int d = wallPositionSide(p); conventions.needWall && d >= 0 && !hasSide(SideEntry::Wall, d))
        return RuleMessage::WallNeeded;
    if (placement.stepsRequired && !placement.steps.contains(QLatin1Char('1')))
        return RuleMessage::NoStep;
    if (conventions.field && isBorderCell(p) && anyOutward(SideEntry::Inward))
        return RuleMessage::LeadsOffBoard;
    const int onField = fields[size_t(p)].tileId;
    if (rules.codes.hasNeededEntries(onField) && onField == id)
        return RuleMessage::SameTile;
    return std::nullopt;
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
    edit.placeTarget(placement, application.fittedTile);
    edit.drawExtraFields(placement, application.fittedTile);
    application.recorded = edit.takeRecorded();
    application.written = edit.takeWritten();
    return application;
}

QList<FieldWrite> newBoardFill(const RuleSet &rules)
{
    BoardEdit edit(BoardFields(), rules);
    for (int k = 0; k < CellCount; ++k) {
        Field field;
        if (const int wallSide = wallPositionSide(k); rules.conventions.needWall && wallSide != -1) {
            field.tileId = 8000 + 100 * rules.groundPlateGroup;
            field.rotation = wallSide;
        } else {
            // The plate first, then its rotation: a seeded generator gives
            // the same board again.
            field.tileId = edit.randomGroundPlate();
            field.rotation = edit.draw(4);
        }
        edit.write(k, field);
    }
    return edit.takeWritten();
}

} // namespace kestrix
