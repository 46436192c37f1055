#include "gui/MainWindow.h"

#include "gui/BoardPanel.h"
#include "gui/CellView.h"
#include "gui/KeyTable.h"
#include "gui/PalettePanel.h"
#include "util/Utils.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace kestrix {

namespace {

QString activeSteps(const QString &flags)
{
    QStringList steps;
    for (int i = 0; i < 5 && i < flags.size(); ++i) {
        if (flags[i] == u'1')
            steps.append(QString::number(i + 1));
    }
    return steps.join(u' ');
}

} // namespace

// The names follow the language; the board's cells and the selection are
// named afresh whenever they are asked for or change.
void MainWindow::showAccessibleNames()
{
    const Language &language = m_editor.language();
    m_boardPanel->setAccessibleName(language.text(QStringLiteral("AccBoard")));
    m_selectionPanel->setAccessibleName(language.text(QStringLiteral("AccSelectionPanel")));
    m_paletteTabs->setAccessibleName(language.text(QStringLiteral("AccPalette")));
    const std::array<KeyCommand, 3> turns{KeyCommand::TurnCounterClockwise, KeyCommand::TurnHalf,
                                          KeyCommand::TurnClockwise};
    for (size_t i = 0; i < turns.size(); ++i) {
        for (const KeyBinding &binding : keyBindings()) {
            if (binding.command == turns[i] && binding.place == KeyPlace::Window)
                m_turnButtons[i]->setAccessibleName(bindingText(binding, language));
        }
        m_turnButtons[i]->setAccessibleDescription(keysOf(turns[i]));
    }
    m_applyButton->setAccessibleDescription(keysOf(KeyCommand::Apply));
    for (int i = 0; i < 5; ++i) {
        if (m_stepBoxes[size_t(i)])
            m_stepBoxes[size_t(i)]->setAccessibleDescription(keysOf(KeyCommand(int(KeyCommand::Step1) + i)));
    }
    m_allStepsBox->setAccessibleDescription(keysOf(KeyCommand::AllSteps));
    for (int p = 0; p < m_paletteTabs->count(); ++p)
        m_palettePages[size_t(p)]->setAccessibleName(m_paletteTabs->tabText(p).remove(u'&'));
    for (PalettePanel *panel : m_palettePanels) {
        for (qsizetype i = 0; panel && i < panel->tiles().size(); ++i)
            panel->tiles()[i]->setAccessibleName(elementName(panel->tileId(i)));
    }
    showSelectionName();
}

void MainWindow::showSelectionName()
{
    if (!m_selectionCell)
        return;
    const Selection &selection = m_editor.selection();
    const QString tile = tileDescription(selection.tileId, selection.rotation, m_editor.stepFlagsFromBoxes());
    m_selectionCell->setAccessibleName(m_editor.language().filledText(QStringLiteral("AccSelection"), {tile}));
}

// "Zeile 3, Spalte 5: Band 01013, gedreht um 90°, Schritte 1 3", row and
// column counted from 1.
QString MainWindow::fieldName(int cell) const
{
    if (cell < 0 || cell >= CellCount)
        return QString();
    const Field &field = m_editor.cells()[size_t(cell)];
    return m_editor.language().filledText(QStringLiteral("AccField"),
                                          {QString::number(cell / BoardSide + 1), QString::number(cell % BoardSide + 1),
                                           tileDescription(field.tileId, field.rotation, field.steps)});
}

// The turn in degrees counter-clockwise, as the rotation counts it, and the
// active steps where there are any.
QString MainWindow::tileDescription(int tileId, int rotation, const QString &steps) const
{
    const Language &language = m_editor.language();
    const int degrees = ((rotation % 4 + 4) % 4) * 90;
    QString text = language.filledText(QStringLiteral("AccTile"), {elementName(tileId), QString::number(degrees)});
    if (const QString active = activeSteps(steps); !active.isEmpty())
        text += language.filledText(QStringLiteral("AccSteps"), {active});
    return text;
}

// The name of the palette page the tile is on and its id. A tile that is
// not on the palette itself (a belt fitted to its neighbours, a plate of a
// group) goes with the nearest tile below it in its hundred that is.
QString MainWindow::elementName(int tileId) const
{
    int page = -1;
    int pageTile = -1;
    for (const PaletteEntry &entry : m_editor.resources().palette().entries) {
        if (entry.tag / 100 == tileId / 100 && entry.tag <= tileId && entry.tag > pageTile) {
            page = entry.page;
            pageTile = entry.tag;
        }
    }
    if (page < 0 || page >= m_paletteTabs->count())
        return fiveDigitId(tileId);
    return m_paletteTabs->tabText(page).remove(u'&') + u' ' + fiveDigitId(tileId);
}

// The keys of a command, as the list of keys shows them.
QString MainWindow::keysOf(KeyCommand command) const
{
    QStringList keys;
    for (const KeyBinding &binding : keyBindings()) {
        if (binding.command == command && binding.place != KeyPlace::Palette)
            keys.append(keyText(binding.key, m_editor.language()));
    }
    return keys.join(QStringLiteral(", "));
}

} // namespace kestrix
