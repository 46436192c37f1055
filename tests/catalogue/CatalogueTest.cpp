#include "catalogue/Catalogue.h"

#include "util/KestrixError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace kestrix;

namespace {

QString qs(const char *text)
{
    return QString::fromLatin1(text);
}

Catalogue catalogueOf(std::initializer_list<const char *> lines)
{
    QList<QByteArray> list;
    for (const char *line : lines)
        list.append(QByteArray(line));
    Catalogue catalogue;
    catalogue.setLines(list);
    return catalogue;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(CatalogueLoad, EveryLineEndEndsALine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("InitList.ini"));
    writeFile(path, "P00001=00001\r\nW000010=\rno equals sign\nS00002=1Font:3*\r\nD01000=100320\r\n");

    Catalogue catalogue;
    catalogue.load(path);
    const QList<QByteArray> expected{"P00001=00001", "W000010=", "no equals sign", "S00002=1Font:3*",
                                     "D01000=100320"};
    EXPECT_EQ(catalogue.lines(), expected);
    EXPECT_EQ(catalogue.value(qs("D01000")), qs("100320"));
    EXPECT_FALSE(catalogue.hasKey(qs("no equals sign")));
}

TEST(CatalogueLoad, MissingFileNamesTheFileAndKeepsTheLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Catalogue catalogue = catalogueOf({"P00001=00001"});
    try {
        catalogue.load(dir.filePath(QStringLiteral("Missing.ini")));
        FAIL() << "no error for a missing file";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("Missing.ini"))) << error.what();
    }
    EXPECT_EQ(catalogue.value(qs("P00001")), qs("00001"));
}

TEST(CatalogueLookup, FirstLineWithTheNameWithoutRegardToCase)
{
    const Catalogue catalogue = catalogueOf({
        "P01234=01004", "P01234=02000", "s01234=1Font:7*", "S01234=0Font:9*", "W012342=",
        "N012341=01235=x", "without equals", "=nameless", "p00077=00012", "LongName12=v1", "longname12=v2",
        "\xc4=latin",
    });
    const struct { const char *key; bool has; const char *value; } cases[] = {
        {"P01234", true, "01004"},    // the first of two lines with one name
        {"p01234", true, "01004"},
        {"S01234", true, "1Font:7*"}, // a lower-case line is a match too
        {"W012342", true, ""},        // an empty value still is an entry
        {"W012340", false, ""},
        {"N012341", true, "01235=x"}, // the name ends at the first "="
        {"N01234", false, ""},        // a name is compared whole
        {"without equals", false, ""},
        {"", true, "nameless"},
        {"P00077", true, "00012"},
        {"P0007", false, ""},
        {"LONGNAME12", true, "v1"},
        {"LongName1", false, ""},
        {"\xc4", true, "latin"},
        {"\xe4", false, ""},         // only A..Z fold
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(catalogue.hasKey(qs(c.key)), c.has);
        EXPECT_EQ(catalogue.value(qs(c.key)), qs(c.value));
    }
    EXPECT_EQ(catalogue.find(qs("s01234")), 2);
    EXPECT_EQ(catalogue.find(QStringLiteral("P01234\u0100")), -1);
}

TEST(CatalogueLookup, ScansCompareTheFirstCharacterExactly)
{
    const Catalogue catalogue = catalogueOf({
        "n012341=00500", "N012343=00501", "d01001=100320", "D01002=100320", "D01003=100320",
        "D01004=1003", "D01005=100322junk", "Dshort", "D0100x=111111",
    });
    const struct { const char *prefix; bool found; } prefixes[] = {
        {"N01234", true}, {"N012343", true}, {"N012341", false}, {"n01234", true},
        {"N0123", true},  {"N01235", false}, {"D01005=100322junk", true},
        {"D01005=100322junkx", false},      {"", true},
    };
    for (const auto &c : prefixes)
        EXPECT_EQ(catalogue.hasEntryPrefix(qs(c.prefix)), c.found) << c.prefix;

    const struct { const char *pattern; int result; } belts[] = {
        {"100320", 1002}, // the lower-case d line is skipped
        {"100322", 1005}, // characters 8..13 of a longer line
        {"1003", 7},      // a short pattern never matches, not even a short line
        {"", 7},
        {"1003200", 7},
        {"111111", 0},    // the id text is read leniently
        {"100330", 7},
    };
    for (const auto &c : belts)
        EXPECT_EQ(catalogue.findBeltByPattern(qs(c.pattern), 7), c.result) << c.pattern;
}

