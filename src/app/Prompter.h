#pragma once

#include "language/MessageBox.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kestrix {

class PagePrinter;

// Every question, message box and file dialog of the program goes through
// this seam: the main window implements it with real dialogs, tests with
// scripted answers.
class Prompter
{
public:
    // The message data lives with the language state, which builds it.
    using BoxType = kestrix::BoxType;
    using Answer = kestrix::Answer;
    using Button = MessageButton;
    using Message = MessageBox;

    struct FileRequest
    {
        QString title;
        QString filter;        // "description|pattern|description|pattern"
        QString initialFolder;
        QString fileName;      // preset name, may be empty
        QString defaultSuffix; // without the dot
        bool confirmOverwrite = true; // save dialogs: ask before replacing a file
    };

    // The page choice of a print dialog; the chosen range is kept between runs
    // of the dialog.
    struct PageRange
    {
        int minPage = 1;
        int maxPage = 4;
        int fromPage = 1;
        int toPage = 4;
    };

    // One question about several boards kept by instances that died.
    struct RecoveryRequest
    {
        QString title;
        QString text;
        QStringList boards; // one line each: the board's name and when it was kept; newest first
        QString restoreCaption;    // restores the one board chosen
        QString discardCaption;    // discards the boards chosen
        QString discardAllCaption; // discards every board
        QString keepCaption;       // keeps every board for the next start
    };

    struct RecoveryChoice
    {
        enum class Action { Keep, Restore, Discard };
        Action action = Action::Keep;
        QList<int> boards; // indexes into the request's boards
    };

    virtual ~Prompter() = default;

    // Shows a modal message box and returns the button pressed. A box closed
    // without a button (Escape, the window's close box) answers Cancel,
    // whatever buttons it has: only a button pressed says Yes or No.
    virtual Answer message(const Message &message) = 0;
    // The chosen full path, or empty when the dialog was cancelled.
    virtual QString askOpenFile(const FileRequest &request) = 0;
    virtual QString askSaveFile(const FileRequest &request) = 0;
    // A system error of a command, shown in the error box.
    virtual void showError(const QString &text) = 0;
    // The print dialog, preset with the page range, which then holds the
    // pages chosen. Returns the printer the user chose (it belongs to the
    // prompter), or nullptr when the dialog was cancelled. A prompter
    // without printers cancels.
    virtual PagePrinter *askPrint(PageRange &) { return nullptr; }
    // Offers every board of request at once. Closing the dialog keeps them
    // all, as a prompter without the dialog does.
    virtual RecoveryChoice askRecovery(const RecoveryRequest &) { return {}; }
};

} // namespace kestrix
