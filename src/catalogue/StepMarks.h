#pragma once

#include <QString>

#include <array>
#include <vector>

namespace kestrix {

class Catalogue;

// Records of the two step-mark tables. Per-step: id, Font, BG, then x, y for
// steps 1..5. By-count: id, Font, BG, then 5 rows of 5 (x, y) pairs; pair j
// of row c is at 3 + (c - 1) * 10 + (j - 1) * 2.
using PerStepRecord = std::array<int, 13>;
using ByCountRecord = std::array<int, 53>;

// Position of the x of step (1..5) in a per-step record; y follows it.
constexpr int perStepPairIndex(int step) { return 3 + (step - 1) * 2; }
// Position of the x of pair j of row c (both 1..5) in a by-count record.
constexpr int byCountPairIndex(int c, int j) { return 3 + (c - 1) * 10 + (j - 1) * 2; }

struct StepMarkTables
{
    std::vector<PerStepRecord> perStep;
    std::vector<ByCountRecord> byCount;
};

// The text after "name:" up to the next "*" (or the end); empty when the
// sub-field is missing.
QString subFieldValue(const QString &name, const QString &text);
StepMarkTables loadStepMarks(const Catalogue &catalogue);

// The first record with that tile id; nullptr when there is none.
const PerStepRecord *findStepMarkRecord(const std::vector<PerStepRecord> &table, int id);
const ByCountRecord *findStepMarkRecord(const std::vector<ByCountRecord> &table, int id);

} // namespace kestrix
