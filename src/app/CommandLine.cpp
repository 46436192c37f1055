#include "app/CommandLine.h"

#include "util/Utils.h"

#include <QDir>

namespace kestrix {

namespace {

// The extension of the file name part: "\", "/" and ":" end folder parts, so
// a dot in a folder name does not count.
QString FileExtension(const QString &path)
{
    const qsizetype nameStart = FileNameStart(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? path.mid(dot) : QString();
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine commandLine;
    if (arguments.isEmpty())
        return commandLine;
    const QString &first = arguments.first();
    if (first == QStringLiteral("--help")) {
        commandLine.action = CommandLine::Action::Help;
    } else if (first == QStringLiteral("--version")) {
        commandLine.action = CommandLine::Action::Version;
    } else {
        // The document keeps its full path, so title, save and the dialogs'
        // presets do not depend on the folder the program was started from.
        const QString absolute = first.isEmpty() ? first : QDir::current().absoluteFilePath(first);
        commandLine.boardPath = BoardPathFromArgument(absolute);
    }
    return commandLine;
}

QString BoardPathFromArgument(const QString &argument)
{
    QString path = ExpandLongPath(argument);
    if (FileExtension(path) != QStringLiteral(".zvb"))
        path += QStringLiteral(".zvb");
    return path;
}

QString HelpText()
{
    return QStringLiteral(
        "Usage: kestrix [BOARD]\n"
        "\n"
        "Editor for the game boards of Zorvan.\n"
        "\n"
        "  BOARD      board file to open at start; \".zvb\" is appended unless\n"
        "             the name ends in exactly \".zvb\"\n"
        "  --help     show this text and exit\n"
        "  --version  show the version and exit\n");
}

QString VersionText()
{
    return QStringLiteral("Kestrix ") + QLatin1String(ProgramVersion) + u'\n';
}

} // namespace kestrix
