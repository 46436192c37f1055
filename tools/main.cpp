// Draws the bundled tile set: the tile pictures, the step marks and the
// language flags, from the entries of the tile catalogue.

#include "Canvas.h"
#include "ContactSheet.h"
#include "FlagArt.h"
#include "Icon.h"
#include "TileCatalogue.h"
#include "TileSet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

int usage()
{
    std::fputs("usage: kestrix_tiles <InitList.ini> <program folder> [--sheets <folder>]\n"
               "       kestrix_tiles <InitList.ini> --icons <folder>\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace kestrix::tiles;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const bool icons = args.size() == 3 && args[1] == QLatin1String("--icons");
    if (args.size() != 2 && !icons && !(args.size() == 4 && args[2] == QLatin1String("--sheets")))
        return usage();
    try {
        if (icons) {
            const int written = writeProgramIcons(TileSet(TileCatalogue::load(args[0])), args[2]);
            std::printf("kestrix_tiles: %d icons\n", written);
            return 0;
        }
        QElapsedTimer timer;
        timer.start();
        const TileSet tiles(TileCatalogue::load(args[0]));
        const QString binDir = args[1];
        const int written = tiles.writeImages(binDir + QStringLiteral("/Images"));
        const QString languageDir = binDir + QStringLiteral("/Language");
        QDir().mkpath(languageDir);
        for (const QString &code : flagCodes())
            saveBmp24(flagPicture(code), languageDir + QLatin1Char('/') + code + QStringLiteral(".bmp"));
        std::printf("kestrix_tiles: %d pictures and %d flags in %lld ms\n", written, int(flagCodes().size()),
                    static_cast<long long>(timer.elapsed()));
        if (args.size() == 4) {
            // The sheets carry text labels, which need the font machinery.
            QGuiApplication app(argc, argv);
            writeContactSheets(tiles, binDir, args[3]);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kestrix_tiles: %s\n", e.what());
        return 1;
    }
    return 0;
}
