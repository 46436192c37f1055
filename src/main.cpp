#include "app/BatchCommands.h"
#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "gui/EndSignals.h"
#include "gui/MainWindow.h"
#include "util/Utils.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    kestrix::ignoreFileSizeSignal();

    // Read before any window exists: only the editor itself needs a display.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const kestrix::CommandLine commandLine = kestrix::parseCommandLine(arguments);
    switch (commandLine.action) {
    case kestrix::CommandLine::Action::Run:
        break;
    case kestrix::CommandLine::Action::Help:
        std::fputs(kestrix::helpText().toLocal8Bit().constData(), stdout);
        return kestrix::ExitPassed;
    case kestrix::CommandLine::Action::Version:
        std::fputs(kestrix::versionText().toLocal8Bit().constData(), stdout);
        return kestrix::ExitPassed;
    case kestrix::CommandLine::Action::Error:
        std::fprintf(stderr, "kestrix: %s\n", commandLine.error.toLocal8Bit().constData());
        return kestrix::ExitUnreadable;
    default:
        return kestrix::runBatchCommand(commandLine, argv);
    }

    // The toolkit sees no arguments, so none of its own options can take
    // the place of the board file.
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvan Editor"));

    kestrix::StartOptions options;
    options.programFolder = kestrix::programFolderFor(QCoreApplication::applicationDirPath());
    options.userFolder = kestrix::userFolderPath();
    options.boardPath = commandLine.boards.value(0);
    options.undecodableBoard = commandLine.undecodableBoard;
    kestrix::MainWindow window(options);
    const kestrix::EndSignals endSignals([&window](int signal) { window.endOnSignal(signal); });
    window.show();
    return QApplication::exec();
}
