// Writes the four quarters of a board as the export renders them, as BMP
// files "BASE (n).bmp", so that export_vs_cjpeg.sh can hand the very same
// pictures to an independent JPEG encoder.
//
//   quarter_bitmaps PROGRAM_FOLDER BOARD BASE

#include "app/Editor.h"
#include "BundledEditor.h"
#include "output/BoardQuarter.h"
#include "util/KestrixError.h"

#include <cstdio>

using namespace kestrix;

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("usage: quarter_bitmaps PROGRAM_FOLDER BOARD BASE\n", stderr);
        return 2;
    }
    try {
        SilentPrompter prompter(Prompter::Answer::Ok);
        Editor editor(prompter);
        editor.setProgramFolder(QString::fromLocal8Bit(argv[1]) + u'/');
        editor.LoadLanguage();
        editor.LoadCatalogue();
        editor.LoadStepMarks();
        editor.LoadBoardFile(QString::fromLocal8Bit(argv[2]));
        for (int q = 1; q <= 4; ++q) {
            const QString path = QString::fromLocal8Bit(argv[3]) + QStringLiteral(" (%1).bmp").arg(q);
            if (!RenderBoardQuarter(q, editor.cells(), editor.cellPicture()).save(path, "BMP")) {
                std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
                return 2;
            }
        }
    } catch (const KestrixError &error) {
        std::fprintf(stderr, "%s\n", error.text().toLocal8Bit().constData());
        return 2;
    }
    return 0;
}
