#include "app/Editor.h"


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

bool Editor::checkBoard()
{
    const BoardCheckResult result = m_output.check();
    if (!result.passed)
        showMessage(result.message, boardDisplayName());
    return result.passed;
}

QString Editor::boardCheckVerdict() const
{
    if (!isBoardOpen())
        return QString();
    const BoardCheckResult result = m_output.check();
    QString text = result.passed ? m_language.buildMessage(CheckPassedMessage).text
                                 : m_language.buildMessage(result.message, boardDisplayName()).text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
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
    const QString chosen = m_output.askPictureFile();
    if (chosen.isEmpty())
        return;
    BusyScope busy(*this);
    m_output.exportPictures(chosen);
}

void Editor::checkAndExportWholeBoard()
{
    if (!checkBoard())
        return;
    const QString fileName = m_output.askWholePictureFile();
    if (fileName.isEmpty())
        return;
    BusyScope busy(*this);
    m_output.exportWholePicture(fileName);
}

void Editor::checkAndPrintBoard()
{
    if (checkBoard())
        printBoard();
}

void Editor::printBoard()
{
    PagePrinter *printer = m_output.askPrinter();
    if (!printer)
        return;
    BusyScope busy(*this);
    const DocumentState &document = m_document.state();
    m_output.print(*printer, document.isNewBoard() ? m_language.noFileName() : document.filePath());
}

} // namespace kestrix
