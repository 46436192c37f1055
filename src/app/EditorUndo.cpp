#include "app/Editor.h"

namespace kestrix {

void Editor::RecordUndo(int n, bool groupStart)
{
    m_undoRing.RecordUndo(m_cells[size_t(n)], groupStart);
    emit undoChanged(m_undoRing.canUndo());
}

} // namespace kestrix
