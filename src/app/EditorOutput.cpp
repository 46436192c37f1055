#include "app/Editor.h"

#include "output/BoardCheck.h"
#include "output/BoardExport.h"
#include "output/BoardPrinting.h"

namespace kestrix {

namespace {

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

} // namespace

BoardPictureSource Editor::pictureSource() const
{
    return {m_cells, m_catalogue, m_stepMarks, m_programFolder};
}

bool Editor::checkBoard()
{
    const BoardCheckResult result = checkBoardPairs(m_cells);
    if (!result.passed)
        showMessage(result.message, boardDisplayName());
    return result.passed;
}

void Editor::checkBoardAndReport()
{
    if (checkBoard())
        showMessage(CheckPassedMessage);
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
    exportBoardQuarters(pictureSource(), chosen);
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
    const QString documentText = m_documentFileName == NewBoardName ? m_language.noFileName() : m_documentFileName;
    printBoardPages(*printer, pictureSource(),
                    {m_printDialog.fromPage, m_printDialog.toPage, m_language.title(), documentText});
}

} // namespace kestrix
