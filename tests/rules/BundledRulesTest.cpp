// Many random applications of the rules on the bundled tile catalogue and
// sample boards. After each one the rules below must hold over the whole
// board; at the end the recorded states are written back group by group, and
// each must give the board as it was before the matching application. Half
// the runs move some belts into a family of their own, so that some fittings
// find no belt. The choices are seeded; a failure names its seed, and
// KESTRIX_APPLY_SEED=<seed> replays it (or tries other seeds).

#include "RulesBench.h"

#include "board/BoardGrid.h"
#include "document/BoardFile.h"
#include "support/QtPrinters.h"
#include "util/Utils.h"

#include <QDir>
#include <QList>
#include <QSet>

#include <gtest/gtest.h>

#include <random>

using namespace kestrix;

namespace {

QString binFolder()
{
    return QStringLiteral(KESTRIX_BIN_DIR "/");
}

quint32 baseSeed()
{
    const QByteArray seed = qgetenv("KESTRIX_APPLY_SEED");
    return seed.isEmpty() ? 20260001u : seed.toUInt();
}

// A belt's side codes may differ only where they say "0" or "2": fitting
// adds and removes inputs and never touches a wall, an output, the family or
// the extra element.
bool onlyInputsDiffer(const QString &a, const QString &b)
{
    if (a.size() != 6 || b.size() != 6 || a[0] != b[0] || a[5] != b[5])
        return false;
    const auto input = [](QChar c) { return c == u'0' || c == u'2'; };
    for (int k = 1; k <= 4; ++k) {
        if (a[k] != b[k] && !(input(a[k]) && input(b[k])))
            return false;
    }
    return true;
}

// The rules that hold after every application; each broken one is named.
class ApplicationRules
{
public:
    ApplicationRules(const RulesBench &bench, const BoardFields &before, const Placement &placement,
                     const Application &application)
        : m_bench(bench), m_before(before), m_after(bench.fields), m_placement(placement),
          m_fitted(application.fittedTile), m_group(application.recorded)
    {
        m_target = placement.cell;
        for (int i = 0; i < 4; ++i) {
            const int n = neighbourIndex(m_target, i);
            const QString key = QStringLiteral("A") + fiveDigitId(m_fitted) + QString::number(localSide(i, placement.rotation));
            if (n >= 0 && !catalogue().value(key).isEmpty())
                m_extra.insert(n);
        }
        for (const FieldWrite &entry : m_group)
            m_recorded.insert(entry.cell);
    }

    QStringList broken() const
    {
        QStringList broken;
        checkGroup(broken);
        // No cleared or extra field ever takes the target.
        const Field &target = m_after[m_target];
        if (target.rotation != m_placement.rotation || target.steps != m_placement.steps
            || (target.tileId != m_fitted && !onlyInputsDiffer(pattern(m_fitted), pattern(target.tileId))))
            broken << QStringLiteral("the target lost the applied tile");
        for (int n = 0; n < CellCount; ++n) {
            if (!(m_after[n] == m_before[n]) && !m_recorded.contains(n))
                broken << QStringLiteral("field %1 changed outside the undo group").arg(n);
            if (written(n) && n != m_target && m_after[n].steps != QStringLiteral("00000"))
                broken << QStringLiteral("field %1 was rewritten with the steps %2").arg(n).arg(m_after[n].steps);
            if (adaptedOnly(n) && !onlyInputsDiffer(pattern(m_before[n].tileId), pattern(m_after[n].tileId)))
                broken << QStringLiteral("belt %1 turned from %2 into %3").arg(n).arg(m_before[n].tileId).arg(m_after[n].tileId);
            if (written(n) && (isBelt(m_before[n].tileId) || isBelt(m_after[n].tileId)))
                checkBeltsBeside(n, broken);
        }
        if (isBelt(m_placement.tileId))
            checkFitting(broken);
        return broken;
    }

private:
    const Catalogue &catalogue() const { return m_bench.catalogue; }

