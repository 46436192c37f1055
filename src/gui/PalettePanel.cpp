#include "gui/PalettePanel.h"

#include "gui/CellView.h"
#include "gui/KeyTable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>

namespace kestrix {

namespace {

constexpr int SlotsPerRow = 4;

} // namespace

PalettePanel::PalettePanel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PalettePanel::addTile(CellView *tile, int slot, int id)
{
    const auto at = std::upper_bound(m_slots.cbegin(), m_slots.cend(), slot);
    const qsizetype index = at - m_slots.cbegin();
    m_slots.insert(index, slot);
    m_tiles.insert(index, tile);
    m_ids.insert(index, id);
    // Only the focused picture is in the focus chain, through this panel:
    // Tab goes past the page, not through every picture on it.
    tile->setFocusPolicy(Qt::ClickFocus);
    tile->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
}

void PalettePanel::keyPressEvent(QKeyEvent *event)
{
    const std::optional<KeyCommand> command = keyCommand(KeyPlace::Palette, *event);
    if (!command || m_tiles.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (*command == KeyCommand::Pick)
        emit m_tiles[m_focus]->clicked(Qt::NoModifier);
    else
        focusTileAt(tileAfter(int(*command)), Qt::OtherFocusReason);
}

// The focus lies on a picture; the panel hands it on. Shift+Tab from the
// picture comes here first and goes on to what lies before the page.
void PalettePanel::focusInEvent(QFocusEvent *event)
{
    if (m_leavingBackwards) {
        m_leavingBackwards = false;
        focusPreviousChild();
        return;
    }
    focusTileAt(m_focus, event->reason());
}

int PalettePanel::tileAfter(int command) const
{
    const int last = int(m_tiles.size()) - 1;
    const int slot = m_slots[m_focus];
    switch (KeyCommand(command)) {
    case KeyCommand::Left:
        return std::max(m_focus - 1, 0);
    case KeyCommand::Right:
        return std::min(m_focus + 1, last);
    case KeyCommand::RowStart:
        return 0;
    case KeyCommand::RowEnd:
        return last;
    case KeyCommand::Up: {
        // The last picture at least a row above.
        const auto above = std::upper_bound(m_slots.cbegin(), m_slots.cend(), slot - SlotsPerRow);
        return above == m_slots.cbegin() ? m_focus : int(above - m_slots.cbegin()) - 1;
    }
    case KeyCommand::Down: {
        // The first picture at least a row below.
        const auto below = std::lower_bound(m_slots.cbegin(), m_slots.cend(), slot + SlotsPerRow);
        return below == m_slots.cend() ? m_focus : int(below - m_slots.cbegin());
    }
    default:
        return m_focus;
    }
}

void PalettePanel::focusTileAt(int index, Qt::FocusReason reason)
{
    if (index < 0 || index >= m_tiles.size())
        return;
    m_focus = index;
    CellView *tile = m_tiles[index];
    tile->setFocus(reason);
    for (QWidget *up = parentWidget(); up; up = up->parentWidget()) {
        if (auto *scrollArea = qobject_cast<QScrollArea *>(up)) {
            scrollArea->ensureWidgetVisible(tile, 8, 8);
            break;
        }
    }
}

bool PalettePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        // A click focuses the picture it hits.
        if (const qsizetype index = m_tiles.indexOf(static_cast<CellView *>(watched)); index >= 0)
            m_focus = int(index);
        update();
    } else if (event->type() == QEvent::FocusOut) {
        m_leavingBackwards = static_cast<QFocusEvent *>(event)->reason() == Qt::BacktabFocusReason
                             && QApplication::focusWidget() == this;
        update();
    }
    return QWidget::eventFilter(watched, event);
}

// The frame lies in the gap around the focused picture, which it leaves
// uncovered.
void PalettePanel::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    CellView *tile = focusTile();
    if (!tile || !tile->hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(tile->geometry()).adjusted(-2, -2, 2, 2));
}

} // namespace kestrix
