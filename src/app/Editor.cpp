#include "app/Editor.h"

#include "util/Utils.h"

namespace kestrix {

Editor::Editor(Prompter &prompter, QObject *parent)
    : QObject(parent), m_prompter(prompter)
{
    for (int n = 0; n < CellCount; ++n)
        m_cells[size_t(n)].CellNumber = n;
}

Editor::~Editor() = default;

int Editor::random(int m)
{
    if (m <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, m - 1)(m_random);
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
    m_stepClicksSuppressed = true;
    for (int i = 0; i < 5; ++i)
        m_stepBoxes[size_t(i)] = i < flags.size() && flags[i] == u'1';
    m_stepClicksSuppressed = false;
    emit stepBoxesChanged();
}

void Editor::ImgKarteClick(int cell)
{
    const TImgKarte &field = m_cells[size_t(cell)];
    emit cursorMoved(cell);
    m_selection.CellNumber = field.CellNumber;
    m_selection.Tag = field.Tag;
    m_selection.Rotation = field.Rotation;
    SetStepBoxes(field.StepFlags);
    emit selectionChanged();
    const bool hasMarks = !m_catalogue.CatalogueValue(QStringLiteral("S") + Id5(m_selection.Tag)).isEmpty();
    if (hasMarks != m_panel4Visible) {
        m_panel4Visible = hasMarks;
    }
    emit panel4VisibilityChanged(m_panel4Visible);
    m_selectionFromBoard = true;
}

} // namespace kestrix
