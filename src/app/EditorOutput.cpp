#include "app/Editor.h"

#include "output/BoardCheck.h"
#include "output/BoardExport.h"
#include "output/BoardQuarter.h"
#include "output/PagePrinter.h"

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

std::array<int, CellCount> tileIds(const BoardFields &cells)
{
    std::array<int, CellCount> ids{};
    std::transform(cells.begin(), cells.end(), ids.begin(), [](const Field &cell) { return cell.tileId; });
    return ids;
}

} // namespace

BoardPictureSource Editor::pictureSource() const
{
    return {m_cells, m_catalogue, m_stepMarks, m_programFolder};
}

bool Editor::checkBoard()
{
    const BoardCheckResult result = BoardCheck(tileIds(m_cells));
    if (!result.passed)
        showMessage(result.message, boardDisplayName());
    return result.passed;
}

void Editor::checkBoardAndReport()
{
    if (checkBoard())
        showMessage(PassedMessage);
}

void Editor::checkAndExportBoard()
{
    if (checkBoard())
        exportBoardPictures();
}

void Editor::exportBoardPictures()
{
    const QString chosen = m_prompter.askSaveFile(m_pictureSaveDialog);
    if (chosen.isEmpty())
        return;
    BusyScope busy(*this);
    ExportBoardQuarters(pictureSource(), chosen);
}

void Editor::checkAndPrintBoard()
{
    if (checkBoard())
        printBoard();
}

void Editor::printBoard()
{
    PagePrinter *printer = m_prompter.askPrint(m_printDialog);
    if (!printer)
        return;
    BusyScope busy(*this);
    const DocumentState &document = m_document.state();
    const QString documentText = document.isNewBoard() ? m_language.noFileName() : document.filePath();
    const PrintablePage printable = printer->portraitPage();
    // The quarters go to the printer from memory: a picture file on the way,
    // under a fixed name in a shared folder, could be a link that someone
    // laid to another file.
    const int toPage = m_printDialog.toPage;
    // Only the two numbers count; pages beyond the board's quarters do not exist.
    for (int p = std::max(m_printDialog.fromPage, 1); p <= std::min(toPage, BoardQuarterCount); ++p) {
        const QImage picture = RenderBoardQuarter(p, m_cells, m_cellPicture);
        const QString time = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        printer->printPage(LayOutPrintPage(picture, p, toPage, m_language.title(), documentText, time, printable));
    }
}

} // namespace kestrix
