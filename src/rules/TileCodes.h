#pragma once

#include "rules/TileIds.h"

#include <QString>

namespace kestrix {

class Catalogue;

// The message table's entries that report a board check passed and the five
// refusals of an application.
enum class RuleMessage {
    CheckPassed = 1,
    NoWallAllowed = 2,
    WallNeeded = 3,
    NoStep = 4,
    LeadsOffBoard = 5,
    SameTile = 6,
};

// What a belt has on one of its sides. A character the catalogue holds beyond
// "0".."3" counts as nothing.
enum class SideCode { Nothing, Wall, Input, Output };

// The catalogue entries a tile has per local side.
enum class SideEntry : char {
    Wall = 'W',     // a wall on that side
    Attached = 'A', // the tile drawn beside it on that side
    Needed = 'N',   // the field on that side belongs to the tile
    Inward = 'C',   // that side must not face off the board
};

// A belt's D value: the family digit, the codes of local sides 0..3 and the
// extra element. Changed codes are written into the text, and the whole text
// is what a belt is looked up by.
class BeltLayout
{
public:
    static constexpr int Length = 6;

    BeltLayout() = default;
    // Empty when text is too short to hold the side codes and the extra
    // element: such a belt is neither fitted nor adapted.
    explicit BeltLayout(const QString &text);

    bool isEmpty() const { return m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    // Nothing on every side of an empty pattern.
    SideCode side(int localSide) const;
    void setSide(int localSide, SideCode code);

    bool operator==(const BeltLayout &other) const = default;

private:
    QString m_text;
};

// A read-only view of the catalogue that answers in the rules' terms.
class TileCodes
{
public:
    explicit TileCodes(const Catalogue &catalogue) : m_catalogue(catalogue) {}

    bool hasSideEntry(SideEntry entry, int tileId, int localSide) const;
    QString sideValue(SideEntry entry, int tileId, int localSide) const;
    // The tile that comes with tileId on a side (its A entry), else the
    // tile's claim on that field (its N entry); empty when neither.
    QString attachedOnSide(int tileId, int localSide) const;
    // Some N line begins with the tile's number: it needs fields beside it.
    bool hasNeededEntries(int tileId) const;
    BeltLayout beltPattern(int tileId) const;
    // The first belt whose pattern is pattern; fallback when there is none.
    int findBelt(const BeltLayout &pattern, int fallback) const;

private:
    const Catalogue &m_catalogue;
};

} // namespace kestrix
