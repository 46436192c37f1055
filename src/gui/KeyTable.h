#pragma once

#include <QKeyCombination>
#include <QString>

#include <optional>
#include <span>

class QKeyEvent;

namespace kestrix {

class Language;

// Where a key works: on the board or a palette page while it has the focus,
// anywhere in the main window, or in the window's focus chain (Tab, which
// the window system moves along the order the window sets).
enum class KeyPlace { Board, Palette, Window, FocusChain };

enum class KeyCommand {
    Left,
    Right,
    Up,
    Down,
    SpanLeft,
    SpanRight,
    SpanUp,
    SpanDown,
    RowStart,
    RowEnd,
    FirstField,
    LastField,
    Apply,
    TurnClockwise,
    TurnCounterClockwise,
    TurnHalf,
    Step1,
    Step2,
    Step3,
    Step4,
    Step5,
    AllSteps,
    NextPart,
    PreviousPart,
    NextControl,
    PreviousControl,
    PreviousPage,
    NextPage,
    Pick,
    DropRegion,
};

// One key of the editor. The window installs its keys from this table, the
// board and the palette look theirs up in it, and the list of keys shown to
// the user is read from it, so the three cannot disagree.
struct KeyBinding
{
    KeyPlace place;
    QKeyCombination key;
    KeyCommand command;
    const char *textKey; // language key of what the key does
};

std::span<const KeyBinding> keyBindings();

// The command of a key pressed in place; none for a key without one there.
// A key of the number pad counts as the same key elsewhere.
std::optional<KeyCommand> keyCommand(KeyPlace place, const QKeyEvent &event);

// The field a board key moves the target field from cell to: one step, or to
// the row's or the board's ends; never past the edge (cell itself then).
int fieldAfterMove(int cell, KeyCommand command);

// A key as the user reads it, with the modifier and key names of the
// language ("Strg+Pos1").
QString keyText(QKeyCombination key, const Language &language);

// What binding does, in the language.
QString bindingText(const KeyBinding &binding, const Language &language);

} // namespace kestrix
