#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "gui/TForm1.h"
#include "util/Utils.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any window exists: --help and --version need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const kestrix::CommandLine commandLine = kestrix::ParseCommandLine(arguments);
    if (commandLine.action != kestrix::CommandLine::Action::Run) {
        const QString text = commandLine.action == kestrix::CommandLine::Action::Help ? kestrix::HelpText()
                                                                                       : kestrix::VersionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    // The toolkit sees no arguments, so none of its own options can take
    // the place of the board file.
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvan Editor"));

    kestrix::StartOptions options;
    options.programFolder = kestrix::ProgramFolderFor(QCoreApplication::applicationDirPath());
    options.userFolder = kestrix::UserFolder();
    options.boardPath = commandLine.boardPath;
    kestrix::TForm1 window(options);
    window.show();
    return QApplication::exec();
}
