// Region commands through the Editor on the bundled tile set: many seeded
// random regions and commands on boards made by random applications, each
// checked for the rules an application keeps, for undo and redo, and for the
// identities of turning and of cutting and pasting back; then a table of the
// refusals, the clipboard's hostile texts among them.

#include "board/BoardGrid.h"
#include "document/RegionText.h"

#include "support/BundledEditorRun.h"
#include "support/QtPrinters.h"

#include <QDir>

#include <array>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// The checks below draw nothing.
class NoRandom : public RandomSource
{
public:
    int random(int) override { return 0; }
};

class RegionRun : public BundledRun
{
public:
    using BundledRun::BundledRun;

    RuleSet rules()
    {
        const int group = editor().groundPlateGroup();
        return {m_codes, editor().conventions(), group, editor().resources().palette().groundPlateCount(group),
                m_noRandom};
    }

    bool fits(const BoardFields &fields, int cell)
    {
        const Field &field = fields[size_t(cell)];
        return !isBelt(field.tileId)
               || fitBelt(fields, {field.tileId, field.rotation, field.steps, cell, false}, rules()) == field.tileId;
    }

    // A board that applications alone could have made under the conventions.
    bool keepsTheRules()
    {
        const BoardFields &fields = editor().cells();
        for (int cell = 0; cell < CellCount; ++cell) {
            if (!fits(fields, cell) || edgeRefusal(cell, fields[size_t(cell)], rules()))
                return false;
        }
        return true;
    }

    // What the last command broke of the rules an application keeps.
    QStringList broken(const BoardFields &before, const Region &region, bool turned)
    {
        const BoardFields &after = editor().cells();
        QStringList broken;
        for (int cell = 0; cell < CellCount; ++cell) {
            bool beside = false;
            for (int d = 0; d < 4; ++d)
                beside = beside || region.contains(neighbourIndex(cell, d)) != region.contains(cell);
            if (region.contains(cell) && edgeRefusal(cell, after[size_t(cell)], rules()))
                broken << QStringLiteral("field %1 fails an edge check").arg(cell);
            if (beside && !fits(after, cell))
                broken << QStringLiteral("belt %1 beside the region's border does not fit").arg(cell);
            const Field &was = before[size_t(cell)];
            const Field &is = after[size_t(cell)];
            const bool cleared = isGroundPlate(is);
            const bool refitted = isBelt(was.tileId) && isBelt(is.tileId) && was.rotation == is.rotation && was.steps == is.steps;
            if (!region.contains(cell) && !(was == is) && !cleared && !refitted)
                broken << QStringLiteral("field %1 outside the region changed from %2 to %3").arg(cell).arg(was.tileId).arg(is.tileId);
        }
        // The tiles written keep their extra fields inside the region; those
        // the overwritten tiles had outside it are cleared.
        for (int i = 0; i < region.fieldCount(); ++i) {
            const int cell = region.cell(i);
            for (int d = 0; d < 4; ++d) {
                const int n = neighbourIndex(cell, d);
                if (n < 0 || region.contains(n))
                    continue;
                if (hasExtraField(after[size_t(cell)], d))
                    broken << QStringLiteral("tile %1 has an extra field outside the region").arg(cell);
                if (hasExtraField(before[size_t(cell)], d) && !isGroundPlate(after[size_t(n)]))
                    broken << QStringLiteral("the extra field %1 of the tile overwritten was not cleared").arg(n);
            }
        }
        if (turned && separatedField(after, region, m_codes))
            broken << QStringLiteral("the turned region's border cuts a tile from its extra field");
        return broken;
    }

    bool hasExtraField(const Field &field, int direction) const
    {
        return !m_codes.attachedOnSide(field.tileId, localSide(direction, field.rotation)).isEmpty();
    }

    bool isGroundPlate(const Field &field)
    {
        return field.tileId / 100 == editor().groundPlateGroup() && field.steps == QStringLiteral("00000");
    }

