#include "gui/MainWindow.h"

#include "gui/AboutDialog.h"
#include "gui/BoardAccessible.h"
#include "gui/BoardPanel.h"
#include "gui/FocusFrame.h"
#include "gui/KeyTable.h"
#include "gui/PalettePanel.h"
#include "gui/ShortcutDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

namespace kestrix {

namespace {

QString withoutMnemonic(QString text)
{
    return text.remove(u'&');
}

} // namespace

// The window's keys come from the key table; the board's and the palette's
// keys reach their widgets while these have the focus.
void MainWindow::installKeys()
{
    QAccessible::installFactory(accessibleFactory);
    for (const KeyBinding &binding : keyBindings()) {
        if (binding.place != KeyPlace::Window)
            continue;
        auto *shortcut = new QShortcut(QKeySequence(binding.key), this);
        connect(shortcut, &QShortcut::activated, this, [this, command = binding.command] { runKeyCommand(command); });
    }
    connect(m_boardPanel, &BoardPanel::commandKeyPressed, this, &MainWindow::runKeyCommand);
    connect(m_boardPanel, &BoardPanel::fieldActivated, this,
            [this](int cell) { runCommand([this, cell] { m_editor.selectField(cell); }); });
    m_boardPanel->setFieldNames([this](int cell) { return fieldName(cell); });
    for (QWidget *part : {static_cast<QWidget *>(m_boardPanel), static_cast<QWidget *>(m_selectionPanel),
                          static_cast<QWidget *>(m_paletteTabs)})
        new FocusFrame(part);

    connect(&m_editor, &Editor::cursorMoved, m_boardPanel, &BoardPanel::setTargetField);
    connect(&m_editor, &Editor::cellChanged, m_boardPanel, &BoardPanel::fieldChanged);
    connect(&m_editor, &Editor::selectionChanged, this, &MainWindow::showSelectionName);
    connect(&m_editor, &Editor::stepBoxesChanged, this, &MainWindow::showSelectionName);
    // A board that opens takes the focus, so its keys work at once.
    connect(&m_editor, &Editor::documentChanged, this, [this] {
        const bool open = m_editor.isBoardOpen();
        if (m_boardPanel->setShowsBoard(open) && open)
            m_boardPanel->setFocus(Qt::OtherFocusReason);
    });
}

// Tab goes from the board through the selection panel to the palette and
// round again.
void MainWindow::setFocusOrder()
{
    QList<QWidget *> chain{m_boardPanel};
    for (QToolButton *button : m_turnButtons)
        chain.append(button);
    chain.append(m_applyButton);
    for (QCheckBox *box : m_stepBoxes)
        chain.append(box);
    chain.append(m_allStepsBox);
    chain.append(m_paletteTabs);
    for (PalettePanel *panel : m_palettePanels)
        chain.append(panel);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::runKeyCommand(KeyCommand command)
{
    switch (command) {
    case KeyCommand::Left:
    case KeyCommand::Right:
    case KeyCommand::Up:
    case KeyCommand::Down:
    case KeyCommand::RowStart:
    case KeyCommand::RowEnd:
    case KeyCommand::FirstField:
    case KeyCommand::LastField:
        moveTarget(command);
        break;
    case KeyCommand::SpanLeft:
    case KeyCommand::SpanRight:
    case KeyCommand::SpanUp:
    case KeyCommand::SpanDown:
        moveRegionCorner(command);
        break;
    case KeyCommand::DropRegion:
        m_editor.regions().drop();
        break;
    case KeyCommand::NextPart:
    case KeyCommand::PreviousPart:
        focusPart(command == KeyCommand::NextPart ? 1 : -1);
        break;
    case KeyCommand::NextPage:
    case KeyCommand::PreviousPage:
        turnPalettePage(command == KeyCommand::NextPage ? 1 : -1);
        break;
    default:
        runSelectionKey(command);
        break;
    }
}

// The keys of the selection click its controls, so that they do exactly what
// a click does; the step keys only while the step boxes are shown.
void MainWindow::runSelectionKey(KeyCommand command)
{
    if (!m_selectionPanel->isVisible())
        return;
    const bool stepsShown = m_stepPanel->isVisible();
    switch (command) {
    case KeyCommand::Apply:
        m_applyButton->click();
        break;
    case KeyCommand::TurnCounterClockwise:
        m_turnButtons[0]->click();
        break;
    case KeyCommand::TurnHalf:
        m_turnButtons[1]->click();
        break;
    case KeyCommand::TurnClockwise:
        m_turnButtons[2]->click();
        break;
    case KeyCommand::Step1:
    case KeyCommand::Step2:
    case KeyCommand::Step3:
    case KeyCommand::Step4:
    case KeyCommand::Step5:
        if (stepsShown && m_stepBoxes[size_t(int(command) - int(KeyCommand::Step1))])
            m_stepBoxes[size_t(int(command) - int(KeyCommand::Step1))]->click();
        break;
    case KeyCommand::AllSteps:
        if (stepsShown)
            m_allStepsBox->click();
        break;
    default:
        break;
    }
}

// As a click on the field; a key that would leave the board, or stays on
// the target field, selects nothing, so a tile just picked stays.
void MainWindow::moveTarget(KeyCommand command)
{
    if (!m_editor.isBoardOpen())
        return;
    const int cell = m_editor.selection().cell;
    const int next = fieldAfterMove(cell, command);
    if (next != cell)
        runCommand([this, next] { m_editor.selectField(next); });
}

// Shift+arrows move the region's corner across from the target field, as a
// Shift+click on the field they lead to would; without a region that corner
// is the target field.
void MainWindow::moveRegionCorner(KeyCommand command)
{
    if (!m_editor.isBoardOpen())
        return;
    const int target = m_editor.selection().cell;
    const Region region = m_editor.regions().region().value_or(Region::at(target, 1, 1));
    const int column = target % BoardSide == region.left ? region.left + region.width - 1 : region.left;
    const int row = target / BoardSide == region.top ? region.top + region.height - 1 : region.top;
    const int corner = row * BoardSide + column;
    runCommand([this, next = fieldAfterMove(corner, command)] { m_editor.regions().span(next); });
}

void MainWindow::turnPalettePage(int step)
{
    if (!m_paletteTabs->isVisible())
        return;
    const bool focused = m_paletteTabs->isAncestorOf(QApplication::focusWidget());
    const int count = m_paletteTabs->count();
    m_paletteTabs->setCurrentIndex((m_paletteTabs->currentIndex() + step + count) % count);
    if (focused)
        focusPalette();
}

// F6: the board, the selection panel, the palette, of those shown.
void MainWindow::focusPart(int step)
{
    const std::array<QWidget *, 3> parts{m_boardPanel, m_selectionPanel, m_paletteTabs};
    const QWidget *focus = QApplication::focusWidget();
    int current = step > 0 ? 2 : 0;
    for (int i = 0; i < 3; ++i) {
        if (focus && (parts[size_t(i)] == focus || parts[size_t(i)]->isAncestorOf(focus)))
            current = i;
    }
    for (int n = 1; n <= 3; ++n) {
        const int i = (current + step * n + 6) % 3;
        if (!parts[size_t(i)]->isVisible())
            continue;
        if (i == 2)
            focusPalette();
        else
            (i == 0 ? static_cast<QWidget *>(m_boardPanel) : m_turnButtons[0])->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

// The focused picture of the page shown, or the page's tab without pictures.
void MainWindow::focusPalette()
{
    PalettePanel *panel = m_palettePanels[size_t(m_paletteTabs->currentIndex())];
    if (panel && !panel->tiles().isEmpty())
        panel->setFocus(Qt::ShortcutFocusReason);
    else
        m_paletteTabs->setFocus(Qt::ShortcutFocusReason);
}

QList<ShortcutRow> MainWindow::shortcutRows() const
{
    const Language &language = m_editor.language();
    QList<ShortcutRow> rows;
    for (const KeyBinding &binding : keyBindings()) {
        const QString place = binding.place == KeyPlace::Board     ? language.text(QStringLiteral("KeysPlaceBoard"))
                              : binding.place == KeyPlace::Palette ? language.text(QStringLiteral("KeysPlacePalette"))
                                                                   : language.text(QStringLiteral("KeysPlaceWindow"));
        const ShortcutRow row{place, keyText(binding.key, language), bindingText(binding, language)};
        if (!rows.isEmpty() && rows.last().place == row.place && rows.last().command == row.command)
            rows.last().keys += QStringLiteral(", ") + row.keys;
        else
            rows.append(row);
    }
    QList<QMenu *> menus;
    for (QAction *entry : menuBar()->actions()) {
        if (entry->menu())
            menus.append(entry->menu());
    }
    // Submenus follow their menu.
    for (qsizetype m = 0; m < menus.size(); ++m) {
        for (QAction *action : menus[m]->actions()) {
            if (action->menu())
                menus.append(action->menu());
            QStringList keys;
            for (const QKeySequence &shortcut : action->shortcuts()) {
                for (int k = 0; k < shortcut.count(); ++k)
                    keys.append(keyText(shortcut[k], language));
            }
            if (!keys.isEmpty())
                rows.append({withoutMnemonic(menus[m]->title()), keys.join(QStringLiteral(", ")),
                             withoutMnemonic(menuCaption(action))});
        }
    }
    return rows;
}

void MainWindow::showShortcutDialog()
{
    const Language &language = m_editor.language();
    const QString ok = language.buttonCaption(Answer::Ok);
    ShortcutDialog dialog(AboutDialog::titleFromCaption(menuCaption(m_menu.keys)),
                          {language.text(QStringLiteral("KeysColumnPlace")),
                           language.text(QStringLiteral("KeysColumnKeys")),
                           language.text(QStringLiteral("KeysColumnCommand"))},
                          shortcutRows(), ok.isEmpty() ? QStringLiteral("OK") : withoutMnemonic(ok), this);
    dialog.exec();
}

} // namespace kestrix
