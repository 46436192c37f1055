#pragma once

#include "board/Field.h"

#include <QList>
#include <QString>

#include <array>

namespace kestrix {

// One saved state of one board field, taken just before a change.
struct UndoEntry
{
    int cell = 0;
    Field field; // its steps at most five characters, as the field held them
    bool groupStart = false; // the first entry of one application (its target field)

    bool operator==(const UndoEntry &other) const = default;
};

// The fixed ring of saved field states behind "Rückgängig". Every application
// of a tile writes one group: its target field first (groupStart), then every
// other field it changes. Undo takes back one whole group, newest entry first.
//
// Beside the ring lies the redo list: for every group taken back, the states
// its fields had just before, so "Wiederholen" can write them again exactly,
// random ground plates included. A new application empties it.
//
// The ring does not run round like a true ring: after its last slot it starts
// again at slot 0 with nothing left to take back, and undo never walks below
// slot 0.
class UndoRing
{
public:
    static constexpr int SlotCount = 1000;

    // The slot the next entry goes to; also the slot above the entry that
    // undo takes back next.
    int undoPos() const { return m_undoPos; }
    bool canUndo() const { return m_undoPos > 0; }

    // Saves the state of field cell before a change.
    void recordUndo(int cell, const Field &field, bool groupStart);

    // Takes back the newest group: the entries in the order they are to be
    // written back to the board (newest first, the group's target field
    // last). Stops after slot 0 even inside a group. Empty when there is
    // nothing to take back.
    QList<UndoEntry> takeBackGroup();

    // Nothing left to take back or to redo (new, opened or closed board).
    void clear();

    bool canRedo() const { return !m_redoGroups.isEmpty(); }
    // Keeps the states that the fields of a group just taken back had before,
    // in the order they are to be written again (the target field first).
    void keepForRedo(QList<UndoEntry> states);
    // The newest kept group, removed from the redo list; empty when there is
    // none.
    QList<UndoEntry> takeRedoGroup();
    // A new application: what was taken back can no longer be redone.
    void clearRedo() { m_redoGroups.clear(); }

private:
    std::array<UndoEntry, SlotCount> m_slots;
    int m_undoPos = 0;
    // Set when the ring started again at slot 0 in the middle of a group: the
    // rest of that group is not kept, so undo can never take back only the
    // tail of an application and leave its first fields changed.
    bool m_droppingCutGroup = false;
    QList<QList<UndoEntry>> m_redoGroups; // the newest last
};

} // namespace kestrix
