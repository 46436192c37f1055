#include "app/Editor.h"

#include "catalogue/ImageTransforms.h"
#include "catalogue/JpegWriter.h"
#include "output/BoardCheck.h"
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

constexpr int QuarterCount = 4;
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

// Everything after the last folder separator.
QString fileNamePart(const QString &path)
{
    return path.mid(FileNameStart(path));
}

} // namespace

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
    for (int quarter = 1; quarter <= QuarterCount; ++quarter)
        SaveJpeg(RenderBoardQuarter(quarter, m_cells, m_cellPicture), QuarterPictureFileName(chosen, quarter));
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
    const QString jobTitle = fileNamePart(documentText);
    const QSize pageSize = printer->portraitPageSize();
    const QString temporaryFile = m_programFolder + QStringLiteral("~Temp.bmp");
    const int toPage = m_printDialog1.toPage;
    // Only the two numbers count; pages beyond the board's quarters do not exist.
    for (int p = std::max(m_printDialog1.fromPage, 1); p <= std::min(toPage, QuarterCount); ++p) {
        writeBitmapFile(RenderBoardQuarter(p, m_cells, m_cellPicture), temporaryFile);
        PrintPage page;
        page.jobTitle = jobTitle;
        page.picture = LoadBitmap(temporaryFile);
        page.target = PrintedRect(page.picture.size(), pageSize);
        page.footerAt = FooterPosition(pageSize);
        page.footer = m_language.title() + QStringLiteral(" - ") + documentText + QStringLiteral(" (")
                      + QString::number(p) + u'/' + QString::number(toPage) + QStringLiteral(")      ")
                      + QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        page.number = p;
        printer->printPage(page);
    }
    QFile::remove(temporaryFile);
}

} // namespace kestrix
