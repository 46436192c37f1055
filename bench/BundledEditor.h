#pragma once

// The Editor on the bundled tile set of this build, as the benchmarks time
// it: a prompter that answers every box alike and every save dialog with
// savePath, and the start-up steps that load the language, the catalogue,
// the step marks and the palette.

#include "app/Editor.h"
#include "app/Prompter.h"

namespace kestrix {

class SilentPrompter : public Prompter
{
public:
    explicit SilentPrompter(Answer answer) : m_answer(answer) {}

    Answer message(const Message &) override { return m_answer; }
    QString askOpenFile(const FileRequest &) override { return {}; }
    QString askSaveFile(const FileRequest &) override { return savePath; }
    void showError(const QString &) override {}

    QString savePath;

private:
    Answer m_answer;
};

class BundledEditor
{
public:
    explicit BundledEditor(Prompter::Answer answer = Prompter::Answer::Ok) : m_prompter(answer)
    {
        m_editor.setProgramFolder(QStringLiteral(KESTRIX_BIN_DIR "/"));
        m_editor.loadResources(Resources::LanguageStep | Resources::CatalogueStep | Resources::PaletteStep
                               | Resources::StepMarksStep);
    }

    Editor &editor() { return m_editor; }
    SilentPrompter &prompter() { return m_prompter; }

private:
    SilentPrompter m_prompter;
    Editor m_editor{m_prompter};
};

} // namespace kestrix
