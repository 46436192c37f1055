#include "app/Editor.h"

#include <QSet>

#include <algorithm>

namespace kestrix {

namespace {

// What the fields of a group hold now, each field once, in the order the
// application changed them (the target first). entries come newest first.
QList<UndoEntry> currentStates(const BoardFields &cells, const QList<UndoEntry> &entries)
{
    QList<UndoEntry> states;
    QSet<int> seen;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (seen.contains(it->cell))
            continue;
        seen.insert(it->cell);
        states.append({it->cell, cells[size_t(it->cell)], false});
    }
    if (!states.isEmpty())
        states.first().groupStart = true;
    return states;
}

} // namespace

void Editor::recordUndo(int n, bool groupStart)
{
    if (n < 0 || n >= CellCount)
        return;
    m_undoRing.recordUndo(n, m_cells[size_t(n)], groupStart);
    emit undoChanged(m_undoRing.canUndo());
}

// Takes back one whole application, newest field first, and keeps what the
// fields held for redo. The pictures are composed before anything changes,
// so a picture that cannot be read leaves the board and the ring as they were.
void Editor::undoApplication()
{
    if (!m_undoRing.canUndo())
        return;
    UndoRing ring = m_undoRing;
    const QList<UndoEntry> entries = ring.takeBackGroup();
    ring.keepForRedo(currentStates(m_cells, entries));
    writeStates(ring, entries);
}

// Writes again what the last undo took back, as one new group of the ring,
// so that undo and redo can follow each other. Nothing is drawn anew.
void Editor::redoApplication()
{
    if (!m_undoRing.canRedo())
        return;
    UndoRing ring = m_undoRing;
    const QList<UndoEntry> states = ring.takeRedoGroup();
    for (const UndoEntry &state : states)
        ring.recordUndo(state.cell, m_cells[size_t(state.cell)], state.groupStart);
    writeStates(ring, states);
}

// Composes the pictures of states, then makes ring the undo ring and writes
// the states to their fields in order. The board now differs from its file
// as much as after an application, so it counts as changed.
void Editor::writeStates(const UndoRing &ring, const QList<UndoEntry> &states)
{
    QList<FieldWrite> writes;
    for (const UndoEntry &state : states)
        writes.append({state.cell, state.field, 0});
    const QList<QImage> pictures = composeFieldPictures(writes);

    m_undoRing = ring;
    m_regions.drop();
    writeFields(writes, pictures);
    const bool selectedFieldRestored = std::any_of(states.cbegin(), states.cend(), [this](const UndoEntry &state) {
        return state.cell == m_selection.cell;
    });
    emit undoChanged(m_undoRing.canUndo());
    emit redoChanged(m_undoRing.canRedo());
    setBoardModified(true);
    // The selection shows the restored field again only when it was taken
    // from the board; a tile picked from the palette stays.
    if (selectedFieldRestored && m_selectionFromBoard)
        selectField(m_selection.cell);
}

} // namespace kestrix
