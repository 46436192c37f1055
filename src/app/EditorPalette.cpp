#include "app/Editor.h"

#include "catalogue/ImageTransforms.h"

namespace kestrix {

namespace {

constexpr int CounterPage = 5; // "Zähler": its elements are active in steps
constexpr int FirstBeltId = 1000;
constexpr int GroupSize = 100;

} // namespace

void Editor::pickTile(int tag)
{
    int id = tag;
    // A ground plate on the palette stands for its group. The draw stays
    // within the group whichever of its plates the palette shows, so it never
    // lands on a plate that has no picture.
    if (id < FirstBeltId) {
        const int group = id / GroupSize;
        id = group * GroupSize + random(m_palette.groundPlateCount(group));
    }
    // The large picture as it is, without step marks; read before anything
    // changes, so a picture that cannot be read leaves the selection as it was.
    QImage &work = m_cellPicture.workBitmap();
    work = loadBitmap(m_cellPicture.tilePictureFileName(largePictureId(id)));
    m_selection.tileId = id;
    m_selection.rotation = 0;
    m_selection.picture = turnBitmap(0, work);
    emit selectionChanged();

    setStepPanelVisible(m_activePalettePage == CounterPage);
    // The boxes follow the fresh tile, none ticked.
    m_allStepsBox = false;
    setStepBoxes(QStringLiteral("00000"));
    m_selectionFromBoard = false;
}

void Editor::requestTileDefinition(int tag)
{
    if (m_settings.OpAdministration)
        emit tileDefinitionRequested(tag);
}

// The settings know what a stored colour value paints, system colours too.
QImage Editor::paintCursor() const
{
    return CellPicture::paintCursor(colorFromValue(m_settings.OpCursorColor));
}

} // namespace kestrix
