#include "app/CommandLine.h"

#include "app/CommandOptions.h"
#include "output/WholeBoardPicture.h"
#include "util/Utils.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

// The extension of the file name part: "\", "/" and ":" end folder parts, so
// a dot in a folder name does not count.
QString fileExtension(const QString &path)
{
    const qsizetype nameStart = fileNameStart(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? path.mid(dot) : QString();
}

// The document keeps its full path, so title, save and the dialogs' presets
// do not depend on the folder the program was started from.
QString boardPath(const QString &argument)
{
    return boardPathFromArgument(argument.isEmpty() ? argument : QDir::current().absoluteFilePath(argument));
}

bool isOption(const QString &argument)
{
    return argument.startsWith(QStringLiteral("--"));
}

// "  NAME  description", NAME padded to nameWidth and the description's
// further lines indented to its first.
QString indentedEntry(const QString &name, qsizetype nameWidth, const QString &description)
{
    const QString indent(nameWidth + 4, u' ');
    QString entry = QStringLiteral("  ") + name.leftJustified(nameWidth) + QStringLiteral("  ");
    entry += QString(description).replace(u'\n', QStringLiteral("\n") + indent) + u'\n';
    return entry;
}

CommandLine usageError(const QString &text)
{
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::Error;
    commandLine.error = text;
    return commandLine;
}

// "FROM-TO" with 1 <= FROM <= TO <= 4.
bool parsePages(const QString &text, int &from, int &to)
{
    const QStringList parts = text.split(u'-');
    if (parts.size() != 2)
        return false;
    bool fromOk = false;
    bool toOk = false;
    from = parts[0].toInt(&fromOk);
    to = parts[1].toInt(&toOk);
    return fromOk && toOk && from >= 1 && from <= to && to <= 4;
}

CommandLine parseCheck(const QStringList &rest)
{
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::Check;
    for (const QString &argument : rest) {
        if (isOption(argument))
            return usageError(QStringLiteral("--check: unknown option %1").arg(argument));
        commandLine.boards.append(boardPath(argument));
    }
    if (commandLine.boards.isEmpty())
        return usageError(QStringLiteral("--check needs at least one board"));
    return commandLine;
}

CommandLine parseExport(const QStringList &rest)
{
    for (const QString &argument : rest) {
        if (isOption(argument))
            return usageError(QStringLiteral("--export: unknown option %1").arg(argument));
    }
    if (rest.isEmpty() || rest.size() > 2)
        return usageError(QStringLiteral("--export needs a board and at most one picture name"));
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::Export;
    commandLine.boards.append(boardPath(rest[0]));
    commandLine.output = rest.size() == 2 ? rest[1] : QString();
    return commandLine;
}

// A whole number PERCENT within the picture's scale range.
bool parseScale(const QString &text, int &percent)
{
    bool ok = false;
    percent = text.toInt(&ok);
    return ok && percent >= WholeBoardMinScale && percent <= WholeBoardMaxScale;
}

// A command that takes a board and an output file, in any order with one
// option and its value.
struct OutputCommand
{
    CommandLine::Action action;
    const char *name;        // "--export-png"
    const char *option;      // "--scale"
    const char *optionError; // the option's value is missing or wrong
    const char *namesError;  // not exactly a board and an output
    bool (*takeValue)(const QString &text, CommandLine &commandLine);
};

CommandLine parseOutputCommand(const QStringList &rest, const OutputCommand &command)
{
    CommandLine commandLine;
    commandLine.action = command.action;
    QStringList names;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == QLatin1String(command.option)) {
            if (i + 1 >= rest.size() || !command.takeValue(rest[i + 1], commandLine))
                return usageError(QString::fromUtf8(command.optionError));
            ++i;
        } else if (isOption(rest[i])) {
            return usageError(QStringLiteral("%1: unknown option %2").arg(QLatin1String(command.name), rest[i]));
        } else {
            names.append(rest[i]);
        }
    }
    if (names.size() != 2)
        return usageError(QString::fromUtf8(command.namesError));
    commandLine.boards.append(boardPath(names[0]));
    commandLine.output = names[1];
    return commandLine;
}

CommandLine parseExportPng(const QStringList &rest)
{
    return parseOutputCommand(rest, {CommandLine::Action::ExportPng, "--export-png", "--scale",
                                     "--scale needs a whole number PERCENT within 10-100",
                                     "--export-png needs a board and a PNG file",
                                     [](const QString &text, CommandLine &commandLine) {
                                         return parseScale(text, commandLine.scale);
                                     }});
}

