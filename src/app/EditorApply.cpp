#include "app/Editor.h"

#include "app/DeferredRandom.h"

namespace kestrix {

Conventions Editor::conventions() const
{
    return {m_settings.OpKonventNeedWall, m_settings.OpKonventNotWall, m_settings.OpKonventBelt,
            m_settings.OpKonventField};
}

RuleSet Editor::ruleSet(RandomSource &random) const
{
    const int group = groundPlateGroup();
    return {m_tileCodes, conventions(), group, m_palette.groundPlateCount(group), random};
}

// The rules work out every change first; then the pictures are composed, the
// selection's first when its belt was fitted, and only then is anything
// written, so a picture that cannot be read leaves everything as it was.
void Editor::applySelection()
{
    if (m_selection.cell < 0 || m_selection.cell >= CellCount)
        return;
    const QString steps = stepFlagsFromBoxes();
    const Placement placement{m_selection.tileId, m_selection.rotation, steps, m_selection.cell, m_stepPanelVisible};
    DeferredRandom random(m_random);
    const Application application = applyPlacement(m_cells, placement, ruleSet(random));
    if (application.refusal) {
        showMessage(int(*application.refusal));
        return;
    }

    const bool fitted = application.fittedTile != m_selection.tileId;
    const QImage selectionPicture = fitted ? composeSelectionPicture(application.fittedTile, steps, m_selection.rotation)
                                           : QImage();
    const QList<QImage> pictures = composeFieldPictures(application.written, &random);
    random.commitAll();

    if (fitted) {
        m_selection.tileId = application.fittedTile;
        m_selection.picture = selectionPicture;
        emit selectionChanged();
    }
    m_regions.drop();
    commitChange(application.recorded, application.written, pictures);
    m_selectionFromBoard = true;
}

void Editor::commitChange(const QList<FieldWrite> &recorded, const QList<FieldWrite> &written,
                          const QList<QImage> &pictures)
{
    for (qsizetype i = 0; i < recorded.size(); ++i)
        m_undoRing.recordUndo(recorded[i].cell, recorded[i].field, i == 0);
    emit undoChanged(m_undoRing.canUndo());
    writeFields(written, pictures);
    setBoardModified(true);
    m_undoRing.clearRedo();
    emit redoChanged(false);
}

} // namespace kestrix
