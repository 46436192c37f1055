#pragma once

#include "app/Prompter.h"

#include <QList>
#include <QStringList>

namespace kestrix {

// A Prompter for tests: answers come from queues filled beforehand, every
// box and dialog is recorded, and nothing ever waits for a person.
class ScriptedPrompter : public Prompter
{
public:
    // Answers for message(), in order. When the queue is empty a box with a
    // Cancel button answers Cancel, any other its first button (Ok without
    // buttons).
    QList<Answer> answers;
    // Chosen paths for askOpenFile() and askSaveFile(), in order; an empty
    // path, or an empty queue, cancels the dialog.
    QStringList files;
    // Page choices for askPrint(), in order; each hands out printer. An
    // empty queue, or no printer, cancels the dialog.
    QList<PageRange> pageChoices;
    PagePrinter *printer = nullptr;
    // Choices for askRecovery(), in order; an empty queue keeps every board.
    QList<RecoveryChoice> recoveryChoices;

    QList<Message> messages;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<PageRange> printRequests; // the ranges the print dialog was preset with
    QStringList errors;
    QList<RecoveryRequest> recoveryRequests;

    Answer message(const Message &message) override
    {
        messages.append(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        for (const Button &button : message.buttons) {
            if (button.answer == Answer::Cancel)
                return Answer::Cancel;
        }
        return message.buttons.isEmpty() ? Answer::Ok : message.buttons.first().answer;
    }

    QString askOpenFile(const FileRequest &request) override
    {
        openRequests.append(request);
        return files.isEmpty() ? QString() : files.takeFirst();
    }

    QString askSaveFile(const FileRequest &request) override
    {
        saveRequests.append(request);
        return files.isEmpty() ? QString() : files.takeFirst();
    }

    void showError(const QString &text) override { errors.append(text); }

    PagePrinter *askPrint(PageRange &pages) override
    {
        printRequests.append(pages);
        if (pageChoices.isEmpty() || !printer)
            return nullptr;
        const PageRange chosen = pageChoices.takeFirst();
        pages.fromPage = chosen.fromPage;
        pages.toPage = chosen.toPage;
        return printer;
    }

    RecoveryChoice askRecovery(const RecoveryRequest &request) override
    {
        recoveryRequests.append(request);
        return recoveryChoices.isEmpty() ? RecoveryChoice() : recoveryChoices.takeFirst();
    }
};

} // namespace kestrix