    // A random region at the target field: none, spanned to another field,
    // the whole board or a square.
    void chooseRegion()
    {
        const int target = editor().selection().cell;
        const int column = target % BoardSide;
        const int row = target / BoardSide;
        switch (choose(4)) {
        case 0:
            break;
        case 1:
            editor().regions().span(choose(CellCount));
            break;
        case 2:
            editor().regions().selectWholeBoard();
            break;
        default: {
            const int side = 1 + choose(std::min(BoardSide - column, BoardSide - row));
            editor().regions().span(target + (side - 1) * (BoardSide + 1));
        }
        }
    }

    Region commandRegion()
    {
        return editor().regions().region().value_or(Region::at(editor().selection().cell, 1, 1));
    }

private:
    TileCodes m_codes{editor().catalogue()};
    NoRandom m_noRandom;
};

// The identities of turns and of a cut pasted back on the board as it is.
void checkIdentities(RegionRun &run)
{
    Editor &editor = run.editor();
    const BoardFields start = editor.cells();
    editor.regions().selectWholeBoard();
    // Every tile keeps its sides towards the same neighbours.
    editor.regions().turn(true);
    ASSERT_TRUE(run.keepsTheRules()) << "a turned board that kept the rules";
    for (int turn = 1; turn < 4; ++turn)
        editor.regions().turn(true);
    ASSERT_EQ(editor.cells(), start) << "four turns clockwise";
    editor.regions().turn(true);
    editor.regions().turn(false);
    ASSERT_EQ(editor.cells(), start) << "a turn each way";
    editor.selectField(run.choose(CellCount));
    run.chooseRegion();
    const Region region = run.commandRegion();
    const qsizetype messages = run.prompter().messages.size();
    const QByteArray text = editor.regions().cut();
    if (text.isEmpty())
        return;
    editor.selectField(region.firstCell());
    editor.regions().paste(text);
    ASSERT_EQ(run.prompter().messages.size(), messages) ;
    ASSERT_EQ(editor.cells(), start) << "a cut pasted back";
}

// Each command refused with a message leaves the board as it was; each
// other keeps the rules, undo gives the board before and redo the board after.
// On a board that keeps the rules, four quarter turns of the whole board in one
// sense, a turn each way, and a cut pasted back give the board back.
void runCommands(RegionRun &run, int steps, std::array<int, 7> &done)
{
    Editor &editor = run.editor();
    int identities = 0;
    for (int step = 0; step < steps; ++step) {
        // Room in the undo ring for a whole board.
        if (editor.undoRing().undoPos() > UndoRing::SlotCount - 3 * CellCount)
            editor.refreshDocumentState();
        editor.selectField(run.choose(CellCount));
        run.chooseRegion();
        const Region region = run.commandRegion();
        const BoardFields before = editor.cells();
        const qsizetype messages = run.prompter().messages.size();
        const int command = run.choose(5);
        SCOPED_TRACE(QStringLiteral("step %1, command %2, region %3,%4 %5x%6").arg(step).arg(command)
                         .arg(region.left).arg(region.top).arg(region.width).arg(region.height).toStdString());
        Region written = region;
        switch (command) {
        case 0:
            editor.regions().clear();
            break;
        case 1:
            editor.regions().cut();
            break;
        case 2:
        case 3:
            editor.regions().turn(command == 2);
            break;
        default: {
            const QByteArray text = editor.regions().copy();
            editor.selectField(run.choose(CellCount));
            written = Region::at(editor.selection().cell, region.width, region.height);
            if (!text.isEmpty())
                editor.regions().paste(text);
        }
        }
        if (run.prompter().messages.size() > messages) {
            ++done[5];
            ASSERT_EQ(editor.cells(), before) << "a refusal changed the board";
            continue;
        }
        ++done[size_t(command)];
        const BoardFields after = editor.cells();
        const QStringList broken = run.broken(before, written, command == 2 || command == 3);
        for (int i = 0; i < written.fieldCount(); ++i) {
            const Field &field = after[size_t(written.cell(i))];
            QImage composed;
            editor.cellPicture().composeCellPicture(field.tileId, 0, composed, field.steps, field.rotation);
            ASSERT_EQ(editor.fieldPicture(written.cell(i)), composed) << "the picture of field " << written.cell(i);
        }
        ASSERT_TRUE(broken.isEmpty()) << broken.join(u'\n').toStdString();
        ASSERT_TRUE(editor.boardModified());
        // One undo group: the written fields first, in row order.
        UndoRing ring = editor.undoRing();
        const QList<UndoEntry> group = ring.takeBackGroup();
        ASSERT_GE(group.size(), written.fieldCount());
        for (int i = 0; i < written.fieldCount(); ++i)
            ASSERT_EQ(group[group.size() - 1 - i].cell, written.cell(i)) << "entry " << i;
        ASSERT_TRUE(group.last().groupStart);
        editor.undoApplication();
        ASSERT_EQ(editor.cells(), before) << "undo";
        editor.redoApplication();
        ASSERT_EQ(editor.cells(), after) << "redo";
        // Twice a run: each identity turns the whole board six times.
        if (identities < 2 && run.keepsTheRules()) {
            ++identities;
            ++done[6];
            ASSERT_NO_FATAL_FAILURE(checkIdentities(run));
        }
    }
}

} // namespace

