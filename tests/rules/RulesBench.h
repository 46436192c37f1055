#pragma once

#include "catalogue/Catalogue.h"
#include "rules/BoardRules.h"

#include <QList>
#include <QString>

#include <random>

namespace kestrix {

// Uniform numbers from a seeded generator, drawn as the program draws them.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(quint32 seed = 5489u) : generator(seed) {}
    int random(int m) override
    {
        return m <= 0 ? 0 : std::uniform_int_distribution<int>(0, m - 1)(generator);
    }

    std::mt19937 generator;
};

// A board, a catalogue of the given lines and the conventions, for the rules
// alone: no pictures, no language.
class RulesBench
{
public:
    explicit RulesBench(const QList<QByteArray> &catalogueLines) { catalogue.setLines(catalogueLines); }

    RuleSet rules() { return {codes, conventions, plateGroup, plateCount, random}; }

    void place(int n, int tile, int rotation = 0, const QString &steps = QStringLiteral("00000"))
    {
        fields[size_t(n)] = {tile, rotation, steps};
    }

    // Applies the placement; unless it is refused, the board takes every
    // state written, in order.
    Application apply(int cell, int tile, int rotation, const QString &steps = QStringLiteral("00000"),
                      bool stepsRequired = false)
    {
        const Application application = applyPlacement(fields, {tile, rotation, steps, cell, stepsRequired}, rules());
        for (const FieldWrite &write : application.written)
            fields[size_t(write.cell)] = write.field;
        return application;
    }

    int fitBelt(int cell, int tile, int rotation)
    {
        return kestrix::fitBelt(fields, {tile, rotation, QString(), cell, false}, rules());
    }

    // What undo gives back: the recorded states written newest first.
    static BoardFields undone(BoardFields fields, const Application &application)
    {
        for (auto it = application.recorded.crbegin(); it != application.recorded.crend(); ++it)
            fields[size_t(it->cell)] = it->field;
        return fields;
    }

    Catalogue catalogue;
    TileCodes codes{catalogue};
    Conventions conventions;
    int plateGroup = 0;
    int plateCount = 1;
    SeededRandom random;
    BoardFields fields;
};

// The cells of a list of states, in order.
inline QList<int> cellsOf(const QList<FieldWrite> &states)
{
    QList<int> cells;
    for (const FieldWrite &state : states)
        cells.append(state.cell);
    return cells;
}

} // namespace kestrix
