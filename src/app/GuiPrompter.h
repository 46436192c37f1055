#pragma once

#include "app/Prompter.h"

class QWidget;

namespace kestrix {

// The Prompter of the running program: message boxes and file dialogs in
// front of a parent window.
class GuiPrompter : public Prompter
{
public:
    explicit GuiPrompter(QWidget *parent) : m_parent(parent) {}

    Answer message(const Message &message) override;
    QString askOpenFile(const FileRequest &request) override;
    QString askSaveFile(const FileRequest &request) override;
    void showError(const QString &text) override;

    // "description|pattern|description|pattern" as a file dialog's name
    // filter "description (pattern);;description (pattern)". Patterns listed
    // with ";" are separated by blanks; an empty description leaves the
    // patterns alone, and a description without pattern is left out.
    static QString QtNameFilter(const QString &filter);

private:
    QString askFile(const FileRequest &request, bool save);

    QWidget *m_parent;
};

} // namespace kestrix
