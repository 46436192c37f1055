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
    {P::Board, key(Qt::Key_Left), C::Left, "KeyBoardMove", "Zielfeld ein Feld weiter setzen, wie ein Klick darauf"},
    {P::Board, key(Qt::Key_Right), C::Right, "KeyBoardMove", nullptr},
    {P::Board, key(Qt::Key_Up), C::Up, "KeyBoardMove", nullptr},
    {P::Board, key(Qt::Key_Down), C::Down, "KeyBoardMove", nullptr},
    {P::Board, key(Qt::Key_Left, Qt::ShiftModifier), C::SpanLeft, "KeyBoardSpan",
     "Bereich vom Zielfeld aus um ein Feld aufziehen oder verkleinern"},
    {P::Board, key(Qt::Key_Right, Qt::ShiftModifier), C::SpanRight, "KeyBoardSpan", nullptr},
    {P::Board, key(Qt::Key_Up, Qt::ShiftModifier), C::SpanUp, "KeyBoardSpan", nullptr},
    {P::Board, key(Qt::Key_Down, Qt::ShiftModifier), C::SpanDown, "KeyBoardSpan", nullptr},
    {P::Board, key(Qt::Key_Home), C::RowStart, "KeyRowStart", "Erstes Feld der Zeile"},
    {P::Board, key(Qt::Key_End), C::RowEnd, "KeyRowEnd", "Letztes Feld der Zeile"},
    {P::Board, key(Qt::Key_Home, Qt::ControlModifier), C::FirstField, "KeyFirstField", "Erstes Feld der Platte"},
    {P::Board, key(Qt::Key_End, Qt::ControlModifier), C::LastField, "KeyLastField", "Letztes Feld der Platte"},
    {P::Board, key(Qt::Key_Return), C::Apply, "KeyApply", "Auswahl auf das Zielfeld übernehmen"},
    {P::Board, key(Qt::Key_Enter), C::Apply, "KeyApply", nullptr},
    {P::Window, key(Qt::Key_R), C::TurnClockwise, "KeyTurnClockwise", "Auswahl im Uhrzeigersinn drehen"},
    {P::Window, key(Qt::Key_R, Qt::ShiftModifier), C::TurnCounterClockwise, "KeyTurnCounterClockwise",
     "Auswahl gegen den Uhrzeigersinn drehen"},
    {P::Window, key(Qt::Key_T), C::TurnHalf, "KeyTurnHalf", "Auswahl halb herum drehen"},
    {P::Window, key(Qt::Key_1), C::Step1, "KeyStep", "Schritt der Ziffer an- oder abwählen"},
    {P::Window, key(Qt::Key_2), C::Step2, "KeyStep", nullptr},
    {P::Window, key(Qt::Key_3), C::Step3, "KeyStep", nullptr},
    {P::Window, key(Qt::Key_4), C::Step4, "KeyStep", nullptr},
    {P::Window, key(Qt::Key_5), C::Step5, "KeyStep", nullptr},
    {P::Window, key(Qt::Key_0), C::AllSteps, "KeyAllSteps", "„Alle Schritte“ an- oder abwählen"},
    {P::Window, key(Qt::Key_PageUp, Qt::ControlModifier), C::PreviousPage, "KeyPreviousPage", "Vorige Seite der Palette"},
    {P::Window, key(Qt::Key_PageDown, Qt::ControlModifier), C::NextPage, "KeyNextPage", "Nächste Seite der Palette"},
    {P::Window, key(Qt::Key_F6), C::NextPart, "KeyNextPart", "Nächster Bereich: Platte, Auswahl, Palette"},
    {P::Window, key(Qt::Key_F6, Qt::ShiftModifier), C::PreviousPart, "KeyPreviousPart", "Voriger Bereich"},
    {P::Window, key(Qt::Key_Escape), C::DropRegion, "KeyDropRegion", "Bereich aufheben"},
    {P::FocusChain, key(Qt::Key_Tab), C::NextControl, "KeyNextControl", "Nächstes Bedienelement"},
    {P::FocusChain, key(Qt::Key_Tab, Qt::ShiftModifier), C::PreviousControl, "KeyPreviousControl",
     "Voriges Bedienelement"},
    {P::Palette, key(Qt::Key_Left), C::Left, "KeyPaletteMove", "Fokus zum vorigen oder nächsten Element der Seite"},
    {P::Palette, key(Qt::Key_Right), C::Right, "KeyPaletteMove", nullptr},
    {P::Palette, key(Qt::Key_Up), C::Up, "KeyPaletteMove", nullptr},
    {P::Palette, key(Qt::Key_Down), C::Down, "KeyPaletteMove", nullptr},
    {P::Palette, key(Qt::Key_Home), C::RowStart, "KeyPaletteFirst", "Erstes Element der Seite"},
    {P::Palette, key(Qt::Key_End), C::RowEnd, "KeyPaletteLast", "Letztes Element der Seite"},
    {P::Palette, key(Qt::Key_Space), C::Pick, "KeyPick", "Element mit dem Fokus wählen, wie ein Klick darauf"},
    {P::Palette, key(Qt::Key_Return), C::Pick, "KeyPick", nullptr},
    {P::Palette, key(Qt::Key_Enter), C::Pick, "KeyPick", nullptr},
};

// Key names as a keyboard labels them; other keys are named by the window system.
constexpr struct
{
    Qt::Key key;
    const char *textKey;
    const char *german;
} KeyNames[] = {
    {Qt::Key_Left, "KeyNameLeft", "Pfeil links"},
    {Qt::Key_Right, "KeyNameRight", "Pfeil rechts"},
    {Qt::Key_Up, "KeyNameUp", "Pfeil oben"},
    {Qt::Key_Down, "KeyNameDown", "Pfeil unten"},
    {Qt::Key_Home, "KeyNameHome", "Pos1"},
    {Qt::Key_End, "KeyNameEnd", "Ende"},
    {Qt::Key_PageUp, "KeyNamePageUp", "Bild auf"},
    {Qt::Key_PageDown, "KeyNamePageDown", "Bild ab"},
    {Qt::Key_Return, "KeyNameReturn", "Eingabe"},
    {Qt::Key_Enter, "KeyNameEnter", "Enter (Ziffernblock)"},
    {Qt::Key_Space, "KeyNameSpace", "Leertaste"},
    {Qt::Key_Tab, "KeyNameTab", "Tab"},
    {Qt::Key_Delete, "KeyNameDelete", "Entf"},
    {Qt::Key_Escape, "KeyNameEscape", "Esc"},
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
        text += languageText(language, "KeyNameShift", "Umschalt+");
    for (const auto &name : KeyNames) {
        if (name.key == key.key())
            return text + languageText(language, name.textKey, name.german);
    }
    return text + QKeySequence(key.key()).toString(QKeySequence::NativeText);
}

// The German text stands once, on the first binding of its line.
QString bindingText(const KeyBinding &binding, const Language &language)
{
    for (const KeyBinding &first : Bindings) {
        if (qstrcmp(first.textKey, binding.textKey) == 0 && first.german)
            return languageText(language, first.textKey, first.german);
    }
    return language.text(QLatin1String(binding.textKey));
}

QString languageText(const Language &language, const char *key, const char *german)
{
    const QString text = language.text(QLatin1String(key));
    return text.isEmpty() ? QString::fromUtf8(german) : text;
}

} // namespace kestrix