CommandLine parseThumbnail(const QStringList &rest)
{
    for (const QString &argument : rest) {
        if (isOption(argument))
            return usageError(QStringLiteral("--thumbnail: unknown option %1").arg(argument));
    }
    if (rest.size() < 2 || rest.size() > 3)
        return usageError(QStringLiteral("--thumbnail needs a board, a PNG file and at most a SIZE"));
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::Thumbnail;
    commandLine.boards.append(boardPath(rest[0]));
    commandLine.output = rest[1];
    if (rest.size() == 3) {
        bool ok = false;
        commandLine.thumbnailSize = rest[2].toInt(&ok);
        if (!ok || commandLine.thumbnailSize < ThumbnailMinSize || commandLine.thumbnailSize > ThumbnailMaxSize)
            return usageError(QStringLiteral("--thumbnail needs a whole number SIZE within 16-1024"));
    }
    return commandLine;
}

CommandLine parsePrintPdf(const QStringList &rest)
{
    return parseOutputCommand(rest, {CommandLine::Action::PrintPdf, "--print-pdf", "--pages",
                                     "--pages needs a range FROM-TO within 1-4",
                                     "--print-pdf needs a board and a PDF file",
                                     [](const QString &text, CommandLine &commandLine) {
                                         return parsePages(text, commandLine.fromPage, commandLine.toPage);
                                     }});
}

} // namespace

CommandLine parseCommandLine(const QList<QByteArray> &arguments)
{
    QStringList decoded;
    for (const QByteArray &argument : arguments) {
        const QString text = QFile::decodeName(argument);
        if (QFile::encodeName(text) != argument) {
            const QString shown = QString::fromLatin1(argument.toPercentEncoding("/.-_ "));
            // Started from a file manager, the window is the only place anyone
            // reads about its board.
            if (decoded.isEmpty() && !argument.startsWith("--")) {
                CommandLine commandLine;
                commandLine.undecodableBoard = shown;
                return commandLine;
            }
            return usageError(QStringLiteral("%1 is not a valid file name in this system's encoding").arg(shown));
        }
        decoded.append(text);
    }
    return parseCommandLine(decoded);
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine commandLine;
    if (arguments.isEmpty())
        return commandLine;
    const QString &first = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (first == QStringLiteral("--help"))
        commandLine.action = CommandLine::Action::Help;
    else if (first == QStringLiteral("--version"))
        commandLine.action = CommandLine::Action::Version;
    else if (first == QStringLiteral("--check"))
        return parseCheck(rest);
    else if (first == QStringLiteral("--export"))
        return parseExport(rest);
    else if (first == QStringLiteral("--export-png"))
        return parseExportPng(rest);
    else if (first == QStringLiteral("--thumbnail"))
        return parseThumbnail(rest);
    else if (first == QStringLiteral("--print-pdf"))
        return parsePrintPdf(rest);
    else if (isOption(first))
        return usageError(QStringLiteral("unknown option %1 (see --help)").arg(first));
    else
        commandLine.boards.append(boardPath(first));
    return commandLine;
}

QString boardPathFromArgument(const QString &argument)
{
    // Names are taken as given: short or display forms of folders are not
    // looked up, so no part of the path changes.
    QString path = argument;
    if (fileExtension(path) != QStringLiteral(".zvb"))
        path += QStringLiteral(".zvb");
    return path;
}

QString helpText()
{
    QString text;
    QString usagePrefix = QStringLiteral("Usage: ");
    qsizetype nameWidth = 0;
    for (const CommandForm &form : commandForms) {
        nameWidth = std::max(nameWidth, qsizetype(std::strlen(form.name)));
        if (form.usage) {
            text += usagePrefix + QLatin1String(commandName) + u' ' + QLatin1String(form.usage) + u'\n';
            usagePrefix.fill(u' ');
        }
    }
    text += u'\n' + QLatin1String(commandIntroduction) + QStringLiteral("\n\n");
    for (const CommandForm &form : commandForms)
        text += indentedEntry(QLatin1String(form.name), nameWidth, QLatin1String(form.description));
    text += u'\n' + QLatin1String(commandNotes) + QStringLiteral("\n\nExit status:\n");
    for (const ExitStatusText &status : exitStatusTexts)
        text += indentedEntry(QLatin1String(status.status), 1, QLatin1String(status.description));
    return text;
}

QString versionText()
{
    return QStringLiteral("Kestrix ") + QLatin1String(ProgramVersion) + u'\n';
}

} // namespace kestrix
