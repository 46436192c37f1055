#include "app/Editor.h"

#include "util/Utils.h"

namespace kestrix {

void Editor::setPanel4Visible(bool visible)
{
    if (visible == m_panel4Visible)
        return;
    m_panel4Visible = visible;
    emit panel4VisibilityChanged(visible);
}

void Editor::setStepBox(int i, bool ticked)
{
    if (i < 0 || i >= 5)
        return;
    m_stepBoxes[size_t(i)] = ticked;
}

QString Editor::StepFlagsFromBoxes() const
{
    QString flags;
    for (bool ticked : m_stepBoxes)
        flags += ticked ? u'1' : u'0';
    return flags;
}

void Editor::SetStepBoxes(const QString &flags)
{
    // The view follows inside the suppressed stretch, so a box it ticks
    // does not count as a click.
    m_stepClicksSuppressed = true;
    for (int i = 0; i < 5; ++i)
        m_stepBoxes[size_t(i)] = i < flags.size() && flags[i] == u'1';
    emit stepBoxesChanged();
    m_stepClicksSuppressed = false;
}

void Editor::ByStepClick()
{
    if (m_stepClicksSuppressed)
        return;
    RedrawSelection(StepFlagsFromBoxes());
}

void Editor::ImgKarteClick(int cell)
{
    if (cell < 0 || cell >= CellCount)
        return;
    const TImgKarte &field = m_cells[size_t(cell)];
    emit cursorMoved(cell);
    m_selection.CellNumber = field.CellNumber;
    m_selection.Tag = field.Tag;
    m_selection.Rotation = field.Rotation;
    SetStepBoxes(field.StepFlags);
    ByStepClick();
    setPanel4Visible(!m_catalogue.CatalogueValue(QStringLiteral("S") + Id5(m_selection.Tag)).isEmpty());
    m_selectionFromBoard = true;
}

} // namespace kestrix
