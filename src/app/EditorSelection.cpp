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
    // The view follows inside the suppressed stretch, so a box it ticks
    // does not count as a click.
    m_stepClicksSuppressed = true;
    for (int i = 0; i < 5; ++i)
        m_stepBoxes[size_t(i)] = i < flags.size() && flags[i] == u'1';
    emit stepBoxesChanged();
    m_stepClicksSuppressed = false;
}

void Editor::applyStepBoxes()
{
    if (m_stepClicksSuppressed)
        return;
    redrawSelection(stepFlagsFromBoxes());
}

void Editor::setAllStepsBox(bool ticked)
{
    m_allStepsBox = ticked;
}

void Editor::applyAllStepsBox()
{
    if (m_stepClicksSuppressed)
        return;
    m_stepClicksSuppressed = true;
    m_stepBoxes.fill(m_allStepsBox);
    emit stepBoxesChanged();
    m_stepClicksSuppressed = false;
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
    m_selection.Rotation = ((m_selection.Rotation + quarterTurns) % 4 + 4) % 4;
    m_selection.picture = TurnBitmap(quarterTurns, m_selection.picture);
    emit selectionChanged();
}

void Editor::selectField(int cell)
{
    if (cell < 0 || cell >= CellCount)
        return;
    takeFieldIntoSelection(cell, composeFieldSelection(m_cells[size_t(cell)]));
}

// The picture the selection shows for a field: its large picture with the
// steps its boxes will tick.
QImage Editor::composeFieldSelection(const TImgKarte &field)
{
    QString flags;
    for (int i = 0; i < 5; ++i)
        flags += i < field.StepFlags.size() && field.StepFlags[i] == u'1' ? u'1' : u'0';
    return composeSelectionPicture(field.Tag, flags, field.Rotation);
}

void Editor::takeFieldIntoSelection(int cell, QImage picture)
{
    const TImgKarte &field = m_cells[size_t(cell)];
    emit cursorMoved(cell);
    m_selection.CellNumber = field.CellNumber;
    m_selection.Tag = field.Tag;
    m_selection.Rotation = field.Rotation;
    setStepBoxes(field.StepFlags);
    m_selection.picture = std::move(picture);
    emit selectionChanged();
    setStepPanelVisible(!m_catalogue.CatalogueValue(QStringLiteral("S") + Id5(m_selection.Tag)).isEmpty());
    m_selectionFromBoard = true;
}

} // namespace kestrix
