#include "rules/BoardEdit.h"

#include "board/BoardGrid.h"

namespace kestrix {

Field BoardEdit::newBoardField(int k)
{
    Field field;
    if (const int wallSide = wallPositionSide(k); m_rules.conventions.needWall && wallSide != -1) {
        field.tileId = 8000 + 100 * m_rules.groundPlateGroup;
        field.rotation = wallSide;
    } else {
        // The plate first, then its rotation: a seeded generator gives the
        // same board again.
        field.tileId = randomGroundPlate();
        field.rotation = draw(4);
    }
    return field;
}

void BoardEdit::removeAttachments(int cell, const std::function<bool(int)> &spared)
{
    const Field owner = at(cell);
    for (int i = 0; i < 4; ++i) {
        const int n = neighbourIndex(cell, i);
        if (codes().attachedOnSide(owner.tileId, localSide(i, owner.rotation)).isEmpty() || n < 0 || spared(n))
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

} // namespace kestrix
