#pragma once

#include "app/Prompter.h"

#include <memory>

class QPrinter;
class QWidget;

namespace kestrix {

// The Prompter of the running program: message boxes and file dialogs in
// front of a parent window.
class GuiPrompter : public Prompter
{
public:
    explicit GuiPrompter(QWidget *parent);
    ~GuiPrompter() override;

    Answer message(const Message &message) override;
    QString askOpenFile(const FileRequest &request) override;
    QString askSaveFile(const FileRequest &request) override;
    void showError(const QString &text) override;
    // The printer is made on first use and kept, so the next run of the
    // dialog offers the one chosen last.
    PagePrinter *askPrint(PageRange &pages) override;
    RecoveryChoice askRecovery(const RecoveryRequest &request) override;

    // "description|pattern|description|pattern" as a file dialog's name
    // filter "description (pattern);;description (pattern)". Patterns listed
    // with ";" are separated by blanks; an empty description leaves the
    // patterns alone, and a description without pattern is left out.
    static QString qtNameFilter(const QString &filter);

private:
    QString askFile(const FileRequest &request, bool save);

    QWidget *m_parent;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PagePrinter> m_boardPrinter;
};

} // namespace kestrix
