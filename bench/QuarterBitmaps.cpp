// Writes the four quarters of a board as the export renders them, as BMP
// files "BASE (n).bmp", so that export_vs_cjpeg.sh can hand the very same
// pictures to an independent JPEG encoder.
//
//   quarter_bitmaps PROGRAM_FOLDER BOARD BASE

#include "app/Editor.h"
#include "BundledEditor.h"
#include "output/BoardQuarter.h"
#include "util/KestrixError.h"

#include <QBuffer>
#include <QFile>

#include <cstdio>

using namespace kestrix;

namespace {

// Without a resolution in the file, as the export's JPEG has none: an
// encoder that copies it into the JPEG header would differ in that alone.
bool writeBitmap(const QImage &picture, const QString &path)
{
    constexpr qsizetype ResolutionOffset = 38; // both pixels-per-metre fields
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "BMP") || bytes.size() < ResolutionOffset + 8)
        return false;
    bytes.replace(ResolutionOffset, 8, QByteArray(8, '\0'));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

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
        editor.loadResources(Resources::LanguageStep | Resources::CatalogueStep | Resources::StepMarksStep);
        editor.loadBoard(QString::fromLocal8Bit(argv[2]));
        for (int q = 1; q <= 4; ++q) {
            const QString path = QString::fromLocal8Bit(argv[3]) + QStringLiteral(" (%1).bmp").arg(q);
            if (!writeBitmap(renderBoardQuarter(editor.pictureSource(), q), path)) {
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
