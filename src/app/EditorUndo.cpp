#include "app/Editor.h"

#include <QSet>

namespace kestrix {

namespace {

UndoEntry stateOf(const TImgKarte &field)
{
    return {field.Tag, field.CellNumber, field.Rotation, field.StepFlags, false};
}

// What the fields of a group hold now, each field once, in the order the
// application changed them (the target first). entries come newest first.
QList<UndoEntry> currentStates(const BoardCells &cells, const QList<UndoEntry> &entries)
{
    QList<UndoEntry> states;
    QSet<int> seen;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (seen.contains(it->cellNumber))
            continue;
        seen.insert(it->cellNumber);
        states.append(stateOf(cells[size_t(it->cellNumber)]));
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
    m_undoRing.recordUndo(m_cells[size_t(n)], groupStart);
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
        ring.recordUndo(m_cells[size_t(state.cellNumber)], state.groupStart);
    writeStates(ring, states);
}

// Composes the pictures of states, then makes ring the undo ring and writes
// the states to their fields in order. The board now differs from its file
// as much as after an application, so it counts as changed.
void Editor::writeStates(const UndoRing &ring, const QList<UndoEntry> &states)
{
    QList<QImage> pictures;
    pictures.reserve(states.size());
    for (const UndoEntry &state : states) {
        QImage picture;
        m_cellPicture.RedrawCellPicture(state.tileId, 0, picture, state.stepFlags, state.rotation);
        pictures.append(picture);
    }

    m_undoRing = ring;
    bool selectedFieldRestored = false;
    for (qsizetype i = 0; i < states.size(); ++i) {
        const UndoEntry &state = states[i];
        TImgKarte &field = m_cells[size_t(state.cellNumber)];
        field.Tag = state.tileId;
        field.Rotation = state.rotation;
        field.StepFlags = state.stepFlags;
        field.picture = pictures[i];
        emit cellChanged(state.cellNumber);
        selectedFieldRestored = selectedFieldRestored || state.cellNumber == m_selection.CellNumber;
    }
    emit undoChanged(m_undoRing.canUndo());
    emit redoChanged(m_undoRing.canRedo());
    setBoardModified(true);
    // The selection shows the restored field again only when it was taken
    // from the board; a tile picked from the palette stays.
    if (selectedFieldRestored && m_selectionFromBoard)
        selectField(m_selection.CellNumber);
}

} // namespace kestrix
