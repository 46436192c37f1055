#include "app/BatchCommands.h"

#include "app/ProgramFolder.h"
#include "app/Resources.h"
#include "document/BoardFile.h"
#include "output/BoardCheck.h"
#include "output/BoardExport.h"
#include "output/BoardPrinting.h"
#include "output/PdfPrinter.h"
#include "output/WholeBoardPicture.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {

namespace {

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
        m_resources.setProgramFolder(folders.programFolder);
        m_resources.setUserFolder(folders.userFolder);
    }

    int run(const CommandLine &commandLine);

private:
    void loadTexts();
    void loadCatalogue();
    BoardPictureSource pictureSource(const BoardFields &cells) const;
    // The verdict in words; true when the board passes.
    bool check(const QString &path, const BoardFields &cells, QString &verdict) const;
    int checkAll(const QStringList &boards);
    int exportPictures(const QString &board, const QString &output);
    int exportWholePicture(const QString &board, const QString &output, int percent);
    int writeThumbnail(const QString &board, const QString &output, int side);
    int printPdf(const QString &board, const QString &output, int fromPage, int toPage);
    int checked(const QString &board, const BoardFields &cells);
    void refuseOutputs(const QString &board, const QString &named, const QStringList &files) const;

    BatchFolders m_folders;
    QTextStream &m_out;
    QTextStream &m_err;
    Resources m_resources;
    const Language &m_language = m_resources.language();
};

// Control characters as escapes ("\n", "\x1b"): a name with a line break
// stays on its line, and a terminal shows a control sequence instead of
// obeying it. In a name a backslash is doubled too, so that every name can
// be told from every other.
QString escaped(const QString &text, bool name)
{
    QString shown;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' && name)
            shown += QStringLiteral("\\\\");
        else if (u == u'\n')
            shown += QStringLiteral("\\n");
        else if (u == u'\r')
            shown += QStringLiteral("\\r");
        else if (u == u'\t')
            shown += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            shown += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

// A file name as the output lines show it.
QString shownName(const QString &path)
{
    return escaped(QDir::toNativeSeparators(path), true);
}

// A message box text on one line: its own line breaks become blanks, any
// other control character an escape.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return escaped(text, false);
}

// Following links, as the write will.
bool namesFolder(const QString &path)
{
    struct stat file{};
    return path.endsWith(u'/') || (::stat(QFile::encodeName(path).constData(), &file) == 0 && S_ISDIR(file.st_mode));
}

// The same file under two names: a link, a hard link or the name itself.
bool sameFile(const QString &a, const QString &b)
{
    struct stat first{};
    struct stat second{};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

// Gives a closed standard stream /dev/null, opened for reading, in its
// place: no file the command opens takes its number and receives what was
// meant for the stream, and writing to it still fails as it would have.
void occupyClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        const int standIn = ::open("/dev/null", O_RDONLY | O_NOCTTY);
        if (standIn >= 0 && standIn != fd) {
            ::dup2(standIn, fd);
            ::close(standIn);
        }
    }
}

// A settings file that cannot be read ends the command before any language
// is loaded: no file is written here that could keep its defaults.
void BatchRun::loadTexts()
{
    m_resources.load(Resources::SettingsStep | Resources::LanguageStep, [this](Resources::Step step) {
        if (step == Resources::SettingsStep && m_resources.settingsError())
            throw *m_resources.settingsError();
    });
}

void BatchRun::loadCatalogue()
{
    m_resources.load(Resources::CatalogueStep | Resources::StepMarksStep);
}

BoardPictureSource BatchRun::pictureSource(const BoardFields &cells) const
{
    return {cells, m_resources.catalogue(), m_resources.stepMarks(), m_resources.programFolder()};
}

bool BatchRun::check(const QString &path, const BoardFields &cells, QString &verdict) const
{
    const BoardCheckResult result = checkBoardPairs(cells);
    verdict = oneLine(result.passed ? m_language.buildMessage(CheckPassedMessage).text
                                    : m_language.buildMessage(result.message, escaped(fileBaseName(path), true)).text);
    return result.passed;
}

int BatchRun::checkAll(const QStringList &boards)
{
    int status = ExitPassed;
    for (const QString &board : boards) {
        const QString name = shownName(board);
        QString verdict;
        bool passed = false;
        try {
            passed = check(board, loadBoardFile(board), verdict);
        } catch (const KestrixError &error) {
            m_err << name << QStringLiteral(": ") << oneLine(m_language.errorText(error)) << Qt::endl;
            status = ExitUnreadable;
            continue;
        }
        // A verdict that went nowhere is no verdict: a closed or full
        // standard output must not end as a success.
        m_out << name << QStringLiteral(": ") << verdict << Qt::endl;
        if (m_out.status() != QTextStream::Ok) {
            const QIODevice *device = m_out.device();
            throw KestrixError(ErrorTexts::StandardOutput, {device ? device->errorString() : QString()});
        }
        status = std::max(status, passed ? int(ExitPassed) : int(ExitCheckFailed));
    }
    return status;
}

