// Many random applications on the bundled tile set and sample boards. After
// each one the rules below must hold over the whole board; at the end undo
// walks all the way back, and every undo must give the board as it was before
// the matching application. Half the runs move some belts into a family of
// their own, so that some fittings find no belt. The choices are seeded; a
// failure names its seed, and KESTRIX_APPLY_SEED=<seed> replays it (or tries
// other seeds).

#include "app/Editor.h"
#include "document/BoardFile.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QList>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kestrix;

namespace {

// The most entries one application can write: its target; the replaced
// tile's four fields, each adapting four belts; four belts beside the target;
// four extra fields, each clearing three fields with their belts, then
// adapting four belts.
constexpr int LargestGroup = 1 + 4 * (1 + 4) + 4 + 4 * (3 * (1 + 4) + 1 + 4);

QString binFolder()
{
    return QStringLiteral(KESTRIX_BIN_DIR "/");
}

quint32 baseSeed()
{
    const QByteArray seed = qgetenv("KESTRIX_APPLY_SEED");
    return seed.isEmpty() ? 20260001u : seed.toUInt();
}

bool isBelt(int id)
{
    return id / 1000 == 1;
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
    ApplicationRules(const Editor &editor, const BoardCells &before, int chosen, QList<UndoEntry> group)
        : m_editor(editor), m_before(before), m_after(editor.cells()), m_chosen(chosen), m_group(std::move(group))
    {
        const TImgKarte &selection = editor.selection();
        m_target = selection.CellNumber;
        for (int i = 0; i < 4; ++i) {
            const int n = NeighbourIndex(m_target, i);
            const QString key = QStringLiteral("A") + Id5(selection.Tag) + QString::number(LocalSide(i, selection.Rotation));
            if (n >= 0 && !catalogue().CatalogueValue(key).isEmpty())
                m_extra.insert(n);
        }
        for (const UndoEntry &entry : m_group)
            m_recorded.insert(entry.cellNumber);
    }

    QStringList broken() const
    {
        QStringList broken;
        checkGroup(broken);
        // No cleared or extra field ever takes the target.
        const TImgKarte &selection = m_editor.selection();
        const TImgKarte &target = m_after[m_target];
        if (target.Rotation != selection.Rotation || target.StepFlags != m_editor.stepFlagsFromBoxes()
            || (target.Tag != selection.Tag && !onlyInputsDiffer(pattern(selection.Tag), pattern(target.Tag))))
            broken << QStringLiteral("the target lost the applied tile");
        for (int n = 0; n < CellCount; ++n) {
            if (!(m_after[n] == m_before[n]) && !m_recorded.contains(n))
                broken << QStringLiteral("field %1 changed outside the undo group").arg(n);
            if (written(n) && n != m_target && m_after[n].StepFlags != QStringLiteral("00000"))
                broken << QStringLiteral("field %1 was rewritten with the steps %2").arg(n).arg(m_after[n].StepFlags);
            if (adaptedOnly(n) && !onlyInputsDiffer(pattern(m_before[n].Tag), pattern(m_after[n].Tag)))
                broken << QStringLiteral("belt %1 turned from %2 into %3").arg(n).arg(m_before[n].Tag).arg(m_after[n].Tag);
            if (written(n) && (isBelt(m_before[n].Tag) || isBelt(m_after[n].Tag)))
                checkBeltsBeside(n, broken);
        }
        if (isBelt(m_chosen))
            checkFitting(broken);
        return broken;
    }

private:
    const Catalogue &catalogue() const { return m_editor.catalogue(); }

    QString pattern(int id) const
    {
        return isBelt(id) ? catalogue().CatalogueValue(QStringLiteral("D") + Id5(id)) : QString();
    }

    // The side code that field shows in world direction d; "0" off a belt.
    QChar code(const TImgKarte &field, int d) const
    {
        const QString p = pattern(field.Tag);
        return p.size() == 6 ? p[LocalSide(d, field.Rotation) + 1] : u'0';
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
        const TImgKarte &was = m_before[n];
        const TImgKarte &is = m_after[n];
        return n != m_target && !m_extra.contains(n) && isBelt(was.Tag) && isBelt(is.Tag) && was.Rotation == is.Rotation
               && was.StepFlags == is.StepFlags && was.Tag != is.Tag;
    }

    // One group, its target first and the only group start.
    void checkGroup(QStringList &broken) const
    {
        if (m_group.isEmpty() || m_group.first().cellNumber != m_target || !m_group.first().groupStart)
            broken << QStringLiteral("the undo group does not begin with the target %1").arg(m_target);
        for (qsizetype i = 1; i < m_group.size(); ++i) {
            if (m_group[i].groupStart)
                broken << QStringLiteral("entry %1 of the undo group starts a group").arg(i);
        }
    }

    // Beside a field the application wrote with a belt on it before or
    // after, every belt takes an input exactly where this field runs into it,
    // unless that belt was recorded: then the catalogue had no belt to fit.
    void checkBeltsBeside(int c, QStringList &broken) const
    {
        for (int d = 0; d < 4; ++d) {
            const int n = NeighbourIndex(c, d);
            if (n < 0 || !isBelt(m_after[n].Tag) || m_recorded.contains(n))
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
        const TImgKarte &selection = m_editor.selection();
        const QString chosen = pattern(m_chosen);
        if (!onlyInputsDiffer(chosen, pattern(selection.Tag)))
            broken << QStringLiteral("belt %1 was fitted as %2").arg(m_chosen).arg(selection.Tag);
        QString wanted = chosen;
        for (int i = 0; i < 4; ++i) {
            const int s = LocalSide(i, selection.Rotation);
            if (wanted[s + 1] == u'1' || wanted[s + 1] == u'3')
                continue;
            const int n = NeighbourIndex(m_target, i);
            const bool input = n < 0 ? m_editor.settings().OpKonventBelt && BeltEdgeSide(m_target) >= 0
                                     : code(m_before[n], (i + 2) % 4) == u'3';
            wanted[s + 1] = input ? u'2' : u'0';
        }
        const int fitted = wanted == chosen ? m_chosen : catalogue().FindBeltByPattern(wanted, m_chosen);
        if (selection.Tag != fitted)
            broken << QStringLiteral("belt %1 was fitted as %2, expected %3 (%4)").arg(m_chosen).arg(selection.Tag).arg(fitted).arg(wanted);
    }

    const Editor &m_editor;
    const BoardCells &m_before;
    const BoardCells &m_after;
    const int m_chosen;
    const QList<UndoEntry> m_group;
    int m_target = 0;
    QSet<int> m_extra;
    QSet<int> m_recorded;
};

struct Conventions
{
    bool needWall, notWall, belt, field;
};

class BundledRun
{
public:
    BundledRun(const QString &board, Conventions conventions, bool ownFamilies, quint32 seed) : m_choices(seed)
    {
        m_editor.setProgramFolder(ownFamilies ? ownFamiliesFolder() : binFolder());
        m_editor.loadResources(Resources::LanguageStep | Resources::CatalogueStep | Resources::StepMarksStep
                               | Resources::PaletteStep);
        Settings settings = m_editor.settings();
        settings.OpKonventNeedWall = conventions.needWall;
        settings.OpKonventNotWall = conventions.notWall;
        settings.OpKonventBelt = conventions.belt;
        settings.OpKonventField = conventions.field;
        m_editor.changeSettings(settings);
        m_editor.seedRandom(seed);
        m_editor.loadBoard(binFolder() + QStringLiteral("Boards/") + board);

        // What the palette offers and every belt.
        for (const QByteArray &line : m_editor.catalogue().lines()) {
            if (line.startsWith('P') || line.startsWith('D'))
                m_tiles.append(line.mid(1, 5).toInt());
        }
    }

    int choose(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_choices); }

    // The bundled program folder with every third belt moved into family 9:
    // a fitting or an adaptation that would turn a belt into it finds none.
    QString ownFamiliesFolder()
    {
        QFile bundled(binFolder() + QStringLiteral("InitList.ini"));
        EXPECT_TRUE(bundled.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = bundled.readAll().split('\n');
        int belts = 0;
        for (QByteArray &line : lines) {
            if (line.startsWith('D') && line.size() > 7 && belts++ % 3 == 1)
                line[7] = '9';
        }
        const QString folder = m_ownFamilies.path() + u'/';
        QFile changed(folder + QStringLiteral("InitList.ini"));
        EXPECT_TRUE(changed.open(QIODevice::WriteOnly));
        changed.write(lines.join('\n'));
        for (const char *name : {"Images", "Language"})
            EXPECT_TRUE(QFile::link(binFolder() + QLatin1String(name), folder + QLatin1String(name)));
        return folder;
    }

    // One application of a random tile on a random field; false when the
    // Editor refused it.
    bool applyRandomTile()
    {
        const int field = choose(CellCount);
        const int tile = m_tiles[choose(int(m_tiles.size()))];
        m_chosen = tile;
        m_editor.selectField(field);
        m_editor.selection().Tag = tile;
        m_editor.selection().Rotation = choose(4);
        for (int i = 0; i < 5; ++i)
            m_editor.setStepBox(i, choose(3) == 0);
        // As on the palette page of the counters: the step panel with the
        // tiles that have step marks.
        m_editor.setStepPanelVisible(!m_editor.catalogue().CatalogueValue(QStringLiteral("S") + Id5(tile)).isEmpty());

        const qsizetype messages = m_prompter.messages.size();
        m_editor.applySelection();
        return m_prompter.messages.size() == messages;
    }

    // The tile the last application chose, before any fitting.
    int chosen() const { return m_chosen; }
    Editor &editor() { return m_editor; }
    ScriptedPrompter &prompter() { return m_prompter; }

private:
    ScriptedPrompter m_prompter;
    Editor m_editor{m_prompter};
    QTemporaryDir m_ownFamilies;
    std::mt19937 m_choices;
    QList<int> m_tiles;
    int m_chosen = 0;
};

} // namespace

TEST(ApplyBundled, EveryApplicationKeepsTheRulesAndEveryUndoGivesTheBoardBefore)
{
    ASSERT_TRUE(QDir(binFolder() + QStringLiteral("Images")).exists()) << binFolder().toStdString();
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

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
        Editor &editor = run.editor();
        const BoardCells start = editor.cells();

        QList<BoardCells> before;
        int refused = 0;
        while (editor.undoRing().UndoPos() + LargestGroup < UndoRing::SlotCount) {
            const BoardCells now = editor.cells();
            const int undoPos = editor.undoRing().UndoPos();
            if (!run.applyRandomTile()) {
                ++refused;
                ASSERT_EQ(editor.cells(), now) << "a refusal changed the board";
                ASSERT_EQ(editor.undoRing().UndoPos(), undoPos);
                continue;
            }
            UndoRing ring = editor.undoRing();
            QList<UndoEntry> group = ring.takeBackGroup();
            std::reverse(group.begin(), group.end());
            ASSERT_EQ(group.size(), editor.undoRing().UndoPos() - undoPos);
            const QStringList broken = ApplicationRules(editor, now, run.chosen(), group).broken();
            ASSERT_TRUE(broken.isEmpty()) << "application " << before.size() << " of tile " << run.chosen()
                                          << " on field " << editor.selection().CellNumber << ":\n"
                                          << broken.join(u'\n').toStdString();
            before.append(now);
        }
        EXPECT_GT(before.size(), 100);
        EXPECT_GT(refused, 0);
        EXPECT_EQ(run.prompter().messages.size(), refused);

        for (qsizetype i = before.size() - 1; i >= 0; --i) {
            ASSERT_TRUE(editor.undoRing().canUndo()) << "application " << i;
            editor.undoApplication();
            ASSERT_EQ(editor.cells(), before[i]) << "undo of application " << i;
        }
        EXPECT_EQ(editor.cells(), start);
        EXPECT_FALSE(editor.undoRing().canUndo());
    }
}

