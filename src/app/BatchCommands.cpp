#include "app/BatchCommands.h"

#include "app/ProgramFolder.h"
#include "catalogue/Catalogue.h"
#include "catalogue/StepMarks.h"
#include "document/BoardFile.h"
#include "document/Settings.h"
#include "language/Language.h"
#include "output/BoardCheck.h"
#include "output/BoardExport.h"
#include "output/PdfPrinter.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>
#include <QTime>

#include <algorithm>
#include <memory>

namespace kestrix {

namespace {

constexpr int PassedMessage = 1;
// Pages of the PDF file at the resolution of the PDF printers.
constexpr int PdfResolution = 1200;

// The state every command reads: settings, language and, for the pictures,
// the catalogue.
class BatchRun
{
public:
    BatchRun(const BatchFolders &folders, QTextStream &out, QTextStream &err)
        : m_folders(folders), m_out(out), m_err(err)
    {
    }

    int run(const CommandLine &commandLine);

private:
    void loadTexts();
    void loadCatalogue();
    BoardCells readBoard(const QString &path) const;
    // The verdict in words; true when the board passes.
    bool check(const QString &path, const BoardCells &cells, QString &verdict) const;
    int checkAll(const QStringList &boards);
    int exportPictures(const QString &board, const QString &output);
    int printPdf(const QString &board, const QString &output, int fromPage, int toPage);
    int checked(const QString &board, const BoardCells &cells);

    BatchFolders m_folders;
    QTextStream &m_out;
    QTextStream &m_err;
    Language m_language;
    Catalogue m_catalogue;
    StepMarkTables m_stepMarks;
};

// A message box text on one line.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

void BatchRun::loadTexts()
{
    const Settings settings = ReadSettings(m_folders.userFolder, m_folders.programFolder);
    m_language.LoadLanguage(m_folders.programFolder, settings.OpLanguage);
}

void BatchRun::loadCatalogue()
{
    m_catalogue.load(m_folders.programFolder + QStringLiteral("InitList.ini"));
    m_stepMarks = LoadStepMarks(m_catalogue);
}

BoardCells BatchRun::readBoard(const QString &path) const
{
    const BoardFileFields fields = LoadBoardFile(path);
    BoardCells cells;
    for (int k = 0; k < CellCount; ++k) {
        TImgKarte &cell = cells[size_t(k)];
        cell.Tag = fields[size_t(k)].tileId;
        cell.CellNumber = k;
        cell.Rotation = fields[size_t(k)].rotation;
        cell.StepFlags = fields[size_t(k)].stepFlags;
    }
    return cells;
}

bool BatchRun::check(const QString &path, const BoardCells &cells, QString &verdict) const
{
    std::array<int, CellCount> ids{};
    std::transform(cells.begin(), cells.end(), ids.begin(), [](const TImgKarte &cell) { return cell.Tag; });
    const BoardCheckResult result = BoardCheck(ids);
    verdict = oneLine(result.passed ? m_language.BuildMessage(PassedMessage).text
                                    : m_language.BuildMessage(result.message, FileBaseName(path)).text);
    return result.passed;
}

int BatchRun::checkAll(const QStringList &boards)
{
    int status = ExitPassed;
    for (const QString &board : boards) {
        const QString name = QDir::toNativeSeparators(board);
        try {
            QString verdict;
            const bool passed = check(board, readBoard(board), verdict);
            m_out << name << QStringLiteral(": ") << verdict << Qt::endl;
            status = std::max(status, passed ? int(ExitPassed) : int(ExitCheckFailed));
        } catch (const KestrixError &error) {
            m_err << name << QStringLiteral(": ") << oneLine(m_language.errorText(error)) << Qt::endl;
            status = ExitUnreadable;
        }
    }
    return status;
}

// The check in front of the export and the printing: a board that fails
// gets its verdict on the error stream and nothing is written.
int BatchRun::checked(const QString &board, const BoardCells &cells)
{
    QString verdict;
    if (check(board, cells, verdict))
        return ExitPassed;
    m_err << QDir::toNativeSeparators(board) << QStringLiteral(": ") << verdict << Qt::endl;
    return ExitCheckFailed;
}

int BatchRun::exportPictures(const QString &board, const QString &output)
{
    const BoardCells cells = readBoard(board);
    if (const int status = checked(board, cells))
        return status;
    loadCatalogue();
    // Without a name the pictures are named after the board, beside it.
    ExportBoardQuarters({cells, m_catalogue, m_stepMarks, m_folders.programFolder},
                        output.isEmpty() ? board : output);
    return ExitPassed;
}

int BatchRun::printPdf(const QString &board, const QString &output, int fromPage, int toPage)
{
    const BoardCells cells = readBoard(board);
    if (const int status = checked(board, cells))
        return status;
    loadCatalogue();
    const BoardPictureSource source{cells, m_catalogue, m_stepMarks, m_folders.programFolder};
    PdfPrinter pdf(DefaultPrintLayout(), PdfResolution);
    const PrintablePage page = pdf.portraitPage();
    for (int p = fromPage; p <= toPage; ++p) {
        const QString time = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        pdf.printPage(LayOutPrintPage(RenderQuarter(source, p), p, toPage, m_language.title(), board, time, page));
    }
    WriteWholeFile(output, pdf.finish());
    return ExitPassed;
}

int BatchRun::run(const CommandLine &commandLine)
{
    try {
        loadTexts();
        switch (commandLine.action) {
        case CommandLine::Action::Check:
            return checkAll(commandLine.boards);
        case CommandLine::Action::Export:
            return exportPictures(commandLine.boards.value(0), commandLine.output);
        case CommandLine::Action::PrintPdf:
            return printPdf(commandLine.boards.value(0), commandLine.output, commandLine.fromPage, commandLine.toPage);
        default:
            m_err << QStringLiteral("This command needs the editor window") << Qt::endl;
            return ExitUnreadable;
        }
    } catch (const KestrixError &error) {
        m_err << oneLine(m_language.errorText(error)) << Qt::endl;
        return ExitUnreadable;
    }
}

} // namespace

int RunBatchCommand(const CommandLine &commandLine, const BatchFolders &folders, QTextStream &out,
                    QTextStream &err)
{
    return BatchRun(folders, out, err).run(commandLine);
}

int RunBatchCommand(const CommandLine &commandLine, char **argv)
{
    // The toolkit sees no arguments, so none of its own options is taken.
    int argc = 1;
    // Only the PDF draws text, which needs the fonts of a QGuiApplication;
    // the offscreen platform needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (commandLine.action == CommandLine::Action::PrintPdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const BatchFolders folders{ProgramFolderFor(QCoreApplication::applicationDirPath()), UserFolder()};
    return RunBatchCommand(commandLine, folders, out, err);
}

} // namespace kestrix
