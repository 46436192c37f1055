#include "app/Editor.h"

#include "catalogue/ImageTransforms.h"
#include "output/BoardCheck.h"
#include "output/BoardExport.h"
#include "output/BoardQuarter.h"
#include "output/PagePrinter.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTime>

#include <algorithm>

namespace kestrix {

namespace {

constexpr int PassedMessage = 1;

// Tells the window that long work runs, until the scope ends however it ends.
class BusyScope
{
public:
    explicit BusyScope(Editor &editor) : m_editor(editor) { emit m_editor.busyChanged(true); }
    ~BusyScope() { emit m_editor.busyChanged(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    Editor &m_editor;
};

std::array<int, CellCount> tileIds(const BoardCells &cells)
{
    std::array<int, CellCount> ids{};
    std::transform(cells.begin(), cells.end(), ids.begin(), [](const TImgKarte &cell) { return cell.Tag; });
    return ids;
}

void writeBitmapFile(const QImage &picture, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "BMP")) {
        throw KestrixError(ErrorTexts::PictureConvert, {QDir::toNativeSeparators(path)});
    }
    WriteWholeFile(path, bytes);
}

} // namespace

BoardPictureSource Editor::pictureSource() const
{
    return {m_cells, m_catalogue, m_stepMarks, m_programFolder};
}

bool Editor::CheckBoard()
{
    const BoardCheckResult result = BoardCheck(tileIds(m_cells));
    if (!result.passed)
        ShowMessage(result.message, boardDisplayName());
    return result.passed;
}

void Editor::Menu1_CheckClick()
{
    if (CheckBoard())
        ShowMessage(PassedMessage);
}

void Editor::Menu1_SaveAsPicClick()
{
    if (CheckBoard())
        ExportBoardPictures();
}

void Editor::ExportBoardPictures()
{
    const QString chosen = m_prompter.askSaveFile(m_saveDialog2);
    if (chosen.isEmpty())
        return;
    BusyScope busy(*this);
    ExportBoardQuarters(pictureSource(), chosen);
}

void Editor::Menu1_PrintClick()
{
    if (CheckBoard())
        PrintBoard();
}

void Editor::PrintBoard()
{
    PagePrinter *printer = m_prompter.askPrint(m_printDialog1);
    if (!printer)
        return;
    BusyScope busy(*this);
    const QString documentText = m_documentFileName == NewBoardName ? m_language.noFileName() : m_documentFileName;
    const PrintablePage printable = printer->portraitPage();
    // An installed program's folder is read-only: the picture then goes
    // through the per-user folder, which start-up has made.
    const QString temporaryFolder = IsWritableFolder(m_programFolder) ? m_programFolder : m_userFolder;
    const QString temporaryFile = temporaryFolder + QStringLiteral("~Temp.bmp");
    const int toPage = m_printDialog1.toPage;
    // Only the two numbers count; pages beyond the board's quarters do not exist.
    for (int p = std::max(m_printDialog1.fromPage, 1); p <= std::min(toPage, BoardQuarterCount); ++p) {
        writeBitmapFile(RenderBoardQuarter(p, m_cells, m_cellPicture), temporaryFile);
        const QString time = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        printer->printPage(LayOutPrintPage(LoadBitmap(temporaryFile), p, toPage, m_language.title(), documentText,
                                           time, printable));
    }
    QFile::remove(temporaryFile);
}

} // namespace kestrix
