#pragma once

#include "board/Field.h"
#include "rules/TileCodes.h"

#include <QList>
#include <QString>

#include <optional>

namespace kestrix {

// The board-edge conventions chosen in the options.
struct Conventions
{
    bool needWall = false; // a wall position takes a tile with a wall outwards
    bool notWall = false;  // elsewhere on the edge no wall faces outwards
    bool belt = false;     // a belt on a belt-edge position gets an input from off the board
    bool field = false;    // a C side never faces off the board
};

// Where the rules take their random numbers from.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..m-1 (0 when m <= 0).
    virtual int random(int m) = 0;
};

// What the rules know beyond the board.
struct RuleSet
{
    const TileCodes &codes;
    Conventions conventions;
    int groundPlateGroup = 0;  // the group new boards and cleared fields take
    int groundPlateCount = 0;  // the plates of that group
    RandomSource &random;
};

// A tile to be applied: the selection and its step boxes.
struct Placement
{
    int tileId = 0;
    int rotation = 0;
    QString steps;
    int cell = 0;               // the target field, 0..143
    bool stepsRequired = false; // the step panel is shown
};

// The outcome of applying a placement: a refusal, or every field it changes.
struct Application
{
    std::optional<RuleMessage> refusal;
    // The tile placed: a belt fitted to its neighbours may differ from the
    // placement's.
    int fittedTile = 0;
    // The state of each field just before the rules changed it, in the order
    // they are recorded for undo: the target first, then the others; a field
    // changed twice is there twice.
    QList<FieldWrite> recorded;
    // The new states in the order written. The target is recorded first but
    // written only after the fields its old tile brought along are cleared.
    QList<FieldWrite> written;
};

// The message that refuses placement on fields, if any.
std::optional<RuleMessage> refusal(const BoardFields &fields, const Placement &placement, const RuleSet &rules);
// The checks of the board-edge conventions for field on cell (the wall
// checks, then the sides that must face inwards), as an application makes
// them for its target.
std::optional<RuleMessage> edgeRefusal(int cell, const Field &field, const RuleSet &rules);
// The belt tile that fits the neighbours of the placement's field: side
// inputs where a neighbouring belt runs in. Its own id when nothing changes,
// no belt has the fitted pattern, or its pattern is unusable.
int fitBelt(const BoardFields &fields, const Placement &placement, const RuleSet &rules);
// The checks, then the application: the fields of the replaced tile are
// cleared, the extra fields drawn and the belts fitted.
Application applyPlacement(const BoardFields &fields, const Placement &placement, const RuleSet &rules);
// A new board, field 0 first: random plates of the ground-plate group, and
// the group's wall plate on the wall positions when walls are needed there.
QList<FieldWrite> newBoardFill(const RuleSet &rules);

} // namespace kestrix
