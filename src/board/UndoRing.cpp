#include "board/UndoRing.h"

namespace kestrix {

void UndoRing::recordUndo(int cell, const Field &field, bool groupStart)
{
    if (groupStart)
        m_droppingCutGroup = false;
    else if (m_droppingCutGroup)
        return;

    UndoEntry &entry = m_slots[size_t(m_undoPos)];
    entry.cell = cell;
    entry.field = field;
    entry.field.steps.truncate(5);
    entry.groupStart = groupStart;

    ++m_undoPos;
    if (m_undoPos > SlotCount - 1) {
        m_undoPos = 0;
        m_droppingCutGroup = true;
    }
}

QList<UndoEntry> UndoRing::takeBackGroup()
{
    QList<UndoEntry> entries;
    while (m_undoPos > 0) {
        --m_undoPos;
        const UndoEntry &entry = m_slots[size_t(m_undoPos)];
        entries.append(entry);
        if (entry.groupStart)
            break;
    }
    return entries;
}

void UndoRing::clear()
{
    m_undoPos = 0;
    m_droppingCutGroup = false;
    m_redoGroups.clear();
}

void UndoRing::keepForRedo(QList<UndoEntry> states)
{
    if (!states.isEmpty())
        m_redoGroups.append(std::move(states));
}

QList<UndoEntry> UndoRing::takeRedoGroup()
{
    return m_redoGroups.isEmpty() ? QList<UndoEntry>() : m_redoGroups.takeLast();
}

} // namespace kestrix
