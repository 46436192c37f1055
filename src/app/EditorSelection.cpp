#include "app/Editor.h"

#include "catalogue/ImageTransforms.h"
#include "util/Utils.h"

namespace kestrix {

void Editor::setStepPanelVisible(bool visible)
{
    if (visible == m_stepPanelVisible)
        return;
    m_stepPanelVisible = visible;
    emit stepPanelVisibilityChanged(visible);
}

void Editor::setStepBox(int i, bool ticked)
{
    if (i < 0 || i >= 5)
        return;
    m_stepBoxes[size_t(i)] = ticked;
}

QString Editor::stepFlagsFromBoxes() const
{
    QString flags;
    for (bool ticked : m_stepBoxes)
        flags += ticked ? u'1' : u'0';
    return flags;
}

void Editor::setStepBoxes(const QString &flags)
{
    for (int i = 0; i < 5; ++i)
        m_stepBoxes[size_t(i)] = i < flags.size() && flags[i] == u'1';
    emit stepBoxesChanged();
}

void Editor::applyStepBoxes()
{
    redrawSelection(stepFlagsFromBoxes());
}

void Editor::setAllStepsBox(bool ticked)
{
    m_allStepsBox = ticked;
}

void Editor::applyAllStepsBox()
{
    m_stepBoxes.fill(m_allStepsBox);
    emit stepBoxesChanged();
    applyStepBoxes();
}

void Editor::turnSelectionCounterClockwise()
{
    turnSelection(1);
}

void Editor::turnSelectionHalf()
{
    turnSelection(2);
}

void Editor::turnSelectionClockwise()
{
    turnSelection(3);
}

// The picture shown is turned as it stands, step marks and all; the next
// redraw composes it afresh from the tile and the new rotation.
void Editor::turnSelection(int quarterTurns)
{
    // A rotation read from a board file may lie outside 0..3.
    m_selection.rotation = ((m_selection.rotation + quarterTurns) % 4 + 4) % 4;
    m_selection.picture = turnBitmap(quarterTurns, m_selection.picture);
    emit selectionChanged();
}

void Editor::selectField(int cell)
{
    if (cell < 0 || cell >= CellCount)
        return;
    takeFieldIntoSelection(cell, composeFieldSelection(m_cells[size_t(cell)]));
    m_regions.drop();
}

// The picture the selection shows for a field: its large picture with the
// steps its boxes will tick.
QImage Editor::composeFieldSelection(const Field &field)
{
    QString flags;
    for (int i = 0; i < 5; ++i)
        flags += i < field.steps.size() && field.steps[i] == u'1' ? u'1' : u'0';
    return composeSelectionPicture(field.tileId, flags, field.rotation);
}

void Editor::takeFieldIntoSelection(int cell, QImage picture)
{
    const Field &field = m_cells[size_t(cell)];
    emit cursorMoved(cell);
    m_selection.cell = cell;
    m_selection.tileId = field.tileId;
    m_selection.rotation = field.rotation;
    setStepBoxes(field.steps);
    m_selection.picture = std::move(picture);
    emit selectionChanged();
    setStepPanelVisible(!m_catalogue.value(QStringLiteral("S") + fiveDigitId(m_selection.tileId)).isEmpty());
    m_selectionFromBoard = true;
}

} // namespace kestrix