    QString pattern(int id) const
    {
        return isBelt(id) ? catalogue().value(QStringLiteral("D") + fiveDigitId(id)) : QString();
    }

    // The side code that field shows in world direction d; "0" off a belt.
    QChar code(const Field &field, int d) const
    {
        const QString p = pattern(field.tileId);
        return p.size() == 6 ? p[localSide(d, field.rotation) + 1] : u'0';
    }

    // The application wrote this field itself: the target, an extra field, a
    // cleared field. Any other field changes only as a belt whose inputs are
    // adapted, keeping its turn and steps.
    bool written(int n) const
    {
        return n == m_target || m_extra.contains(n) || (!(m_after[n] == m_before[n]) && !adaptedOnly(n));
    }

    bool adaptedOnly(int n) const
    {
        const Field &was = m_before[n];
        const Field &is = m_after[n];
        return n != m_target && !m_extra.contains(n) && isBelt(was.tileId) && isBelt(is.tileId) && was.rotation == is.rotation
               && was.steps == is.steps && was.tileId != is.tileId;
    }

    // One group, its target first.
    void checkGroup(QStringList &broken) const
    {
        if (m_group.isEmpty() || m_group.first().cell != m_target)
            broken << QStringLiteral("the undo group does not begin with the target %1").arg(m_target);
    }

    // Beside a field the application wrote with a belt on it before or
    // after, every belt takes an input exactly where this field runs into it,
    // unless that belt was recorded: then the catalogue had no belt to fit.
    void checkBeltsBeside(int c, QStringList &broken) const
    {
        for (int d = 0; d < 4; ++d) {
            const int n = neighbourIndex(c, d);
            if (n < 0 || !isBelt(m_after[n].tileId) || m_recorded.contains(n))
                continue;
            const QChar out = code(m_after[c], d);
            const QChar in = code(m_after[n], (d + 2) % 4);
            if ((out == u'3' && in == u'0') || (out != u'3' && in == u'2'))
                broken << QStringLiteral("belt %1 does not fit field %2 and was not recorded").arg(n).arg(c);
        }
    }

    // The target belt keeps the chosen belt's walls and outputs; its other
    // sides are inputs exactly where a belt ran in on the board before (or
    // the board edge feeds it), when the catalogue has such a belt.
    void checkFitting(QStringList &broken) const
    {
        const int chosenTile = m_placement.tileId;
        const QString chosen = pattern(chosenTile);
        if (!onlyInputsDiffer(chosen, pattern(m_fitted)))
            broken << QStringLiteral("belt %1 was fitted as %2").arg(chosenTile).arg(m_fitted);
        QString wanted = chosen;
        for (int i = 0; i < 4; ++i) {
            const int s = localSide(i, m_placement.rotation);
            if (wanted[s + 1] == u'1' || wanted[s + 1] == u'3')
                continue;
            const int n = neighbourIndex(m_target, i);
            const bool input = n < 0 ? m_bench.conventions.belt && beltEdgeSide(m_target) >= 0
                                     : code(m_before[n], (i + 2) % 4) == u'3';
            wanted[s + 1] = input ? u'2' : u'0';
        }
        const int fitted = wanted == chosen ? chosenTile : catalogue().findBeltByPattern(wanted, chosenTile);
        if (m_fitted != fitted)
            broken << QStringLiteral("belt %1 was fitted as %2, expected %3 (%4)").arg(chosenTile).arg(m_fitted).arg(fitted).arg(wanted);
    }

