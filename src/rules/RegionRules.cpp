#include "rules/RegionRules.h"

#include "board/BoardGrid.h"
#include "rules/BoardEdit.h"

#include <functional>

namespace kestrix {

namespace {

// The new state of field i of the region (row order), made on the edit.
using RegionContent = std::function<Field(BoardEdit &edit, int i)>;

bool hasExtraField(const TileCodes &codes, const Field &field, int direction)
{
    return !codes.attachedOnSide(field.tileId, localSide(direction, field.rotation)).isEmpty();
}

bool onBorder(const Region &region, int cell)
{
    for (int d = 0; d < 4; ++d) {
        if (!region.contains(neighbourIndex(cell, d)))
            return true;
    }
    return false;
}

// Every belt on the region's border fields and on the fields beside it
// takes the side inputs its neighbours give it, as the target of an
// application is fitted; row order.
void refitBelts(BoardEdit &edit, const Region &region, const RuleSet &rules)
{
    for (int cell = 0; cell < CellCount; ++cell) {
        const bool inside = region.contains(cell);
        bool besideRegion = false;
        for (int d = 0; d < 4 && !inside; ++d)
            besideRegion = besideRegion || region.contains(neighbourIndex(cell, d));
        const Field &field = edit.at(cell);
        if (!isBelt(field.tileId) || !(besideRegion || (inside && onBorder(region, cell))))
            continue;
        const int fitted = fitBelt(edit.fields(), {field.tileId, field.rotation, field.steps, cell, false}, rules);
        if (fitted != field.tileId)
            edit.change(cell, {fitted, field.rotation, field.steps});
    }
}

// The one way a region is written: every field of the rectangle is recorded,
// the tiles on it lose their extra fields outside it, the new states are
// made and checked as targets, written in row order, and the belts around
// are refitted.
RegionEdit writeRegion(const BoardFields &fields, const Region &region, const RegionContent &content,
                       const RuleSet &rules)
{
    RegionEdit result;
    BoardEdit edit(fields, rules);
    const int count = region.fieldCount();
    for (int i = 0; i < count; ++i)
        edit.record(region.cell(i));
    const auto inside = [&region](int cell) { return region.contains(cell); };
    for (int i = 0; i < count; ++i)
        edit.removeAttachments(region.cell(i), inside);
    QList<Field> states;
    for (int i = 0; i < count; ++i)
        states.append(content(edit, i));
    for (int i = 0; i < count; ++i) {
        if (const auto message = edgeRefusal(region.cell(i), states[i], rules)) {
            result.edgeRefusal = message;
            result.field = region.cell(i);
            return result;
        }
    }
    result.rectangleStart = edit.writtenCount();
    for (int i = 0; i < count; ++i)
        edit.write(region.cell(i), states[i]);
    refitBelts(edit, region, rules);
    result.recorded = edit.takeRecorded();
    result.written = edit.takeWritten();
    return result;
}

RegionEdit refused(RegionProblem problem, int field)
{
    RegionEdit result;
    result.problem = problem;
    result.field = field;
    return result;
}

} // namespace

std::optional<int> separatedField(const BoardFields &fields, const Region &region, const TileCodes &codes)
{
    for (int cell = 0; cell < CellCount; ++cell) {
        for (int d = 0; d < 4; ++d) {
            const int n = neighbourIndex(cell, d);
            if (n >= 0 && region.contains(cell) != region.contains(n) && hasExtraField(codes, fields[size_t(cell)], d))
                return cell;
        }
    }
    return std::nullopt;
}

RegionClip copyRegion(const BoardFields &fields, const Region &region)
{
    RegionClip clip{region.width, region.height, {}};
    for (int i = 0; i < region.fieldCount(); ++i)
        clip.fields.append(fields[size_t(region.cell(i))]);
    return clip;
}

RegionEdit clearRegion(const BoardFields &fields, const Region &region, const RuleSet &rules)
{
    return writeRegion(
        fields, region, [&region](BoardEdit &edit, int i) { return edit.newBoardField(region.cell(i)); }, rules);
}

RegionEdit pasteRegion(const BoardFields &fields, const RegionClip &clip, int targetCell, const RuleSet &rules)
{
    const Region region = Region::at(targetCell, clip.width, clip.height);
    if (targetCell < 0 || targetCell >= CellCount || !region.fitsOnBoard() || clip.fields.size() != region.fieldCount())
        return refused(RegionProblem::OffBoard, targetCell);
    // A tile pasted must not point at an extra field outside what is pasted.
    for (int i = 0; i < region.fieldCount(); ++i) {
        for (int d = 0; d < 4; ++d) {
            const int n = neighbourIndex(region.cell(i), d);
            if (n >= 0 && !region.contains(n) && hasExtraField(rules.codes, clip.fields[i], d))
                return refused(RegionProblem::SeparatesExtraField, region.cell(i));
        }
    }
    return writeRegion(fields, region, [&clip](BoardEdit &, int i) { return clip.fields[i]; }, rules);
}

RegionEdit turnRegion(const BoardFields &fields, const Region &region, bool clockwise, const RuleSet &rules)
{
    if (!region.isSquare() || !region.fitsOnBoard())
        return refused(RegionProblem::NotSquare, region.firstCell());
    if (const auto cell = separatedField(fields, region, rules.codes))
        return refused(RegionProblem::SeparatesExtraField, *cell);
    // Field (column, row) of the turned region comes from the field that
    // turns onto it; rotations count quarter turns counter-clockwise.
    const int side = region.width;
    QList<int> sources;
    for (int i = 0; i < region.fieldCount(); ++i) {
        const int column = i % side;
        const int row = i / side;
        sources.append(region.cell(clockwise ? (side - 1 - column) * side + row : column * side + (side - 1 - row)));
    }
    const auto turned = [&](BoardEdit &, int i) {
        Field field = fields[size_t(sources[i])];
        field.rotation = ((field.rotation + (clockwise ? 3 : 1)) % 4 + 4) % 4;
        return field;
    };
    RegionEdit edit = writeRegion(fields, region, turned, rules);
    edit.sources = sources;
    return edit;
}

} // namespace kestrix