// The check in front of the export and the printing: a board that fails
// gets its verdict on the error stream and nothing is written.
int BatchRun::checked(const QString &board, const BoardFields &cells)
{
    QString verdict;
    if (check(board, cells, verdict))
        return ExitPassed;
    m_err << shownName(board) << QStringLiteral(": ") << verdict << Qt::endl;
    return ExitCheckFailed;
}

// Before anything is drawn or written: the output named on the command line
// must not name a folder (the pictures would be named " (1).jpg" inside it),
// and no file written may be one the command reads, the board above all,
// also through a link.
void BatchRun::refuseOutputs(const QString &board, const QString &named, const QStringList &files) const
{
    if (!named.isEmpty() && namesFolder(named))
        throw KestrixError(ErrorTexts::FileIsFolder, {QDir::toNativeSeparators(named)});
    const QStringList inputs{board, settingsFilePath(m_folders.userFolder), settingsFilePath(m_folders.programFolder),
                             m_folders.programFolder + QStringLiteral("InitList.ini"),
                             Language::languageFilePath(m_folders.programFolder, m_language.code())};
    for (const QString &file : files) {
        if (namesFolder(file))
            throw KestrixError(ErrorTexts::FileIsFolder, {QDir::toNativeSeparators(file)});
        for (const QString &input : inputs) {
            if (sameFile(file, input))
                throw KestrixError(ErrorTexts::OutputIsInput,
                                   {QDir::toNativeSeparators(file), QDir::toNativeSeparators(input)});
        }
    }
}

int BatchRun::exportPictures(const QString &board, const QString &output)
{
    // Without a name the pictures are named after the board, beside it.
    const QString chosen = output.isEmpty() ? board : output;
    QStringList quarters;
    for (int q = 1; q <= BoardQuarterCount; ++q)
        quarters.append(quarterPictureFileName(chosen, q));
    refuseOutputs(board, output, quarters);
    const BoardFields cells = loadBoardFile(board);
    if (const int status = checked(board, cells))
        return status;
    loadCatalogue();
    exportBoardQuarters(pictureSource(cells), chosen);
    return ExitPassed;
}

int BatchRun::exportWholePicture(const QString &board, const QString &output, int percent)
{
    refuseOutputs(board, output, {output});
    const BoardFields cells = loadBoardFile(board);
    if (const int status = checked(board, cells))
        return status;
    loadCatalogue();
    exportWholeBoard(pictureSource(cells), percent, output);
    return ExitPassed;
}

// A preview shows the board as it is, so the check does not stand in its way.
int BatchRun::writeThumbnail(const QString &board, const QString &output, int side)
{
    refuseOutputs(board, output, {output});
    const BoardFields cells = loadBoardFile(board);
    loadCatalogue();
    writeBoardThumbnail(pictureSource(cells), side, output);
    return ExitPassed;
}

int BatchRun::printPdf(const QString &board, const QString &output, int fromPage, int toPage)
{
    refuseOutputs(board, output, {output});
    const BoardFields cells = loadBoardFile(board);
    if (const int status = checked(board, cells))
        return status;
    loadCatalogue();
    PdfPrinter pdf(defaultPrintLayout(), PdfResolution);
    printBoardPages(pdf, pictureSource(cells), {fromPage, toPage, m_language.title(), board});
    writeWholeFile(output, pdf.finish());
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
        case CommandLine::Action::ExportPng:
            return exportWholePicture(commandLine.boards.value(0), commandLine.output, commandLine.scale);
        case CommandLine::Action::Thumbnail:
            return writeThumbnail(commandLine.boards.value(0), commandLine.output, commandLine.thumbnailSize);
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

int runBatchCommand(const CommandLine &commandLine, const BatchFolders &folders, QTextStream &out,
                    QTextStream &err)
{
    return BatchRun(folders, out, err).run(commandLine);
}

int runBatchCommand(const CommandLine &commandLine, char **argv)
{
    occupyClosedStandardStreams();
#ifdef __GLIBC__
    // The commands read a picture of a few hundred kilobytes for each
    // field. Kept on the heap, their memory is reused; by default every
    // one is mapped afresh and paged in, which cost a preview a sixth of
    // its time.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
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
    // Unbuffered, so a failed write shows at the line that failed, with the
    // system's reason.
    QFile standardOutput;
    standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    const BatchFolders folders{programFolderFor(QCoreApplication::applicationDirPath()), userFolderPath()};
    return runBatchCommand(commandLine, folders, out, err);
}

} // namespace kestrix
