#pragma once

#include "app/CommandLine.h"

#include <QString>

class QTextStream;

namespace kestrix {

// Where the commands without a window find their files; both end with "/".
struct BatchFolders
{
    QString programFolder;
    QString userFolder;
};

// Runs --check, --export or --print-pdf in the language of the user's
// settings: verdicts go to out, errors (each naming its file) to err. The
// settings file is read, never written. Returns an ExitStatus: the worst of
// all boards. --print-pdf needs a QGuiApplication for its text.
int runBatchCommand(const CommandLine &commandLine, const BatchFolders &folders, QTextStream &out,
                    QTextStream &err);

// The same for the program's entry: creates the application object these
// commands need without a display (an offscreen one where text is drawn)
// and prints to the standard streams.
int runBatchCommand(const CommandLine &commandLine, char **argv);

} // namespace kestrix
