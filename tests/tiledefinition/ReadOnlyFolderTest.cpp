#include "tiledefinition/TileDefinition.h"

#include "catalogue/Catalogue.h"
#include "util/KestrixError.h"

#include "support/Files.h"
#include "support/QtPrinters.h"
#include "support/ReadOnlyMount.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrix;

TEST(ReadOnlyProgramFolder, TileDefinitionEditsAreRefusedAndChangeNothing)
{
    ReadOnlyMount mount;
    if (!mount.mounted())
        GTEST_SKIP() << "no read-only folder can be mounted here (mounting needs root): " << mount.error();
    const QString folder = mount.path();
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("Images")));
    for (int id : {0, 1, 2, 1234})
        ASSERT_TRUE(TestProgramFolder::tilePicture(8, qRgb(10, 20, id % 250))
                        .save(folder + QStringLiteral("Images/%1.bmp").arg(id, 5, 10, QLatin1Char('0')), "BMP"));
    Catalogue catalogue;
    catalogue.setLines({"P01234=01004", "W012340="});
    catalogue.save(folder + QStringLiteral("InitList.ini"));
    ASSERT_TRUE(mount.makeReadOnly());
    const QByteArray savedCatalogue = readFile(folder + QStringLiteral("InitList.ini"));
    const QStringList pictures = QDir(folder + QStringLiteral("Images")).entryList(QDir::Files);

    // A plain edit and one that renames the tile's pictures.
    for (const char *number : {"01234", "04321"}) {
        TileFileLine line{3, QStringLiteral("01234.bmp")};
        TileDefinition definition = readTileDefinition(catalogue, 1234);
        definition.number = QLatin1String(number);
        definition.side(SidePage::Wall, 2).ticked = true;
        const QList<QByteArray> before = catalogue.lines();
        try {
            applyTileDefinition(catalogue, folder, line, definition);
            ADD_FAILURE() << number << ": the edit was reported as done";
        } catch (const KestrixError &error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("schreibgeschützt"))) << error.text().toStdString();
            EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(folder))) << error.text().toStdString();
        }
        EXPECT_EQ(catalogue.lines(), before) << number;
        EXPECT_EQ(line.fileName, QStringLiteral("01234.bmp")) << number;
    }
    EXPECT_EQ(readFile(folder + QStringLiteral("InitList.ini")), savedCatalogue);
    EXPECT_EQ(QDir(folder + QStringLiteral("Images")).entryList(QDir::Files), pictures);
}
