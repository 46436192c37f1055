#include "app/RegionCommands.h"

#include "app/DeferredRandom.h"
#include "app/Editor.h"
#include "catalogue/ImageTransforms.h"
#include "document/RegionText.h"

#include <QFileInfo>

namespace kestrix {

namespace {

// The language key of each refusal, by RegionProblem.
constexpr const char *RefusalKeys[] = {"RegionSeparates", "RegionOffBoard", "RegionNotSquare"};

} // namespace

void RegionCommands::span(int cell)
{
    if (m_editor.isBoardOpen() && cell >= 0 && cell < CellCount)
        setRegion(Region::spanning(m_editor.selection().cell, cell));
}

void RegionCommands::selectWholeBoard()
{
    if (m_editor.isBoardOpen())
        setRegion(Region::wholeBoard());
}

void RegionCommands::drop()
{
    setRegion(std::nullopt);
}

Region RegionCommands::commandRegion() const
{
    return m_region.value_or(Region::at(m_editor.selection().cell, 1, 1));
}

void RegionCommands::setRegion(const std::optional<Region> &region)
{
    if (region == m_region)
        return;
    m_region = region;
    emit changed();
}

QByteArray RegionCommands::copy()
{
    if (!m_editor.isBoardOpen())
        return {};
    const Region region = commandRegion();
    if (const auto cell = separatedField(m_editor.cells(), region, m_editor.m_tileCodes)) {
        refuse(RegionProblem::SeparatesExtraField, *cell);
        return {};
    }
    return regionText(copyRegion(m_editor.cells(), region));
}

QByteArray RegionCommands::cut()
{
    const QByteArray text = copy();
    if (!text.isEmpty())
        clear();
    return text;
}

void RegionCommands::clear()
{
    if (!m_editor.isBoardOpen())
        return;
    DeferredRandom random(m_editor.m_random);
    commit(clearRegion(m_editor.cells(), commandRegion(), m_editor.ruleSet(random)), random);
}

// The clipboard is another program's as much as ours: only a text that
// parses exactly and names tiles this program has pictures of is pasted.
void RegionCommands::paste(const QByteArray &text)
{
    if (!m_editor.isBoardOpen())
        return;
    const std::optional<RegionClip> clip = parseRegionText(text);
    const auto unknownTile = [this](const Field &field) {
        return field.tileId < 0 || !QFileInfo(m_editor.m_cellPicture.tilePictureFileName(field.tileId)).isFile();
    };
    if (!clip || std::any_of(clip->fields.cbegin(), clip->fields.cend(), unknownTile)) {
        m_editor.m_prompter.message(m_editor.language().buildKeyMessage(
            QStringLiteral("RegionClipboard"), BoxType::Warning, {Answer::Ok}, QString()));
        return;
    }
    DeferredRandom random(m_editor.m_random);
    commit(pasteRegion(m_editor.cells(), *clip, m_editor.selection().cell, m_editor.ruleSet(random)), random);
}

void RegionCommands::turn(bool clockwise)
{
    if (!m_editor.isBoardOpen())
        return;
    DeferredRandom random(m_editor.m_random);
    commit(turnRegion(m_editor.cells(), commandRegion(), clockwise, m_editor.ruleSet(random)), random);
}

void RegionCommands::refuse(RegionProblem problem, int field)
{
    const QString argument = field >= 0 ? m_editor.language().fieldName(field) : QString();
    m_editor.m_prompter.message(m_editor.language().buildKeyMessage(QLatin1String(RefusalKeys[int(problem)]),
                                                                     BoxType::Warning, {Answer::Ok}, argument));
}

// A field turned with the region shows the picture it showed, turned: a
// quarter turn moves every pixel of a tile and of its step marks alike, so
// that is exactly the picture its new rotation composes, and no picture file
// is read again. Every other field is composed.
QList<QImage> RegionCommands::composePictures(const RegionEdit &edit, DeferredRandom &random)
{
    QList<QImage> pictures;
    pictures.reserve(edit.written.size());
    for (qsizetype k = 0; k < edit.written.size(); ++k) {
        const qsizetype i = k - edit.rectangleStart;
        if (i < 0 || i >= edit.sources.size()) {
            pictures.append(m_editor.composeFieldPictures({edit.written[k]}, &random).first());
            continue;
        }
        const int from = edit.sources[i];
        const int quarterTurns = ((edit.written[k].field.rotation - m_editor.cells()[size_t(from)].rotation) % 4 + 4) % 4;
        pictures.append(turnBitmap(quarterTurns, m_editor.fieldPicture(from)));
    }
    return pictures;
}

// A selection taken from the board shows the target field's new tile, as
// after an undo; a tile picked from the palette stays.
void RegionCommands::commit(const RegionEdit &edit, DeferredRandom &random)
{
    if (edit.problem) {
        refuse(*edit.problem, edit.field);
        return;
    }
    if (edit.edgeRefusal) {
        m_editor.showMessage(int(*edit.edgeRefusal));
        return;
    }
    const int target = m_editor.selection().cell;
    std::optional<Field> targetField;
    for (const FieldWrite &write : edit.written) {
        if (write.cell == target)
            targetField = write.field;
    }
    const bool reselect = targetField && m_editor.selectionFromBoard();
    const QImage selectionPicture = reselect ? m_editor.composeFieldSelection(*targetField) : QImage();
    const QList<QImage> pictures = composePictures(edit, random);
    random.commitAll();
    m_editor.commitChange(edit.recorded, edit.written, pictures);
    if (reselect)
        m_editor.takeFieldIntoSelection(target, selectionPicture);
}

} // namespace kestrix
