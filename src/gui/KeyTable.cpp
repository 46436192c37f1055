#include "gui/KeyTable.h"

#include "board/Field.h"
#include "language/Language.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace kestrix {

namespace {

constexpr QKeyCombination key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyCombination(modifiers, k);
}

using P = KeyPlace;
using C = KeyCommand;

// Bindings with the same place and text are one line of the list of keys.
constexpr KeyBinding Bindings[] = {
    {P::Board, key(Qt::Key_Left), C::Left, "KeyBoardMove"},
    {P::Board, key(Qt::Key_Right), C::Right, "KeyBoardMove"},
    {P::Board, key(Qt::Key_Up), C::Up, "KeyBoardMove"},
    {P::Board, key(Qt::Key_Down), C::Down, "KeyBoardMove"},
    {P::Board, key(Qt::Key_Left, Qt::ShiftModifier), C::SpanLeft, "KeyBoardSpan"},
    {P::Board, key(Qt::Key_Right, Qt::ShiftModifier), C::SpanRight, "KeyBoardSpan"},
    {P::Board, key(Qt::Key_Up, Qt::ShiftModifier), C::SpanUp, "KeyBoardSpan"},
    {P::Board, key(Qt::Key_Down, Qt::ShiftModifier), C::SpanDown, "KeyBoardSpan"},
    {P::Board, key(Qt::Key_Home), C::RowStart, "KeyRowStart"},
    {P::Board, key(Qt::Key_End), C::RowEnd, "KeyRowEnd"},
    {P::Board, key(Qt::Key_Home, Qt::ControlModifier), C::FirstField, "KeyFirstField"},
    {P::Board, key(Qt::Key_End, Qt::ControlModifier), C::LastField, "KeyLastField"},
    {P::Board, key(Qt::Key_Return), C::Apply, "KeyApply"},
    {P::Board, key(Qt::Key_Enter), C::Apply, "KeyApply"},
    {P::Window, key(Qt::Key_R), C::TurnClockwise, "KeyTurnClockwise"},
    {P::Window, key(Qt::Key_R, Qt::ShiftModifier), C::TurnCounterClockwise, "KeyTurnCounterClockwise"},
    {P::Window, key(Qt::Key_T), C::TurnHalf, "KeyTurnHalf"},
    {P::Window, key(Qt::Key_1), C::Step1, "KeyStep"},
    {P::Window, key(Qt::Key_2), C::Step2, "KeyStep"},
    {P::Window, key(Qt::Key_3), C::Step3, "KeyStep"},
    {P::Window, key(Qt::Key_4), C::Step4, "KeyStep"},
    {P::Window, key(Qt::Key_5), C::Step5, "KeyStep"},
    {P::Window, key(Qt::Key_0), C::AllSteps, "KeyAllSteps"},
    {P::Window, key(Qt::Key_PageUp, Qt::ControlModifier), C::PreviousPage, "KeyPreviousPage"},
    {P::Window, key(Qt::Key_PageDown, Qt::ControlModifier), C::NextPage, "KeyNextPage"},
    {P::Window, key(Qt::Key_F6), C::NextPart, "KeyNextPart"},
    {P::Window, key(Qt::Key_F6, Qt::ShiftModifier), C::PreviousPart, "KeyPreviousPart"},
    {P::Window, key(Qt::Key_Escape), C::DropRegion, "KeyDropRegion"},
    {P::FocusChain, key(Qt::Key_Tab), C::NextControl, "KeyNextControl"},
    {P::FocusChain, key(Qt::Key_Tab, Qt::ShiftModifier), C::PreviousControl, "KeyPreviousControl"},
    {P::Palette, key(Qt::Key_Left), C::Left, "KeyPaletteMove"},
    {P::Palette, key(Qt::Key_Right), C::Right, "KeyPaletteMove"},
    {P::Palette, key(Qt::Key_Up), C::Up, "KeyPaletteMove"},
    {P::Palette, key(Qt::Key_Down), C::Down, "KeyPaletteMove"},
    {P::Palette, key(Qt::Key_Home), C::RowStart, "KeyPaletteFirst"},
    {P::Palette, key(Qt::Key_End), C::RowEnd, "KeyPaletteLast"},
    {P::Palette, key(Qt::Key_Space), C::Pick, "KeyPick"},
    {P::Palette, key(Qt::Key_Return), C::Pick, "KeyPick"},
    {P::Palette, key(Qt::Key_Enter), C::Pick, "KeyPick"},
};

// Key names as a keyboard labels them; other keys are named by the window system.
constexpr struct
{
    Qt::Key key;
    const char *textKey;
} KeyNames[] = {
    {Qt::Key_Left, "KeyNameLeft"},
    {Qt::Key_Right, "KeyNameRight"},
    {Qt::Key_Up, "KeyNameUp"},
    {Qt::Key_Down, "KeyNameDown"},
    {Qt::Key_Home, "KeyNameHome"},
    {Qt::Key_End, "KeyNameEnd"},
    {Qt::Key_PageUp, "KeyNamePageUp"},
    {Qt::Key_PageDown, "KeyNamePageDown"},
    {Qt::Key_Return, "KeyNameReturn"},
    {Qt::Key_Enter, "KeyNameEnter"},
    {Qt::Key_Space, "KeyNameSpace"},
    {Qt::Key_Tab, "KeyNameTab"},
    {Qt::Key_Delete, "KeyNameDelete"},
    {Qt::Key_Escape, "KeyNameEscape"},
};

} // namespace

std::span<const KeyBinding> keyBindings()
{
    return Bindings;
}

std::optional<KeyCommand> keyCommand(KeyPlace place, const QKeyEvent &event)
{
    const QKeyCombination pressed(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const KeyBinding &binding : Bindings) {
        if (binding.place == place && binding.key == pressed)
            return binding.command;
    }
    return std::nullopt;
}

int fieldAfterMove(int cell, KeyCommand command)
{
    const int row = cell / BoardSide;
    const int column = cell % BoardSide;
    switch (command) {
    case KeyCommand::Left:
    case KeyCommand::SpanLeft:
        return column > 0 ? cell - 1 : cell;
    case KeyCommand::Right:
    case KeyCommand::SpanRight:
        return column < BoardSide - 1 ? cell + 1 : cell;
    case KeyCommand::Up:
    case KeyCommand::SpanUp:
        return row > 0 ? cell - BoardSide : cell;
    case KeyCommand::Down:
    case KeyCommand::SpanDown:
        return row < BoardSide - 1 ? cell + BoardSide : cell;
    case KeyCommand::RowStart:
        return row * BoardSide;
    case KeyCommand::RowEnd:
        return row * BoardSide + BoardSide - 1;
    case KeyCommand::FirstField:
        return 0;
    case KeyCommand::LastField:
        return CellCount - 1;
    default:
        return cell;
    }
}

QString keyText(QKeyCombination key, const Language &language)
{
    QString text;
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        text += language.ctrlText().isEmpty() ? QStringLiteral("Strg+") : language.ctrlText();
    if (modifiers & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    if (modifiers & Qt::ShiftModifier)
        text += language.text(QStringLiteral("KeyNameShift"));
    for (const auto &name : KeyNames) {
        if (name.key == key.key())
            return text + language.text(QLatin1String(name.textKey));
    }
    return text + QKeySequence(key.key()).toString(QKeySequence::NativeText);
}

QString bindingText(const KeyBinding &binding, const Language &language)
{
    return language.text(QLatin1String(binding.textKey));
}

} // namespace kestrix