TEST(CatalogueLookup, PrefixWithAZeroByteNeedsALongEnoughLine)
{
    const QString withZero = QString::fromLatin1(QByteArray("AB\0", 3));
    Catalogue catalogue;
    catalogue.setLines({"AB", "AC=1"});
    EXPECT_FALSE(catalogue.hasEntryPrefix(withZero));
    catalogue.append(QByteArray("AB\0x", 4));
    EXPECT_TRUE(catalogue.hasEntryPrefix(withZero));
}

TEST(CatalogueLookup, EmptyCatalogueFindsNothing)
{
    const Catalogue catalogue;
    EXPECT_FALSE(catalogue.hasEntryPrefix(QString()));
    EXPECT_FALSE(catalogue.hasKey(QString()));
    EXPECT_EQ(catalogue.findBeltByPattern(qs("100320"), 3), 3);
}

TEST(CatalogueEdit, SortIgnoresCaseAndKeepsEqualLinesInOrder)
{
    Catalogue catalogue = catalogueOf({"P00001=00001", "p00002=00009", "D01999=100320", "P00003=1",
                                       "A000010=00005", "a000010=00006", "D01000=100320"});
    catalogue.sort();
    const QList<QByteArray> expected{"A000010=00005", "a000010=00006", "D01000=100320", "D01999=100320",
                                     "P00001=00001", "p00002=00009", "P00003=1"};
    EXPECT_EQ(catalogue.lines(), expected);
    // First matches follow the new order.
    EXPECT_EQ(catalogue.value(qs("A000010")), qs("00005"));
    EXPECT_EQ(catalogue.findBeltByPattern(qs("100320"), -1), 1000);
}

TEST(CatalogueEdit, EditsMoveTheFirstMatch)
{
    Catalogue catalogue = catalogueOf({"P00001=a", "D01000=100320", "P00001=b"});
    catalogue.remove(0);
    EXPECT_EQ(catalogue.value(qs("P00001")), qs("b"));
    catalogue.replace(0, "D01001=100320");
    EXPECT_EQ(catalogue.findBeltByPattern(qs("100320"), -1), 1001);
    catalogue.append("N000012=00003");
    EXPECT_TRUE(catalogue.hasEntryPrefix(qs("N00001")));
    EXPECT_EQ(catalogue.find(qs("n000012")), 2);
    catalogue.replace(2, "X");
    EXPECT_FALSE(catalogue.hasEntryPrefix(qs("N00001")));
    EXPECT_EQ(catalogue.find(qs("N000012")), -1);
}

TEST(CatalogueSave, WritesEveryLineWithCrLfAndReportsFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("InitList.ini"));
    writeFile(path, "old\n");
    const Catalogue catalogue = catalogueOf({"P00001=00001", "", "W000010="});
    catalogue.save(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("P00001=00001\r\n\r\nW000010=\r\n"));

    const QString unwritable = dir.filePath(QStringLiteral("no folder/InitList.ini"));
    try {
        catalogue.save(unwritable);
        FAIL() << "no error for an unwritable file";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("InitList.ini"))) << error.what();
    }
}

// The index must give exactly what a scan over the lines gives, whatever
// sequence of edits came before.
namespace {

struct NaiveScan
{
    const QList<QByteArray> &lines;

    static QByteArray lower(const QByteArray &text)
    {
        QByteArray result = text;
        for (char &c : result)
            c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
        return result;
    }

