#include "gui/BoardPanel.h"

#include <QAccessible>
#include <QKeyEvent>

namespace kestrix {

BoardPanel::BoardPanel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

QString BoardPanel::fieldName(int cell) const
{
    return m_fieldNames ? m_fieldNames(cell) : QString();
}

bool BoardPanel::setShowsBoard(bool shows)
{
    if (shows == m_showsBoard)
        return false;
    m_showsBoard = shows;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
    return true;
}

void BoardPanel::setTargetField(int cell)
{
    m_target = cell;
    notifyField(cell, QAccessible::Selection);
    if (hasFocus())
        notifyField(cell, QAccessible::Focus);
}

void BoardPanel::fieldChanged(int cell)
{
    notifyField(cell, QAccessible::NameChanged);
}

void BoardPanel::notifyField(int cell, int type)
{
    if (!m_showsBoard)
        return;
    QAccessibleEvent event(this, QAccessible::Event(type));
    event.setChild(cell);
    QAccessible::updateAccessibility(&event);
}

void BoardPanel::keyPressEvent(QKeyEvent *event)
{
    const std::optional<KeyCommand> command = keyCommand(KeyPlace::Board, *event);
    if (!command || !m_showsBoard) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit commandKeyPressed(*command);
}

// Whoever comes to the board hears the target field first.
void BoardPanel::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    notifyField(m_target, QAccessible::Focus);
}

} // namespace kestrix
