#include "app/Editor.h"

namespace kestrix {

void Editor::RecordUndo(int n, bool groupStart)
{
    if (n < 0 || n >= CellCount)
        return;
    m_undoRing.RecordUndo(m_cells[size_t(n)], groupStart);
    emit undoChanged(m_undoRing.canUndo());
}

// Takes back one whole application, newest field first. The pictures are
// composed before anything changes, so a picture that cannot be read leaves
// the board and the ring as they were.
void Editor::Menu1_UndoClick()
{
    if (!m_undoRing.canUndo())
        return;
    UndoRing ring = m_undoRing;
    const QList<UndoEntry> entries = ring.takeBackGroup();
    QList<QImage> pictures;
    pictures.reserve(entries.size());
    for (const UndoEntry &entry : entries) {
        QImage picture;
        m_cellPicture.RedrawCellPicture(entry.tileId, 0, picture, entry.stepFlags, entry.rotation);
        pictures.append(picture);
    }

    m_undoRing = ring;
    bool selectedFieldRestored = false;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const UndoEntry &entry = entries[i];
        TImgKarte &field = m_cells[size_t(entry.cellNumber)];
        field.Tag = entry.tileId;
        field.Rotation = entry.rotation;
        field.StepFlags = entry.stepFlags;
        field.picture = pictures[i];
        emit cellChanged(entry.cellNumber);
        selectedFieldRestored = selectedFieldRestored || entry.cellNumber == m_selection.CellNumber;
    }
    emit undoChanged(m_undoRing.canUndo());
    // The selection shows the restored field again only when it was taken
    // from the board; a tile picked from the palette stays.
    if (selectedFieldRestored && m_selectionFromBoard)
        ImgKarteClick(m_selection.CellNumber);
}

} // namespace kestrix