TEST(RegionBundled, EveryCommandKeepsTheRulesAndUndoRedoAndTheIdentitiesHold)
{
    const QStringList boards = QDir(binFolder() + QStringLiteral("Boards")).entryList({QStringLiteral("*.zvb")});
    ASSERT_FALSE(boards.isEmpty());
    std::array<int, 7> done{}; // clear, cut, turn right, turn left, paste, refused, identities

    for (int run = 0; run < 8; ++run) {
        const Conventions conventions{(run & 1) != 0, (run & 2) != 0, (run & 4) != 0, run == 3};
        const quint32 seed = baseSeed() + 300u + quint32(run);
        SCOPED_TRACE(QStringLiteral("seed %1").arg(seed).toStdString());
        RegionRun bundled(boards[run % boards.size()], conventions, run == 5, seed);
        // Half the boards are new, their belts laid by applications alone.
        if (run % 2 == 0)
            bundled.editor().newBoard();
        for (int i = 0; i < 60; ++i)
            bundled.applyRandomTile();
        // Tiles with extra fields, for regions that cut them.
        for (int i = 0; i < 9; ++i) {
            bundled.prepareRandomTile();
            bundled.editor().selection().tileId = std::array{2001, 4000, 4001}[size_t(i % 3)];
            bundled.editor().applySelection();
        }
        ASSERT_NO_FATAL_FAILURE(runCommands(bundled, 40, done));
    }
    for (size_t kind = 0; kind < done.size(); ++kind)
        EXPECT_GT(done[kind], 0) << "kind " << kind;
}