    const RulesBench &m_bench;
    const BoardFields &m_before;
    const BoardFields &m_after;
    const Placement m_placement;
    const int m_fitted;
    const QList<FieldWrite> m_group;
    int m_target = 0;
    QSet<int> m_extra;
    QSet<int> m_recorded;
};

// The bundled catalogue, one sample board, the conventions and the seeded
// choices of one run.
class BundledRun
{
public:
    BundledRun(const QString &board, Conventions conventions, bool ownFamilies, quint32 seed)
        : m_bench({}), m_choices(seed)
    {
        QList<QByteArray> lines;
        Catalogue bundled;
        bundled.load(binFolder() + QStringLiteral("InitList.ini"));
        lines = bundled.lines();
        if (ownFamilies) {
            // Every third belt moves into family 9: a fitting or an adaptation
            // that would turn a belt into it finds none.
            int belts = 0;
            for (QByteArray &line : lines) {
                if (line.startsWith('D') && line.size() > 7 && belts++ % 3 == 1)
                    line[7] = '9';
            }
        }
        m_bench.catalogue.setLines(lines);
        m_bench.conventions = conventions;
        m_bench.plateCount = 3;
        m_bench.random.generator.seed(seed);
        m_bench.fields = loadBoardFile(binFolder() + QStringLiteral("Boards/") + board);

        // What the palette offers and every belt.
        for (const QByteArray &line : lines) {
            if (line.startsWith('P') || line.startsWith('D'))
                m_tiles.append(line.mid(1, 5).toInt());
        }
    }

    int choose(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_choices); }

    // A random tile on a random field, turned, with random steps; the steps
    // are required for the tiles that have step marks.
    Placement randomPlacement()
    {
        Placement placement;
        placement.cell = choose(CellCount);
        placement.tileId = m_tiles[choose(int(m_tiles.size()))];
        placement.rotation = choose(4);
        for (int i = 0; i < 5; ++i)
            placement.steps += choose(3) == 0 ? u'1' : u'0';
        placement.stepsRequired =
            !m_bench.catalogue.value(QStringLiteral("S") + fiveDigitId(placement.tileId)).isEmpty();
        return placement;
    }

    RulesBench &bench() { return m_bench; }

private:
    RulesBench m_bench;
    std::mt19937 m_choices;
    QList<int> m_tiles;
};

} // namespace

TEST(BundledRules, EveryApplicationKeepsTheRulesAndItsRecordedStatesGiveTheBoardBefore)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty()) << binFolder().toStdString();

    for (int mask = 0; mask < 16; ++mask) {
        const Conventions conventions{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0};
        const bool ownFamilies = ((mask ^ (mask >> 2)) & 1) != 0;
        const QString board = boards[mask % boards.size()];
        const quint32 seed = baseSeed() + quint32(mask);
        SCOPED_TRACE(QStringLiteral("seed %1, board %2, conventions NeedWall %3 NotWall %4 Belt %5 Field %6, "
                                    "own families %7")
                         .arg(seed)
                         .arg(board)
                         .arg(conventions.needWall)
                         .arg(conventions.notWall)
                         .arg(conventions.belt)
                         .arg(conventions.field)
                         .arg(ownFamilies)
                         .toStdString());
        BundledRun run(board, conventions, ownFamilies, seed);
        RulesBench &bench = run.bench();
        const BoardFields start = bench.fields;

        QList<BoardFields> before;
        QList<Application> applications;
        int refused = 0;
        while (applications.size() < 300) {
            const BoardFields now = bench.fields;
            const Placement placement = run.randomPlacement();
            const Application application =
                bench.apply(placement.cell, placement.tileId, placement.rotation, placement.steps, placement.stepsRequired);
            if (application.refusal) {
                ++refused;
                ASSERT_EQ(bench.fields, now) << "a refusal changed the board";
                continue;
            }
            const QStringList broken = ApplicationRules(bench, now, placement, application).broken();
            ASSERT_TRUE(broken.isEmpty()) << "application " << before.size() << " of tile " << placement.tileId
                                          << " on field " << placement.cell << ":\n"
                                          << broken.join(u'\n').toStdString();
            before.append(now);
            applications.append(application);
        }
        EXPECT_GT(refused, 0);

        BoardFields fields = bench.fields;
        for (qsizetype i = applications.size() - 1; i >= 0; --i) {
            fields = RulesBench::undone(fields, applications[i]);
            ASSERT_EQ(fields, before[i]) << "undo of application " << i;
        }
        EXPECT_EQ(fields, start);
    }
}
