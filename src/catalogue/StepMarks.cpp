#include "catalogue/StepMarks.h"

namespace kestrix {

// Placeholder bodies until the step-mark tables are built.
QString SubFieldValue(const QString &, const QString &) { return {}; }
StepMarkTables LoadStepMarks(const Catalogue &) { return {}; }
const PerStepRecord *FindStepMarkRecord(const std::vector<PerStepRecord> &, int) { return nullptr; }
const ByCountRecord *FindStepMarkRecord(const std::vector<ByCountRecord> &, int) { return nullptr; }

} // namespace kestrix