// Tile 2001 brings tile 2002 along on its local side 2, which claims the
// field back (its N entry): unturned on field 50, its extra field is 38.
TEST(RegionBundled, RefusalsShowTheirMessageAndChangeNothing)
{
    RegionRun run(QStringLiteral("Factory.zvb"), {}, false, baseSeed());
    Editor &editor = run.editor();
    editor.newBoard();
    editor.selectField(50);
    editor.selection().tileId = 2001;
    editor.selection().rotation = 0;
    editor.applySelection();
    ASSERT_EQ(editor.cells()[38].tileId, 2002);

    const Language &language = editor.language();
    const auto warning = [&language](const char *key, const QString &argument = QString()) {
        return language.buildKeyMessage(QLatin1String(key), BoxType::Warning, {Answer::Ok}, argument).text;
    };
    const QString separated38 = warning("RegionSeparates", language.fieldName(38));
    const QString unusable = warning("RegionClipboard");
    const auto paste = [](int target, QByteArray text) {
        return [target, text](Editor &e) {
            e.selectField(target);
            e.regions().paste(text);
        };
    };
    const struct
    {
        const char *what;
        std::function<void(Editor &)> command;
        QString message; // empty: the command is done
    } cases[] = {
        {"copy a tile without its extra field", [](Editor &e) { e.selectField(50); e.regions().copy(); }, separated38},
        {"cut it", [](Editor &e) { e.selectField(50); e.regions().cut(); }, separated38},
        {"turn the extra field alone", [](Editor &e) { e.selectField(38); e.regions().turn(true); }, separated38},
        {"copy both", [](Editor &e) { e.selectField(38); e.regions().span(50); e.regions().copy(); }, QString()},
        {"turn a region that is not square", [](Editor &e) { e.selectField(0); e.regions().span(25); e.regions().turn(false); },
         warning("RegionNotSquare")},
        {"paste past the right edge", paste(11, "ZVR 2 1\r\n00\r\n00\r\n"), warning("RegionOffBoard")},
        {"paste past the bottom edge", paste(140, "ZVR 1 2\r\n00\r\n00\r\n"), warning("RegionOffBoard")},
        {"paste a tile without its extra field", paste(70, "ZVR 1 1\r\n20010\r\n"),
         warning("RegionSeparates", language.fieldName(70))},
        {"paste a text of another program, LF ends, no last one", paste(0, "ZVR 2 1\n10\n01,10100"), QString()},
        {"an empty clipboard", paste(0, ""), unusable},
        {"binary bytes", paste(0, QByteArray("ZVR 1 1\r\n\0\x01", 11)), unusable},
        {"a huge text", paste(0, "ZVR 1 1\r\n00\r\n" + QByteArray(MaxRegionTextSize, ' ')), unusable},
        {"fewer lines than its size", paste(0, "ZVR 2 2\r\n00\r\n00\r\n"), unusable},
        {"more lines than its size", paste(0, "ZVR 1 1\r\n00\r\n00\r\n"), unusable},
        {"a blank line at the end", paste(0, "ZVR 1 1\r\n00\r\n\r\n"), unusable},
        {"a size beyond the board", paste(0, "ZVR 13 1\r\n" + QByteArray("00\r\n").repeated(13)), unusable},
        {"a size of 0", paste(0, "ZVR 0 0\r\n"), unusable},
        {"another header", paste(0, "zvr 1 1\r\n00\r\n"), unusable},
        {"a tile without a picture", paste(0, "ZVR 1 1\r\n999990\r\n"), unusable},
        {"a negative tile", paste(0, "ZVR 1 1\r\n-10\r\n"), unusable},
        {"a sign", paste(0, "ZVR 1 1\r\n+10\r\n"), unusable},
        {"a number beyond int", paste(0, "ZVR 1 1\r\n99999999999\r\n"), unusable},
        {"six step characters", paste(0, "ZVR 1 1\r\n10,101010\r\n"), unusable},
        {"a plate on a wall position that needs a wall",
         [](Editor &e) {
             Settings settings = e.settings();
             settings.OpKonventNeedWall = true;
             e.changeSettings(settings);
             e.selectField(2);
             e.regions().paste("ZVR 1 1\r\n00\r\n");
         },
         language.buildMessage(int(RuleMessage::WallNeeded)).text},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const BoardFields before = editor.cells();
        const int undoPos = editor.undoRing().undoPos();
        const qsizetype messages = run.prompter().messages.size();
        c.command(editor);
        if (c.message.isEmpty()) {
            EXPECT_EQ(run.prompter().messages.size(), messages);
            continue;
        }
        ASSERT_EQ(run.prompter().messages.size(), messages + 1);
        EXPECT_EQ(run.prompter().messages.last().text, c.message);
        EXPECT_EQ(editor.cells(), before);
        EXPECT_EQ(editor.undoRing().undoPos(), undoPos);
    }
    EXPECT_EQ(editor.cells()[1], (Field{0, 1, QStringLiteral("10100")})) << "the text of another program was pasted";
}
