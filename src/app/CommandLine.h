#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kestrix {

// The program's version as the About box and --version show it.
inline constexpr char ProgramVersion[] = "1.0.302 Beta";

// The smallest and largest side of a board preview, and its usual side.
constexpr int ThumbnailMinSize = 16;
constexpr int ThumbnailMaxSize = 1024;
constexpr int ThumbnailDefaultSize = 256;

// Exit statuses of the commands that run without a window.
enum ExitStatus {
    ExitPassed = 0,     // done; every board passed the check
    ExitCheckFailed = 1, // a board failed the check
    ExitUnreadable = 2, // a board or file could not be read or written, or a usage error
};

// What the command line asks for. It is read before any window exists, so
// only Run needs a display.
struct CommandLine
{
    enum class Action { Run, Help, Version, Check, Export, ExportPng, Thumbnail, PrintPdf, Error };

    Action action = Action::Run;
    // Run: the board to open at start, empty for none. Check: every board
    // named. Export, ExportPng, Thumbnail, PrintPdf: the one board. Each is made absolute and
    // completed by boardPathFromArgument.
    QStringList boards;
    // Export: the picture name (empty: beside the board); ExportPng: the
    // picture file; Thumbnail: the preview file; PrintPdf: the PDF file
    QString output;
    int scale = 100; // ExportPng: percent of the full size
    int thumbnailSize = ThumbnailDefaultSize; // Thumbnail: the square the preview fits into
    int fromPage = 1; // PrintPdf
    int toPage = 4;
    QString error; // Error: one line saying what is wrong
    // Run: the board name's bytes, percent-encoded, when they do not decode
    // as a file name; no board opens then and the window says so.
    QString undecodableBoard;
};

// The arguments without the program name, decoded as the file system
// decodes file names. A name that does not come back to its own bytes could
// only ever name another file, so it becomes an Error; as the window's board
// it is a Run with undecodableBoard instead.
CommandLine parseCommandLine(const QList<QByteArray> &arguments);

// The same for arguments that are already text (every one decodes).
//   (none) or BOARD [more ignored]      Run
//   --help, --version                   Help, Version
//   --check BOARD...                    Check
//   --export BOARD [OUT.jpg]            Export
//   --export-png BOARD OUT.png [--scale PERCENT]  ExportPng
//   --thumbnail BOARD OUT.png [SIZE]    Thumbnail
//   --print-pdf BOARD OUT.pdf [--pages FROM-TO]   PrintPdf
// Any other argument that starts with "--" where an option may stand, a
// missing or surplus argument, a page range outside 1..4, a scale outside
// 10..100 or a thumbnail size outside 16..1024 is an Error.
CommandLine parseCommandLine(const QStringList &arguments);

// The board file a command-line argument names: the long form of the path,
// with ".zvb" appended unless the file name's extension (from its last "."
// on) is exactly ".zvb".
QString boardPathFromArgument(const QString &argument);

QString helpText();
QString versionText();

} // namespace kestrix
