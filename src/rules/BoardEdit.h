#pragma once

#include "rules/BoardRules.h"

#include <functional>

namespace kestrix {

// A copy of the board that the rules change field by field, keeping what
// they record and write, and counting the random numbers they draw.
class BoardEdit
{
public:
    BoardEdit(const BoardFields &fields, const RuleSet &rules) : m_fields(fields), m_rules(rules) {}

    const BoardFields &fields() const { return m_fields; }
    const Field &at(int cell) const { return m_fields[size_t(cell)]; }
    void record(int cell) { m_recorded.append({cell, at(cell), m_draws}); }
    void write(int cell, const Field &field)
    {
        m_fields[size_t(cell)] = field;
        m_written.append({cell, field, m_draws});
    }
    // Records the field's state, then writes the new one.
    void change(int cell, const Field &field)
    {
        record(cell);
        write(cell, field);
    }
    int draw(int m)
    {
        ++m_draws;
        return m_rules.random.random(m);
    }
    int randomGroundPlate() { return m_rules.groundPlateGroup * 100 + draw(m_rules.groundPlateCount); }
    // What a new board holds on field k: the ground-plate group's wall plate
    // on a wall position when walls are needed there, else a random plate of
    // the group, the plate drawn before its rotation.
    Field newBoardField(int k);

    // Clears the fields that the tile on cell brought along or needs (its A
    // and N sides) to random ground plates; the fields spared are left alone.
    void removeAttachments(int cell, const std::function<bool(int)> &spared);
    // Adds or removes the side inputs of the belts beside cell, as the tile
    // on cell runs into them or not.
    void adaptNeighbourBelts(int cell);

    qsizetype writtenCount() const { return m_written.size(); }
    QList<FieldWrite> takeRecorded() { return std::move(m_recorded); }
    QList<FieldWrite> takeWritten() { return std::move(m_written); }

private:
    const TileCodes &codes() const { return m_rules.codes; }

    BoardFields m_fields;
    const RuleSet &m_rules;
    QList<FieldWrite> m_recorded;
    QList<FieldWrite> m_written;
    int m_draws = 0;
};

} // namespace kestrix