// Random runs of applications, undos, redos and saves, checked after every
// step against a plain model: the list of boards the applications made, the
// position of the one shown and whether it differs from the saved file. Redo
// must give back exactly the board that undo took back, random ground plates
// included, and undoing everything the board as it was opened, byte for byte.
TEST(ApplyBundled, RedoGivesBackExactlyWhatUndoTookBack)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());

    for (int run = 0; run < 6; ++run) {
        const Conventions conventions{run % 2 == 0, false, run % 3 == 0, false};
        const QString board = boards[run % boards.size()];
        const quint32 seed = baseSeed() + 100u + quint32(run);
        SCOPED_TRACE(QStringLiteral("seed %1, board %2").arg(seed).arg(board).toStdString());
        BundledRun bundled(board, conventions, false, seed);
        Editor &editor = bundled.editor();
        // Saved now and then, so a copy of the board.
        QTemporaryDir dir;
        const QString path = dir.filePath(board);
        ASSERT_TRUE(QFile::copy(binFolder() + QStringLiteral("Boards/") + board, path));
        const QByteArray original = ReadWholeFile(path, MaxBoardFileSize);
        editor.loadBoard(path);

        QList<BoardCells> states{editor.cells()};
        qsizetype shown = 0;
        int redos = 0;
        bool modified = false;
        for (int step = 0; step < 500; ++step) {
            const int choice = bundled.choose(12);
            if (choice >= 10) {
                ASSERT_TRUE(editor.saveBoard());
                modified = false;
            } else if (choice < 4 && editor.undoRing().UndoPos() + LargestGroup < UndoRing::SlotCount) {
                if (!bundled.applyRandomTile())
                    continue;
                states.resize(shown + 1);
                states.append(editor.cells());
                ++shown;
                modified = true;
            } else if (choice < 7) {
                editor.undoApplication();
                if (shown > 0) {
                    --shown;
                    modified = true;
                }
            } else {
                editor.redoApplication();
                if (shown + 1 < states.size()) {
                    ++shown;
                    ++redos;
                    modified = true;
                }
            }
            ASSERT_EQ(editor.cells(), states[shown]) << "step " << step;
            ASSERT_EQ(editor.undoRing().canUndo(), shown > 0) << "step " << step;
            ASSERT_EQ(editor.undoRing().canRedo(), shown + 1 < states.size()) << "step " << step;
            ASSERT_EQ(editor.boardModified(), modified) << "step " << step;
        }
        EXPECT_GT(redos, 20);

        while (editor.undoRing().canUndo())
            editor.undoApplication();
        QBuffer written;
        written.open(QIODevice::WriteOnly);
        SaveBoardFile(written, editor.cells());
        EXPECT_EQ(written.data(), original);
        for (int n = 0; n < CellCount; ++n) {
            QImage picture;
            editor.cellPicture().RedrawCellPicture(editor.cells()[size_t(n)].Tag, 0, picture,
                                                   editor.cells()[size_t(n)].StepFlags,
                                                   editor.cells()[size_t(n)].Rotation);
            ASSERT_EQ(editor.cells()[size_t(n)].picture, picture) << "field " << n;
        }
    }
}