    qsizetype find(const QByteArray &key) const
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const qsizetype equals = lines[i].indexOf('=');
            if (equals >= 0 && lower(lines[i].left(equals)) == lower(key))
                return i;
        }
        return -1;
    }

    bool hasPrefix(const QByteArray &text) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const QByteArray &l) { return l.startsWith(text); });
    }

    int belt(const QByteArray &pattern, int fallback) const
    {
        for (const QByteArray &line : lines) {
            if (pattern.size() == 6 && line.size() >= 13 && line[0] == 'D' && line.mid(7, 6) == pattern)
                return line.mid(1, 5).toInt();
        }
        return fallback;
    }
};

class LineMaker
{
public:
    explicit LineMaker(unsigned seed) : m_random(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Few letters, ids and patterns, so that names and patterns repeat.
    QByteArray name()
    {
        static const char letters[] = "PpDdNnSWA";
        QByteArray n(1, letters[pick(9)]);
        n += QByteArray::number(1000 + pick(4)).rightJustified(5, '0');
        if (pick(2))
            n += char('0' + pick(4));
        if (pick(8) == 0)
            n += "xY"[pick(2)]; // past the length of the program's own keys
        return n;
    }

    QByteArray pattern() { return QByteArray::number(100300 + pick(3) * 10 + pick(2)); }

    QByteArray line()
    {
        switch (pick(6)) {
        case 0: return "D" + QByteArray::number(1000 + pick(4)).rightJustified(5, '0') + "=" + pattern();
        case 1: return name();                   // no "=" at all
        case 2: return name() + "=";
        case 3: return "D0100" + QByteArray::number(pick(4)) + "=10"; // too short for a pattern
        default: return name() + "=" + QByteArray::number(pick(100));
        }
    }

    QByteArray prefix(const QList<QByteArray> &lines)
    {
        const QByteArray base = lines.isEmpty() || pick(4) == 0 ? line() : lines[pick(int(lines.size()))];
        return base.left(pick(int(base.size()) + 2));
    }

private:
    std::mt19937 m_random;
};

void expectSameAsScan(const Catalogue &catalogue, LineMaker &maker)
{
    const NaiveScan scan{catalogue.lines()};
    for (int q = 0; q < 40; ++q) {
        QByteArray key = maker.name();
        if (maker.pick(2))
            key = NaiveScan::lower(key);
        const qsizetype first = scan.find(key);
        ASSERT_EQ(catalogue.find(QString::fromLatin1(key)), first) << key.constData();
        const QByteArray value = first < 0 ? QByteArray() : catalogue.lines()[first].mid(catalogue.lines()[first].indexOf('=') + 1);
        ASSERT_EQ(catalogue.value(QString::fromLatin1(key)), QString::fromLatin1(value));

        const QByteArray prefix = maker.prefix(catalogue.lines());
        ASSERT_EQ(catalogue.hasEntryPrefix(QString::fromLatin1(prefix)), scan.hasPrefix(prefix)) << prefix.constData();

        const QByteArray pattern = maker.pick(5) ? maker.pattern() : maker.pattern().left(maker.pick(6));
        ASSERT_EQ(catalogue.findBeltByPattern(QString::fromLatin1(pattern), -1), scan.belt(pattern, -1))
            << pattern.constData();
    }
}

} // namespace

TEST(CatalogueIndex, AgreesWithAScanAfterEveryEdit)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        LineMaker maker(seed);
        QList<QByteArray> start;
        for (int i = maker.pick(30); i > 0; --i)
            start.append(maker.line());
        Catalogue catalogue;
        catalogue.setLines(start);
        for (int step = 0; step < 60; ++step) {
            const qsizetype size = catalogue.size();
            const int op = maker.pick(10);
            if (op < 4 || size == 0)
                catalogue.append(maker.line());
            else if (op < 6)
                catalogue.replace(maker.pick(int(size)), maker.line());
            else if (op < 9)
                catalogue.remove(maker.pick(int(size)));
            else
                catalogue.sort();
            expectSameAsScan(catalogue, maker);
            if (testing::Test::HasFatalFailure())
                return;
        }
    }
}
