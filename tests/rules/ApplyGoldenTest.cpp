// Golden boards for applying a tile. Each folder under golden/ holds one case:
//
//   catalogue.ini  the tile catalogue of the case
//   before.txt     the board before: 12 rows of 12 fields
//   apply.txt      what is applied, key=value lines: field, tile, rotation,
//                  steps (default 00000), conventions (any of NeedWall,
//                  NotWall, Belt, Field, separated by commas) and optionally
//                  selection, the tile the selection holds afterwards
//   after.txt      the board expected afterwards
//
// A field is written as "." (plate 0), as a tile id (unturned) or as id:r;
// in after.txt id:* takes any rotation (fields cleared to a random plate).
// Lines beginning with "#" are comments. Cleared fields take plates of group
// 0, as many as the case names. After the check the application is undone,
// which must give the board before again.

#include "RulesBench.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace kestrix;

namespace {

struct GoldenField
{
    int tag = 0;
    int rotation = 0;
    bool anyRotation = false;
};

struct GoldenCase
{
    QList<QByteArray> catalogue;
    QList<GoldenField> before;
    QList<GoldenField> after;
    QHash<QString, QString> apply;
};

QString goldenFolder()
{
    return QStringLiteral(KESTRIX_GOLDEN_DIR);
}

QStringList caseNames()
{
    return QDir(goldenFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QList<QByteArray> contentLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#'))
            lines.append(trimmed);
    }
    return lines;
}

// Empty when a token cannot be read or the board has not 144 fields.
QList<GoldenField> parseBoard(const QByteArray &text)
{
    static const QRegularExpression token(QStringLiteral("^(\\d+)(?::([0-3*]))?$"));
    QList<GoldenField> board;
    for (const QByteArray &line : contentLines(text)) {
        for (const QByteArray &word : line.simplified().split(' ')) {
            if (word == ".") {
                board.append(GoldenField());
                continue;
            }
            const QRegularExpressionMatch match = token.match(QString::fromLatin1(word));
            if (!match.hasMatch())
                return {};
            const QString rotation = match.captured(2);
            board.append({match.captured(1).toInt(), rotation == QStringLiteral("*") ? 0 : rotation.toInt(),
                          rotation == QStringLiteral("*")});
        }
    }
    return board.size() == CellCount ? board : QList<GoldenField>();
}

std::optional<GoldenCase> readCase(const QString &name)
{
    const QString folder = goldenFolder() + u'/' + name + u'/';
    const auto catalogue = readFile(folder + QStringLiteral("catalogue.ini"));
    const auto before = readFile(folder + QStringLiteral("before.txt"));
    const auto apply = readFile(folder + QStringLiteral("apply.txt"));
    const auto after = readFile(folder + QStringLiteral("after.txt"));
    if (!catalogue || !before || !apply || !after)
        return std::nullopt;
    GoldenCase golden;
    golden.catalogue = contentLines(*catalogue);
    golden.before = parseBoard(*before);
    golden.after = parseBoard(*after);
    for (const QByteArray &line : contentLines(*apply)) {
        const qsizetype equals = line.indexOf('=');
        golden.apply.insert(QString::fromLatin1(line.left(equals)), QString::fromLatin1(line.mid(equals + 1)));
    }
    if (golden.before.isEmpty() || golden.after.isEmpty())
        return std::nullopt;
    return golden;
}

// Every tile the case names: in catalogue keys and A, N, C values, on the
// boards and in the application, and plate 0.
QList<int> tilesOf(const GoldenCase &golden)
{
    QSet<int> ids{0, golden.apply.value(QStringLiteral("tile")).toInt()};
    static const QRegularExpression key(QStringLiteral("^[A-Z](\\d{5})\\d?=(\\d{5})?"));
    for (const QByteArray &line : golden.catalogue) {
        const QRegularExpressionMatch match = key.match(QString::fromLatin1(line));
        if (!match.hasMatch())
            continue;
        ids.insert(match.captured(1).toInt());
        if (!match.captured(2).isEmpty() && QByteArray("ANC").contains(line[0]))
            ids.insert(match.captured(2).toInt());
    }
    for (const QList<GoldenField> *board : {&golden.before, &golden.after}) {
        for (const GoldenField &field : *board)
            ids.insert(field.tag);
    }
    return ids.values();
}

QString describe(int tag, int rotation)
{
    return QStringLiteral("%1:%2").arg(tag).arg(rotation);
}

class ApplyGolden : public ::testing::TestWithParam<QString>
{
};

} // namespace

TEST(ApplyGoldenCases, AreThere)
{
    EXPECT_GE(caseNames().size(), 10) << goldenFolder().toStdString();
}

TEST_P(ApplyGolden, BoardAfterwardsAndUndo)
{
    const std::optional<GoldenCase> golden = readCase(GetParam());
    ASSERT_TRUE(golden) << "case files missing or malformed";
    RulesBench bench(golden->catalogue);
    const QList<int> tiles = tilesOf(*golden);
    bench.plateCount = int(std::count_if(tiles.cbegin(), tiles.cend(), [](int id) { return id < 100; }));
    for (int n = 0; n < CellCount; ++n)
        bench.place(n, golden->before[n].tag, golden->before[n].rotation);
    const QStringList conventions = golden->apply.value(QStringLiteral("conventions")).split(u',');
    bench.conventions = {conventions.contains(QStringLiteral("NeedWall")), conventions.contains(QStringLiteral("NotWall")),
                         conventions.contains(QStringLiteral("Belt")), conventions.contains(QStringLiteral("Field"))};
    const int field = golden->apply.value(QStringLiteral("field")).toInt();
    const QString steps = golden->apply.value(QStringLiteral("steps"), QStringLiteral("00000"));
    const BoardFields before = bench.fields;

    const Application application = bench.apply(field, golden->apply.value(QStringLiteral("tile")).toInt(),
                                                golden->apply.value(QStringLiteral("rotation")).toInt(), steps);

    EXPECT_FALSE(application.refusal) << "refused";
    QStringList differences;
    for (int n = 0; n < CellCount; ++n) {
        const Field &cell = bench.fields[size_t(n)];
        const GoldenField &expected = golden->after[n];
        if (cell.tileId != expected.tag || (!expected.anyRotation && cell.rotation != expected.rotation)) {
            differences.append(QStringLiteral("field %1 is %2, expected %3")
                                   .arg(n)
                                   .arg(describe(cell.tileId, cell.rotation),
                                        expected.anyRotation ? QStringLiteral("%1:*").arg(expected.tag)
                                                             : describe(expected.tag, expected.rotation)));
        }
    }
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
    EXPECT_EQ(bench.fields[size_t(field)].steps, steps);
    if (golden->apply.contains(QStringLiteral("selection"))) {
        EXPECT_EQ(application.fittedTile, golden->apply.value(QStringLiteral("selection")).toInt());
    }
    ASSERT_FALSE(application.recorded.isEmpty());
    EXPECT_EQ(application.recorded.first().cell, field) << "the target is recorded first";
    EXPECT_EQ(RulesBench::undone(bench.fields, application), before) << "undo takes the whole application back";
}

INSTANTIATE_TEST_SUITE_P(Golden, ApplyGolden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<QString> &info) {
                             return QString(info.param).replace(u'-', u'_').toStdString();
                         });
