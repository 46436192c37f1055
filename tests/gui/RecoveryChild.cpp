// A running program for the recovery test: starts the main window on the
// folders and board given as arguments, keeps unsaved work every few
// milliseconds, changes the board, says so on stdout and runs until it is
// killed. Questions are answered by a script; any it was asked go to stderr.

#include "gui/TForm1.h"

#include "support/ScriptedPrompter.h"

#include <QApplication>

#include <cstdio>

using namespace kestrix;

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fputs("usage: recovery_child <program folder> <user folder> <board> <field> <tile>\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    ScriptedPrompter prompter;
    StartOptions options{QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                         QString::fromLocal8Bit(argv[3])};
    options.recoveryIntervalMs = 10;
    TForm1 form(options, &prompter);
    form.show();

    // Queued after the window's own start: the board named above is open then.
    Editor &editor = form.editor();
    QMetaObject::invokeMethod(
        &form,
        [&] {
            editor.ImgKarteClick(QByteArray(argv[4]).toInt());
            editor.PCImageClick(QByteArray(argv[5]).toInt());
            form.runCommand([&] { editor.Button1Click(); });
            for (const QString &error : std::as_const(prompter.errors))
                std::fprintf(stderr, "error: %s\n", error.toLocal8Bit().constData());
            for (const MessageBox &box : std::as_const(prompter.messages))
                std::fprintf(stderr, "message: %s\n", box.text.toLocal8Bit().constData());
            std::fputs(editor.boardModified() ? "changed\n" : "unchanged\n", stdout);
            std::fflush(stdout);
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
