#include "catalogue/StepMarks.h"

#include "catalogue/Catalogue.h"
#include "util/Utils.h"

#include <algorithm>

namespace kestrix {

namespace {

// Reads (x, y) pairs of three digits each from an Array text; characters
// beyond its end read as empty text and so as 0.
class PairReader
{
public:
    explicit PairReader(QString digits) : m_digits(std::move(digits)) {}

    void next(int &x, int &y)
    {
        x = number(m_pos);
        y = number(m_pos + 3);
        m_pos += 6;
    }

private:
    // The three characters at pos, read in place: a catalogue with many
    // step-mark lines would otherwise allocate a string per number.
    int number(qsizetype pos) const
    {
        const qsizetype length = std::clamp<qsizetype>(m_digits.size() - pos, 0, 3);
        return toIntOrZero(QString::fromRawData(m_digits.constData() + std::min(pos, m_digits.size()), length));
    }

    QString m_digits;
    qsizetype m_pos = 0;
};

template<typename Record>
void fillHeader(Record &record, int id, const QString &value)
{
    record[0] = id;
    record[1] = toIntOrZero(subFieldValue(QStringLiteral("Font"), value));
    record[2] = toIntOrZero(subFieldValue(QStringLiteral("BG"), value));
}

template<typename Record>
const Record *findRecord(const std::vector<Record> &table, int id)
{
    const auto it = std::find_if(table.begin(), table.end(),
                                 [id](const Record &record) { return record[0] == id; });
    return it == table.end() ? nullptr : &*it;
}

} // namespace

QString subFieldValue(const QString &name, const QString &text)
{
    const QString tag = name + QLatin1Char(':');
    const qsizetype p = text.indexOf(tag);
    // A missing sub-field is empty: reading on from some other place of the
    // text would give a number that was never written.
    if (p < 0)
        return {};
    QString value = text.mid(p + tag.size());
    const qsizetype star = value.indexOf(QLatin1Char('*'));
    if (star >= 0)
        value.truncate(star);
    return value;
}

StepMarkTables loadStepMarks(const Catalogue &catalogue)
{
    StepMarkTables tables;
    for (const QByteArray &line : catalogue.lines()) {
        // Only upper-case S lines describe step marks.
        if (!line.startsWith('S'))
            continue;
        const int id = toIntOrZero(QString::fromLatin1(line.mid(1, 5)));
        const QString value = QString::fromLatin1(line.mid(7));
        PairReader pairs(subFieldValue(QStringLiteral("Array"), value));
        if (value.startsWith(QLatin1Char('1'))) {
            ByCountRecord &record = tables.byCount.emplace_back();
            record.fill(0);
            fillHeader(record, id, value);
            for (int c = 1; c <= 5; ++c) {
                for (int j = 1; j <= c; ++j) {
                    const int at = byCountPairIndex(c, j);
                    pairs.next(record[size_t(at)], record[size_t(at) + 1]);
                }
            }
        } else {
            PerStepRecord &record = tables.perStep.emplace_back();
            record.fill(0);
            fillHeader(record, id, value);
            for (int step = 1; step <= 5; ++step) {
                const int at = perStepPairIndex(step);
                pairs.next(record[size_t(at)], record[size_t(at) + 1]);
            }
        }
    }
    return tables;
}

const PerStepRecord *findStepMarkRecord(const std::vector<PerStepRecord> &table, int id)
{
    return findRecord(table, id);
}

const ByCountRecord *findStepMarkRecord(const std::vector<ByCountRecord> &table, int id)
{
    return findRecord(table, id);
}

} // namespace kestrix
