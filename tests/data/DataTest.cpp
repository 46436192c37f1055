// Checks the data that ships with the program as a whole: catalogue,
// pictures, step marks, sample boards, language files and settings.

#include "BundledData.h"

#include "catalogue/PaletteIndex.h"
#include "catalogue/StepMarks.h"
#include "document/Settings.h"
#include "util/ErrorTexts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

namespace kestrix::testdata {
namespace {

const Catalogue &cat()
{
    return BundledCatalogue();
}

QString value(const QString &key)
{
    return cat().value(key);
}

::testing::AssertionResult hasPicture(const QString &path, int size)
{
    const auto header = ReadBmpHeader(path);
    if (!header)
        return ::testing::AssertionFailure() << path.toStdString() << " is missing or no bitmap";
    if (header->bitsPerPixel != 24 || header->compression != 0)
        return ::testing::AssertionFailure() << path.toStdString() << " has " << header->bitsPerPixel << " bits per pixel";
    if (size > 0 && (header->width != size || std::abs(header->height) != size))
        return ::testing::AssertionFailure() << path.toStdString() << " is " << header->width << " x " << header->height;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult hasBothPictures(int id)
{
    if (auto r = hasPicture(TilePicturePath(id), 57); !r)
        return r;
    return hasPicture(TilePicturePath(id + 10000), 253);
}

// ---- the catalogue file ---------------------------------------------------

TEST(CatalogueFile, IsAsciiKeyValueLinesWithCrLf)
{
    QFile file(BinDir() + QStringLiteral("/InitList.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends with CR LF";
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const QRegularExpression form(QStringLiteral("^(P|S|D)\\d{5}=.+$|^(W|A|N|C)\\d{5}[0-3]=.*$"));
    QSet<QString> names;
    for (const QByteArray &line : cat().lines()) {
        const QString text = QString::fromLatin1(line);
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) << line.constData();
        EXPECT_TRUE(form.match(text).hasMatch()) << "malformed line " << line.constData();
        const QString name = text.section(QLatin1Char('='), 0, 0).toLower();
        EXPECT_FALSE(names.contains(name)) << "second line named " << name.toStdString();
        names.insert(name);
    }
}

TEST(CatalogueFile, IsSortedAsTheTileEditorSortsIt)
{
    const QList<QByteArray> &lines = cat().lines();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        EXPECT_LT(QString::fromLatin1(lines[i - 1]).compare(QString::fromLatin1(lines[i]), Qt::CaseInsensitive), 0)
            << lines[i - 1].constData() << " before " << lines[i].constData();
    }
    Catalogue sorted = cat();
    sorted.sort();
    EXPECT_EQ(sorted.lines(), lines);
}

TEST(CatalogueFile, EveryNamedTileHasBothPictures)
{
    for (int id : CatalogueTileIds())
        EXPECT_TRUE(hasBothPictures(id));
}

TEST(CatalogueFile, WallAndNeighbourEntriesAreWellFormed)
{
    for (const QByteArray &line : cat().lines()) {
        const QString text = QString::fromLatin1(line);
        const QString v = text.section(QLatin1Char('='), 1);
        switch (line.at(0)) {
        case 'W': EXPECT_TRUE(v.isEmpty()) << line.constData(); break;
        case 'A':
        case 'N':
        case 'C':
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{5}$")).match(v).hasMatch()) << line.constData();
            break;
        default: break;
        }
        if (line.at(0) == 'A') {
            EXPECT_NE(v.toInt(), line.mid(1, 5).toInt()) << "a tile adding itself: " << line.constData();
        }
    }
}

TEST(Palette, PositionsAreValidAndDistinct)
{
    std::map<std::pair<int, int>, int> taken;
    for (const QByteArray &line : cat().lines()) {
        if (!line.startsWith('P'))
            continue;
        const int id = line.mid(1, 5).toInt();
        const QString v = QString::fromLatin1(line.mid(7));
        ASSERT_GE(v.size(), 5) << line.constData();
        const int page = v.mid(1, 1).toInt();
        const int slot = v.mid(2, 3).toInt();
        EXPECT_TRUE(v.at(1).isDigit() && page <= 5) << line.constData();
        const auto [it, fresh] = taken.emplace(std::pair(page, slot), id);
        EXPECT_TRUE(fresh) << fiveDigitId(id).toStdString() << " lies on " << fiveDigitId(it->second).toStdString();
        if (id / 1000 == 1) {
            EXPECT_FALSE(value(QLatin1Char('D') + fiveDigitId(id)).mid(1, 4).contains(QLatin1Char('2')))
                << "palette belt " << id << " is not a base belt";
        }
    }
    const PaletteIndex palette = PaletteIndex::build(BinDir() + QStringLiteral("/Images"), cat());
    EXPECT_EQ(palette.entries.size(), qsizetype(taken.size())) << "every P entry reaches the palette";
}

// ---- ground plates --------------------------------------------------------

TEST(GroundPlates, GroupsHaveNoGapsAndAWallPlate)
{
    const QStringList files = QDir(BinDir() + QStringLiteral("/Images")).entryList({QStringLiteral("00???.bmp")}, QDir::Files, QDir::Name);
    std::map<int, QList<int>> groups;
    for (const QString &f : files)
        groups[f.mid(2, 1).toInt()] << f.mid(3, 2).toInt();
    const PaletteIndex palette = PaletteIndex::build(BinDir() + QStringLiteral("/Images"), cat());
    ASSERT_GE(groups.size(), 3u);
    EXPECT_EQ(palette.groundPlateCounts.size(), qsizetype(groups.size())) << "groups are numbered without gaps";
    for (const auto &[g, plates] : groups) {
        SCOPED_TRACE(g);
        EXPECT_GE(plates.size(), 4);
        for (qsizetype k = 0; k < plates.size(); ++k)
            EXPECT_EQ(plates[k], k) << "plate numbers have a gap";
        EXPECT_EQ(palette.groundPlateCount(g), plates.size());
        EXPECT_EQ(value(QStringLiteral("P") + fiveDigitId(g * 100)).mid(1, 1), QStringLiteral("0")) << "first plate on page 0";
        EXPECT_TRUE(hasPicture(TilePicturePath(g * 100 + 20000), 57)) << "palette picture of the group";
        const int wall = 8000 + 100 * g;
        EXPECT_TRUE(hasBothPictures(wall));
        EXPECT_TRUE(cat().hasKey(QStringLiteral("W") + fiveDigitId(wall) + QLatin1Char('0')));
        for (int k : plates)
            EXPECT_TRUE(hasBothPictures(g * 100 + k));
    }
}

TEST(Pictures, EveryBitmapHasTwentyFourBitsAndItsSize)
{
    const QStringList files = QDir(BinDir() + QStringLiteral("/Images")).entryList({QStringLiteral("*.bmp")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &f : files) {
        const int size = f.startsWith(QLatin1Char('1')) ? 253 : (f.at(0).isDigit() ? 57 : 0);
        EXPECT_TRUE(hasPicture(BinDir() + QStringLiteral("/Images/") + f, size));
    }
}

TEST(Pictures, PalettePicturesShowTheirKeyColourOnlyAround)
{
    for (int g = 0; g < 10; ++g) {
        const QImage pic(TilePicturePath(g * 100 + 20000));
        if (pic.isNull())
            continue;
        const QRgb key = pic.pixel(0, pic.height() - 1);
        EXPECT_EQ(pic.pixel(pic.width() - 1, 0), key) << "corners are see-through";
        EXPECT_NE(pic.pixel(pic.width() / 2, pic.height() / 2), key) << "the middle shows the plates";
    }
}

// ---- belts ----------------------------------------------------------------

TEST(Belts, PatternsAreWellFormed)
{
    const QList<int> belts = BeltIds();
    ASSERT_GE(belts.size(), 16);
    QSet<QString> patterns;
    for (int id : belts) {
        const QString d = value(QLatin1Char('D') + fiveDigitId(id));
        SCOPED_TRACE(fiveDigitId(id).toStdString() + "=" + d.toStdString());
        ASSERT_EQ(d.size(), 6);
        EXPECT_EQ(id / 1000, 1) << "belt ids are 1000..1999";
        EXPECT_EQ(d.at(0), fiveDigitId(id).at(2)) << "family digit is the hundreds digit";
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d[0-3]{4}[0-7]$")).match(d).hasMatch());
        EXPECT_EQ(d.mid(1, 4).count(QLatin1Char('3')), 1) << "one outlet";
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(d.at(1 + s) == QLatin1Char('1'), cat().hasKey(QStringLiteral("W") + fiveDigitId(id) + QString::number(s)))
                << "wall code and W entry of side " << s;
        EXPECT_FALSE(patterns.contains(d)) << "pattern used twice";
        patterns.insert(d);
        EXPECT_TRUE(hasBothPictures(id));
    }
}

// Every extra element a belt pattern can name, by its last character.
class BeltElement : public ::testing::TestWithParam<int>
{
protected:
    QChar element() const { return QChar(u'0' + GetParam()); }
    QList<int> belts() const
    {
        QList<int> ids;
        for (int id : BeltIds()) {
            if (value(QLatin1Char('D') + fiveDigitId(id)).at(5) == element())
                ids << id;
        }
        return ids;
    }
};

// Fitting only turns free sides into inputs and back, so every such variant
// of a belt must exist with the same family and element, or the fitting
// keeps the old tile.
TEST_P(BeltElement, EveryFittingFindsATileOfTheSameElement)
{
    const QList<int> ids = belts();
    ASSERT_FALSE(ids.isEmpty()) << "no belt carries element " << GetParam();
    for (int id : ids) {
        const QString d = value(QLatin1Char('D') + fiveDigitId(id));
        QList<int> free;
        for (int s = 0; s < 4; ++s) {
            if (d.at(1 + s) == QLatin1Char('0') || d.at(1 + s) == QLatin1Char('2'))
                free << s;
        }
        for (int combo = 0; combo < (1 << free.size()); ++combo) {
            QString want = d;
            for (qsizetype b = 0; b < free.size(); ++b)
                want[1 + free[b]] = (combo >> b) & 1 ? QLatin1Char('2') : QLatin1Char('0');
            const int found = cat().findBeltByPattern(want, -1);
            EXPECT_NE(found, -1) << "no tile for " << want.toStdString() << " (from " << id << ")";
            if (found != -1) {
                EXPECT_EQ(value(QLatin1Char('D') + fiveDigitId(found)), want);
            }
        }
    }
}

// A fitted belt keeps its step marks: within one family either every tile of
// the element acts in steps, with the same marks, or none does. Picking a
// stepped one must show the step boxes, so it lies on the counter page;
// the others lie on the belt page.
TEST_P(BeltElement, ActsInStepsAsAWholeFamilyAndLiesOnItsPage)
{
    std::map<QChar, QSet<QString>> marksByFamily;
    int onPalette = 0;
    for (int id : belts()) {
        const QString marks = value(QLatin1Char('S') + fiveDigitId(id));
        marksByFamily[value(QLatin1Char('D') + fiveDigitId(id)).at(0)].insert(marks);
        const QString position = value(QLatin1Char('P') + fiveDigitId(id));
        if (position.isEmpty())
            continue;
        ++onPalette;
        EXPECT_EQ(position.mid(1, 1), marks.isEmpty() ? QStringLiteral("1") : QStringLiteral("5")) << "palette page of " << id;
    }
    EXPECT_GE(onPalette, 1) << "element " << GetParam() << " is not on the palette";
    for (const auto &[family, marks] : marksByFamily)
        EXPECT_EQ(marks.size(), 1u) << "family " << family.toLatin1() << " mixes step marks";
}

TEST_P(BeltElement, AppearsOnASampleBoard)
{
    const QList<int> ids = belts();
    bool shown = false;
    for (const Board &board : SampleBoards()) {
        for (const BoardCell &c : board.cells)
            shown = shown || ids.contains(c.id);
    }
    EXPECT_TRUE(shown) << "element " << GetParam();
}

std::string elementName(const ::testing::TestParamInfo<int> &info)
{
    static const char *const names[] = {"Plain", "Laser", "Press", "CounterPress",
                                        "PusherOne", "PusherTwo", "SmallFlame", "LaserCannon"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Belts, BeltElement, ::testing::Range(0, 8), elementName);

// ---- step marks -----------------------------------------------------------

TEST(StepMarks, EveryEntryHasItsRecordPicturesAndPositions)
{
    const StepMarkTables tables = loadStepMarks(cat());
    int perStep = 0, byCount = 0;
    QSet<int> fonts, backgrounds;
    for (const QByteArray &line : cat().lines()) {
        if (!line.startsWith('S'))
            continue;
        SCOPED_TRACE(line.constData());
        const int id = line.mid(1, 5).toInt();
        const QString v = QString::fromLatin1(line.mid(7));
        const bool counted = v.startsWith(QLatin1Char('1'));
        const QString font = subFieldValue(QStringLiteral("Font"), v);
        const QString bg = subFieldValue(QStringLiteral("BG"), v);
        const QString array = subFieldValue(QStringLiteral("Array"), v);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{3}$")).match(font).hasMatch());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{3}$")).match(bg).hasMatch());
        EXPECT_TRUE(QRegularExpression(counted ? QStringLiteral("^\\d{90}$") : QStringLiteral("^\\d{30}$")).match(array).hasMatch());
        fonts.insert(font.toInt());
        backgrounds.insert(bg.toInt());
        const QString bgPath = ImagePath(QStringLiteral("BG") + bg);
        ASSERT_TRUE(hasPicture(bgPath, 0));
        const QImage background(bgPath);
        for (int step = 1; step <= 5; ++step) {
            const QString glyphPath = ImagePath(QStringLiteral("Font") + font + QString::number(step));
            ASSERT_TRUE(hasPicture(glyphPath, 0));
            const QImage glyph(glyphPath);
            EXPECT_TRUE(glyph.width() <= background.width() && glyph.height() <= background.height());
            EXPECT_EQ(glyph.pixel(0, 0), qRgb(255, 255, 255)) << "glyph background is see-through";
        }
        QList<std::pair<int, int>> marks;
        if (counted) {
            const ByCountRecord *rec = findStepMarkRecord(tables.byCount, id);
            ASSERT_NE(rec, nullptr);
            ++byCount;
            for (int c = 1; c <= 5; ++c)
                for (int j = 1; j <= c; ++j)
                    marks << std::pair((*rec)[byCountPairIndex(c, j)], (*rec)[byCountPairIndex(c, j) + 1]);
        } else {
            const PerStepRecord *rec = findStepMarkRecord(tables.perStep, id);
            ASSERT_NE(rec, nullptr);
            ++perStep;
            for (int s = 1; s <= 5; ++s)
                marks << std::pair((*rec)[perStepPairIndex(s)], (*rec)[perStepPairIndex(s) + 1]);
        }
        for (const auto &[x, y] : marks)
            EXPECT_TRUE(x + background.width() <= 253 && y + background.height() <= 253) << "mark at " << x << "," << y;
    }
    EXPECT_GE(perStep, 2);
    EXPECT_GE(byCount, 2);
    EXPECT_GE(fonts.size(), 2);
    EXPECT_GE(backgrounds.size(), 2);
}

// ---- paired elements and sample boards ------------------------------------

TEST(PairedElements, EveryPairNumberHasTwoTiles)
{
    std::map<int, QList<int>> pairs;
    for (int id : CatalogueTileIds()) {
        if (id / 1000 == 5)
            pairs[id % 100] << id;
    }
    EXPECT_GE(pairs.size(), 3u);
    for (const auto &[pair, tiles] : pairs)
        EXPECT_EQ(tiles.size(), 2) << "pair " << pair;
}

bool passesPairCheck(const Board &board)
{
    int counts[100] = {};
    for (const BoardCell &c : board.cells) {
        if (c.id / 1000 == 5)
            ++counts[c.id % 100];
    }
    return std::all_of(std::begin(counts), std::end(counts), [](int n) { return n == 0 || n == 2; });
}

// Boards that show the check failing.
bool meantToFail(const Board &board)
{
    return board.name == QLatin1String("Unpaired.zvb");
}

TEST(SampleBoards, AreCompleteAndPassThePairCheckUnlessMeantNotTo)
{
    const QList<Board> boards = SampleBoards();
    ASSERT_GE(boards.size(), 3);
    for (const Board &board : boards) {
        SCOPED_TRACE(board.name.toStdString());
        ASSERT_EQ(board.cells.size(), 144);
        EXPECT_EQ(passesPairCheck(board), !meantToFail(board));
        for (const BoardCell &c : board.cells) {
            EXPECT_TRUE(hasBothPictures(c.id));
            EXPECT_TRUE(c.rotation >= 0 && c.rotation <= 3);
        }
    }
}

TEST(SampleBoards, BeltsAreFittedAndAddedFieldsDrawn)
{
    for (const Board &board : SampleBoards()) {
        SCOPED_TRACE(board.name.toStdString());
        for (int n = 0; n < 144; ++n) {
            const BoardCell &c = board.cells[n];
            for (int d = 0; d < 4; ++d) {
                const QString added = value(QStringLiteral("A") + fiveDigitId(c.id) + QString::number(localSide(d, c.rotation)));
                const int m = Neighbour(n, d);
                if (!added.isEmpty() && m >= 0) {
                    EXPECT_EQ(board.cells[m].id, added.toInt()) << "field " << m << " added by field " << n;
                }
            }
            if (c.id / 1000 != 1)
                continue;
            const QString d = value(QLatin1Char('D') + fiveDigitId(c.id));
            QString fitted = d;
            for (int i = 0; i < 4; ++i) {
                const int s = localSide(i, c.rotation);
                if (d.at(s + 1) == QLatin1Char('1') || d.at(s + 1) == QLatin1Char('3'))
                    continue;
                const int m = Neighbour(n, i);
                bool runsIn = false;
                if (m >= 0 && board.cells[m].id / 1000 == 1) {
                    const BoardCell &o = board.cells[m];
                    runsIn = value(QLatin1Char('D') + fiveDigitId(o.id)).at(localSide((i + 2) % 4, o.rotation) + 1) == QLatin1Char('3');
                }
                fitted[s + 1] = runsIn ? QLatin1Char('2') : QLatin1Char('0');
            }
            EXPECT_EQ(d, fitted) << "belt on field " << n;
        }
    }
}

// ---- language files -------------------------------------------------------

const QStringList &requiredKeys()
{
    static const QStringList keys = [] {
        QStringList k{QStringLiteral("Title"), QStringLiteral("NoFileName"), QStringLiteral("ByStepName"),
                      QStringLiteral("Menu1_Ctrl"), QStringLiteral("Button1"), QStringLiteral("Label1"),
                      QStringLiteral("CheckBox1"), QStringLiteral("OpenDialog1"), QStringLiteral("SaveDialog1"),
                      QStringLiteral("SaveDialog2"), QStringLiteral("SaveDialog3"), QStringLiteral("SPNGFilter"),
                      QStringLiteral("SDefaultFilter"), QStringLiteral("SZVBFilter"),
                      QStringLiteral("SZVJFilter"), QStringLiteral("OpCaption"), QStringLiteral("OpGroupBox1"),
                      QStringLiteral("OpGroupBox2"), QStringLiteral("OpLabel1"), QStringLiteral("OpLabel2"),
                      QStringLiteral("OpLabel3"), QStringLiteral("OpOKBtn"), QStringLiteral("OpCancelBtn"),
                      QStringLiteral("NECaption"), QStringLiteral("NEOKBtn"), QStringLiteral("NECancelBtn"),
                      QStringLiteral("RecentMissing"), QStringLiteral("RecoveryAsk"), QStringLiteral("RecoveryTime"),
                      QStringLiteral("RecoveryUnreadableAsk"), QStringLiteral("RecoveryOtherInstance"),
                      QStringLiteral("RecoveryListAsk"), QStringLiteral("RecoveryRestore"),
                      QStringLiteral("RecoveryDiscard"), QStringLiteral("RecoveryDiscardAll"),
                      QStringLiteral("RecoveryKeep"), QStringLiteral("RecentFolder"),
                      QStringLiteral("RecentSpecial"), QStringLiteral("SettingsUnreadable"),
                      QStringLiteral("SaveChangedOnDisk"), QStringLiteral("SaveOverwrite"),
                      QStringLiteral("SaveElsewhere"), QStringLiteral("StartBoardUndecodable"),
                      QStringLiteral("RegionField"), QStringLiteral("RegionSeparates"), QStringLiteral("RegionOffBoard"),
                      QStringLiteral("RegionNotSquare"), QStringLiteral("RegionClipboard"),
                      QLatin1String(SettingsBinary.key)};
        for (const char *m : {"File", "New", "Open", "Save", "SaveAs", "Close", "Exit", "Edit", "Undo", "Redo", "Check",
                              "Print", "SaveAsPic", "SaveAsWholePic", "NewElement", "Options", "Help", "About", "Recent",
                              "Copy", "Cut", "Paste", "Delete", "TurnRight", "TurnLeft", "SelectAll"})
            k << QStringLiteral("Menu1_") + QLatin1String(m);
        for (const char *m : {"Warning", "Error", "Information", "Confirm", "Yes", "No", "OK", "Cancel"})
            k << QStringLiteral("SMsgDlg") + QLatin1String(m);
        for (int i = 1; i <= 6; ++i)
            k << QStringLiteral("TabSheet%1").arg(i);
        for (int i = 1; i <= 4; ++i)
            k << QStringLiteral("OpCheckBox%1").arg(i);
        for (int i = 1; i <= 9; ++i)
            k << QStringLiteral("Text%1").arg(i, 2, 10, QLatin1Char('0'));
        for (const ErrorText &text : ErrorTexts::All)
            k << QLatin1String(text.key);
        for (const NamedColor &color : NamedColors)
            k << QLatin1String(color.key);
        k << QLatin1String(CustomColor.key);
        return k;
    }();
    return keys;
}

TEST(LanguageFiles, HaveANameEveryKeyAndAFlag)
{
    const QList<LanguageFile> files = LanguageFiles();
    ASSERT_GE(files.size(), 3);
    for (const LanguageFile &lang : files) {
        SCOPED_TRACE(lang.code.toStdString());
        EXPECT_TRUE(lang.validUtf8);
        EXPECT_FALSE(lang.name.isEmpty());
        EXPECT_FALSE(lang.name.contains(QLatin1Char('=')));
        for (const QString &key : requiredKeys()) {
            const auto v = lang.value(key);
            EXPECT_TRUE(v && !v->isEmpty()) << "missing " << key.toStdString();
        }
        EXPECT_TRUE(hasPicture(BinDir() + QStringLiteral("/Language/") + lang.code + QStringLiteral(".bmp"), 0));
    }
}

// The board messages take the board's name; an error text takes as many
// arguments as its built-in German text; no other text takes any.
TEST(LanguageFiles, TextsCarryThePlaceholdersOfTheirArguments)
{
    std::map<QString, qsizetype> placeholders{{QStringLiteral("text01"), 1}, {QStringLiteral("text08"), 1},
                                              {QStringLiteral("text09"), 1}, {QStringLiteral("recentmissing"), 1},
                                              {QStringLiteral("recoveryask"), 1}, {QStringLiteral("recoveryunreadableask"), 1},
                                              {QStringLiteral("recoveryotherinstance"), 1},
                                              {QStringLiteral("recentfolder"), 1}, {QStringLiteral("recentspecial"), 1},
                                              {QStringLiteral("savechangedondisk"), 1},
                                              {QStringLiteral("startboardundecodable"), 1},
                                              {QStringLiteral("regionfield"), 2}, {QStringLiteral("regionseparates"), 1},
                                              {QStringLiteral("accselection"), 1}, {QStringLiteral("accfield"), 3},
                                              {QStringLiteral("acctile"), 2}, {QStringLiteral("accsteps"), 1},
                                              {QString::fromLatin1(SettingsBinary.key).toLower(), 1}};
    for (const ErrorText &text : ErrorTexts::All)
        placeholders[QString::fromLatin1(text.key).toLower()] = QString::fromUtf8(text.german).count(QStringLiteral("%s"));
    for (const LanguageFile &lang : LanguageFiles()) {
        for (const auto &[key, v] : lang.entries) {
            SCOPED_TRACE(lang.code.toStdString() + " " + key.toStdString());
            const auto expected = placeholders.find(key.toLower());
            const qsizetype count = expected == placeholders.end() ? 0 : expected->second;
            EXPECT_EQ(v.count(QStringLiteral("%s")), count);
            EXPECT_EQ(v.count(QLatin1Char('%')), count);
        }
    }
}

TEST(LanguageFiles, GermanCaptionsAreTheDesignedOnes)
{
    const QList<std::pair<const char *, const char *>> designed = {
        {"Menu1_File", "&Datei"}, {"Menu1_New", "Neu..."}, {"Menu1_Open", "Öffnen..."}, {"Menu1_Save", "Speichern..."},
        {"Menu1_SaveAs", "Speichern unter..."}, {"Menu1_Close", "Schließen"}, {"Menu1_Exit", "Beenden"},
        {"Menu1_Edit", "&Bearbeiten"}, {"Menu1_Undo", "Rückgängig"}, {"Menu1_Redo", "Wiederholen"}, {"Menu1_Check", "Karte prüfen"},
        {"Menu1_Print", "Drucken..."}, {"Menu1_SaveAsPic", "Als Bild speichern..."},
        {"Menu1_NewElement", "Neues Fabrikelement..."}, {"Menu1_Options", "Optionen..."}, {"Menu1_Help", "&Hilfe"},
        {"Menu1_About", "Über..."}, {"TabSheet1", "Standard"}, {"TabSheet2", "Band"}, {"TabSheet3", "Grube"},
        {"TabSheet4", "Öl"}, {"TabSheet5", "Laser"}, {"TabSheet6", "Zähler"}, {"Button1", "Übernehmen"},
        {"Label1", "Aktiv in..."}, {"CheckBox1", "Alle Schritte"}, {"OpCaption", "Optionen..."},
        {"OpGroupBox1", "Editor"}, {"OpGroupBox2", "Zorvan-Konventionen"}, {"OpLabel1", "Cursorfarbe:"},
        {"OpLabel2", "Standard-Feld:"}, {"OpLabel3", "Auf folgende Konventionen achten:"},
        {"OpCheckBox1", "Vorgeschriebene Wände am Spielfeldrand"}, {"OpCheckBox2", "Verbotene Wände am Spielfeldrand"},
        {"OpCheckBox3", "Förderbänder am Spielfeldrand mit anderen verbinden"},
        {"OpCheckBox4", "Fabrikelemente müssen alle auf dem Spielbrett enden"}, {"OpOKBtn", "OK"},
        {"OpCancelBtn", "Abbrechen"}, {"NECaption", "Neues Fabrikelement..."}, {"NEOKBtn", "OK"},
        {"NECancelBtn", "Abbrechen"}, {"Title", "Zorvan - Editor"}};
    const QList<LanguageFile> files = LanguageFiles();
    const auto de = std::find_if(files.begin(), files.end(), [](const LanguageFile &f) { return f.code == QLatin1String("DE"); });
    ASSERT_NE(de, files.end());
    for (const auto &[key, text] : designed)
        EXPECT_EQ(de->value(QLatin1String(key)).value_or(QString()).toStdString(), std::string(text)) << key;
    // The program's own German stands in for a key a file lacks: the German
    // file says the same.
    for (const ErrorText &text : ErrorTexts::All)
        EXPECT_EQ(de->value(QLatin1String(text.key)).value_or(QString()).toStdString(), std::string(text.german));
    for (const NamedColor &color : NamedColors)
        EXPECT_EQ(de->value(QLatin1String(color.key)).value_or(QString()).toStdString(), std::string(color.german));
}

// ---- initial settings -----------------------------------------------------

TEST(InitialSettings, AreEnglishWithoutConventions)
{
    QFile file(BinDir() + QStringLiteral("/Kestrix.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Options]\r\n")));
    for (const char *off : {"OpKonventNeedWall=FALSE", "OpKonventNotWall=FALSE", "OpKonventBelt=FALSE",
                            "OpKonventField=FALSE", "OpGroundPlates=0\r", "OpAdministration=FALSE", "OpLanguage=UK"})
        EXPECT_TRUE(text.contains(QLatin1String(off))) << off;
    const QRegularExpressionMatch colour = QRegularExpression(QStringLiteral("OpCursorColor=(\\d+)")).match(text);
    ASSERT_TRUE(colour.hasMatch());
    EXPECT_NE(colour.captured(1).toInt(), 0) << "a cursor that shows on the black board";
    EXPECT_TRUE(QFile::exists(BinDir() + QStringLiteral("/Language/UK.txt")));
}

} // namespace
} // namespace kestrix::testdata
