#pragma once

#include <QString>
#include <QStringList>

namespace kestrix {

// The program's version as the About box and --version show it.
inline constexpr char ProgramVersion[] = "1.0.302 Beta";

// What the command line asks for. It is read before any window exists, so
// --help and --version never need a display.
struct CommandLine
{
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    QString boardPath; // empty: start without a board
};

// The arguments without the program name. Only the first one counts: exactly
// "--help" or "--version", or else a board file, made absolute against the
// current folder and completed by BoardPathFromArgument.
CommandLine ParseCommandLine(const QStringList &arguments);

// The board file a command-line argument names: the long form of the path,
// with ".zvb" appended unless the file name's extension (from its last "."
// on) is exactly ".zvb".
QString BoardPathFromArgument(const QString &argument);

QString HelpText();
QString VersionText();

} // namespace kestrix
