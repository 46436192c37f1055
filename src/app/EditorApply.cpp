#include "app/Editor.h"

#include "util/Utils.h"

#include <QVarLengthArray>

#include <algorithm>

namespace kestrix {

namespace {

// Message table entries of the five refusals.
constexpr int NoWallAllowedMessage = 2;
constexpr int WallNeededMessage = 3;
constexpr int NoStepMessage = 4;
constexpr int LeadsOffBoardMessage = 5;
constexpr int SameTileMessage = 6;

constexpr int BeltPatternLength = 6;

bool isBeltTile(int id)
{
    return id / 1000 == 1;
}

// "W", "A", "N" or "C" + id5 + the local side digit.
QString sideKey(char letter, int id, int side)
{
    return QLatin1Char(letter) + Id5(id) + QString::number(side);
}

// A D value the fitting can work on; empty when the tile has none or one too
// short to hold the four side codes and the extra element. A belt without
// one is neither fitted nor adapted, and runs into nothing.
QString beltPattern(const Catalogue &catalogue, int id)
{
    QString pattern = catalogue.CatalogueValue(QStringLiteral("D") + Id5(id));
    return pattern.size() >= BeltPatternLength ? pattern : QString();
}

// The code of local side s: the pattern's character s + 2, counted from 1;
// nothing on any side of an empty pattern.
QChar sideCode(const QString &pattern, int side)
{
    const qsizetype at = side + 1;
    return at < pattern.size() ? pattern[at] : QLatin1Char('0');
}

// The directions of field p that lead off the board, in the order the edge
// checks take them: up, left, right, down.
QVarLengthArray<int, 2> outwardSides(int p)
{
    QVarLengthArray<int, 2> sides;
    if (p < BoardSide)
        sides.append(Up);
    if (p % BoardSide == 0)
        sides.append(Left);
    if ((p + 1) % BoardSide == 0)
        sides.append(Right);
    if (p >= CellCount - BoardSide)
        sides.append(Down);
    return sides;
}

// The message that refuses to apply the selection, or -1 when it may be
// applied.
int refusal(const Editor &editor)
{
    const TImgKarte &selection = editor.selection();
    const Settings &settings = editor.settings();
    const Catalogue &catalogue = editor.catalogue();
    const int p = selection.CellNumber;
    const int id = selection.Tag;
    const auto hasSideKey = [&](char letter, int d) {
        return catalogue.CatalogueHasKey(sideKey(letter, id, LocalSide(d, selection.Rotation)));
    };
    const auto anyOutwardKey = [&](char letter) {
        const auto sides = outwardSides(p);
        return std::any_of(sides.cbegin(), sides.cend(), [&](int d) { return hasSideKey(letter, d); });
    };

    if (settings.OpKonventNotWall && WallPositionSide(p) < 0 && IsBorderCell(p) && anyOutwardKey('W'))
        return NoWallAllowedMessage;
    if (const int d = WallPositionSide(p); settings.OpKonventNeedWall && d >= 0 && !hasSideKey('W', d))
        return WallNeededMessage;
    if (editor.stepPanelVisible() && !editor.stepFlagsFromBoxes().contains(QLatin1Char('1')))
        return NoStepMessage;
    if (settings.OpKonventField && IsBorderCell(p) && anyOutwardKey('C'))
        return LeadsOffBoardMessage;
    const int onField = editor.cells()[size_t(p)].Tag;
    if (catalogue.HasEntryPrefix(QStringLiteral("N") + Id5(onField)) && onField == id)
        return SameTileMessage;
    return -1;
}

// The application proper, once the checks have passed. Every field it
// changes is recorded first, the target as the group start.
void applyCheckedSelection(Editor &editor)
{
    TImgKarte &selection = editor.selection();
    const int p = selection.CellNumber;
    const int r = selection.Rotation;
    int id = selection.Tag;

    if (isBeltTile(id)) {
        const int fitted = editor.fitBelt(selection);
        if (fitted != id) {
            id = fitted;
            selection.Tag = fitted;
            editor.redrawSelection(editor.stepFlagsFromBoxes());
        }
    }

    editor.recordUndo(p, true);
    editor.removeAttachments(p);
    TImgKarte &target = editor.cells()[size_t(p)];
    const bool wasBelt = isBeltTile(target.Tag);
    target.Rotation = r;
    target.StepFlags = editor.stepFlagsFromBoxes();
    target.Tag = id;
    editor.redrawCell(p);
    editor.setBoardModified(true);
    if (isBeltTile(id) || wasBelt)
        editor.adaptNeighbourBelts(p);

    for (int i = 0; i < 4; ++i) {
        const QString added = editor.catalogue().CatalogueValue(sideKey('A', id, LocalSide(i, r)));
        const int n = NeighbourIndex(p, i);
        if (added.isEmpty() || n < 0)
            continue;
        // The tile that lay on n may claim the target as its own; the tile
        // just applied there must survive its removal.
        editor.removeAttachments(n, p);
        TImgKarte &field = editor.cells()[size_t(n)];
        const bool fieldWasBelt = isBeltTile(field.Tag);
        editor.recordUndo(n, false);
        field.Rotation = r;
        field.StepFlags = QStringLiteral("00000");
        field.Tag = StrToIntOrZero(added);
        editor.redrawCell(n);
        if (isBeltTile(field.Tag) || fieldWasBelt)
            editor.adaptNeighbourBelts(n);
    }
}

} // namespace

void Editor::applySelection()
{
    if (m_selection.CellNumber < 0 || m_selection.CellNumber >= CellCount)
        return;
    if (const int message = refusal(*this); message >= 0) {
        showMessage(message);
        return;
    }

    // A picture that cannot be read stops the application half way. Then the
    // board, the selection and the undo ring go back to how they were, so no
    // field keeps a tile whose picture was never drawn and no undo group is
    // left cut short.
    const BoardCells cells = m_cells;
    const TImgKarte selection = m_selection;
    const UndoRing undoRing = m_undoRing;
    const bool modified = m_document.modified();
    try {
        applyCheckedSelection(*this);
    } catch (...) {
        for (int n = 0; n < CellCount; ++n) {
            TImgKarte &field = m_cells[size_t(n)];
            const TImgKarte &old = cells[size_t(n)];
            if (!(field == old) || field.picture.cacheKey() != old.picture.cacheKey()) {
                field = old;
                emit cellChanged(n);
            }
        }
        if (!(m_selection == selection) || m_selection.picture.cacheKey() != selection.picture.cacheKey()) {
            m_selection = selection;
            emit selectionChanged();
        }
        m_undoRing = undoRing;
        emit undoChanged(m_undoRing.canUndo());
        setBoardModified(modified);
        throw;
    }
    m_selectionFromBoard = true;
    m_undoRing.clearRedo();
    emit redoChanged(false);
}

int Editor::fitBelt(const TImgKarte &selection) const
{
    const int p = selection.CellNumber;
    const int id = selection.Tag;
    const QString before = beltPattern(m_catalogue, id);
    if (before.isEmpty() || p < 0 || p >= CellCount)
        return id;

    QString pattern = before;
    for (int i = 0; i < 4; ++i) {
        const int s = LocalSide(i, selection.Rotation);
        const QChar code = sideCode(pattern, s);
        if (code == QLatin1Char('1') || code == QLatin1Char('3'))
            continue;
        const int n = NeighbourIndex(p, i);
        bool input = false;
        if (n < 0) {
            input = m_settings.OpKonventBelt && BeltEdgeSide(p) >= 0;
        } else if (const TImgKarte &neighbour = m_cells[size_t(n)]; isBeltTile(neighbour.Tag)) {
            const int t = LocalSide((i + 2) % 4, neighbour.Rotation);
            input = sideCode(beltPattern(m_catalogue, neighbour.Tag), t) == QLatin1Char('3');
        }
        pattern[s + 1] = QLatin1Char(input ? '2' : '0');
    }
    return pattern == before ? id : m_catalogue.FindBeltByPattern(pattern, id);
}

void Editor::removeAttachments(int cell, int spared)
{
    if (cell < 0 || cell >= CellCount)
        return;
    const int c = m_cells[size_t(cell)].Tag;
    const int rc = m_cells[size_t(cell)].Rotation;
    for (int i = 0; i < 4; ++i) {
        const int s = LocalSide(i, rc);
        QString belonging = m_catalogue.CatalogueValue(sideKey('A', c, s));
        if (belonging.isEmpty())
            belonging = m_catalogue.CatalogueValue(sideKey('N', c, s));
        const int n = NeighbourIndex(cell, i);
        if (belonging.isEmpty() || n < 0 || n == spared)
            continue;
        TImgKarte &field = m_cells[size_t(n)];
        const bool wasBelt = isBeltTile(field.Tag);
        recordUndo(n, false);
        // Rotation first, then the plate: the order the draws are made in.
        field.Rotation = random(4);
        field.StepFlags = QStringLiteral("00000");
        field.Tag = randomGroundPlate();
        redrawCell(n);
        if (wasBelt)
            adaptNeighbourBelts(n);
    }
}

void Editor::adaptNeighbourBelts(int cell)
{
    if (cell < 0 || cell >= CellCount)
        return;
    const int rc = m_cells[size_t(cell)].Rotation;
    QString own = beltPattern(m_catalogue, m_cells[size_t(cell)].Tag);
    if (own.isEmpty())
        own = QStringLiteral("000000");

    for (int i = 0; i < 4; ++i) {
        const int n = NeighbourIndex(cell, i);
        if (n < 0 || !isBeltTile(m_cells[size_t(n)].Tag))
            continue;
        TImgKarte &field = m_cells[size_t(n)];
        QString pattern = beltPattern(m_catalogue, field.Tag);
        // A belt without a usable pattern cannot be fitted; it stays as it is.
        if (pattern.isEmpty())
            continue;
        const int t = LocalSide((i + 2) % 4, field.Rotation);
        const QChar facing = pattern[t + 1];
        if (sideCode(own, LocalSide(i, rc)) == QLatin1Char('3')) {
            // A wall takes no input, and a belt running head-on keeps its
            // direction.
            if (facing == QLatin1Char('2') || facing == QLatin1Char('1') || facing == QLatin1Char('3'))
                continue;
            pattern[t + 1] = QLatin1Char('2');
        } else {
            if (facing != QLatin1Char('2'))
                continue;
            pattern[t + 1] = QLatin1Char('0');
        }
        recordUndo(n, false);
        field.Tag = m_catalogue.FindBeltByPattern(pattern, field.Tag);
        redrawCell(n);
    }
}

int Editor::randomGroundPlate()
{
    const int group = groundPlateGroup();
    return group * 100 + random(m_palette.GroundPlateCount(group));
}

} // namespace kestrix
