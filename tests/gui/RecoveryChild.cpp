// A running program for the recovery test: starts the main window on the
// folders and board given as arguments, keeping unsaved work at the interval
// and delay given, and ends on the signals the program ends on. It changes
// the board, says so on stdout and runs until it is ended; with "dialog" it
// then shows a modal box and says "dialog" once the box is up. Questions are
// answered by a script; any it was asked go to stderr.

#include "gui/EndSignals.h"
#include "gui/MainWindow.h"

#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

using namespace kestrix;

int main(int argc, char **argv)
{
    if (argc != 8 && argc != 9) {
        std::fputs("usage: recovery_child <program folder> <user folder> <board> <field> <tile> <interval ms> "
                   "<delay ms> [dialog]\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    ScriptedPrompter prompter;
    StartOptions options{QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                         QString::fromLocal8Bit(argv[3])};
    options.recoveryIntervalMs = QByteArray(argv[6]).toInt();
    options.recoveryDelayMs = QByteArray(argv[7]).toInt();
    const bool dialog = argc == 9 && QByteArray(argv[8]) == "dialog";
    MainWindow form(options, &prompter);
    const EndSignals endSignals([&form](int signal) { form.endOnSignal(signal); });
    form.show();

    // Queued after the window's own start: the board named above is open then.
    Editor &editor = form.editor();
    QMetaObject::invokeMethod(
        &form,
        [&] {
            editor.selectField(QByteArray(argv[4]).toInt());
            editor.pickTile(QByteArray(argv[5]).toInt());
            form.runCommand([&] { editor.applySelection(); });
            for (const QString &error : std::as_const(prompter.errors))
                std::fprintf(stderr, "error: %s\n", error.toLocal8Bit().constData());
            for (const MessageBox &box : std::as_const(prompter.messages))
                std::fprintf(stderr, "message: %s\n", box.text.toLocal8Bit().constData());
            std::fputs(editor.boardModified() ? "changed\n" : "unchanged\n", stdout);
            std::fflush(stdout);
            if (dialog) {
                QMessageBox box(QMessageBox::Question, QStringLiteral("Box"), QStringLiteral("Open"),
                                QMessageBox::Yes | QMessageBox::No, &form);
                QTimer::singleShot(0, [] {
                    std::fputs("dialog\n", stdout);
                    std::fflush(stdout);
                });
                box.exec();
                std::fputs("dialog closed\n", stdout);
                std::fflush(stdout);
            }
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
