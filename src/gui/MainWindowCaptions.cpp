#include "gui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>

namespace kestrix {

void MainWindow::registerCaption(const QString &name, std::function<void(const QString &)> apply)
{
    m_captionTargets.append({name, std::move(apply)});
}

void MainWindow::registerButton(QAbstractButton *button)
{
    registerCaption(button->objectName(), [button](const QString &text) { button->setText(text); });
}

void MainWindow::applyCaptions(const std::function<QString(const QString &)> &lookup)
{
    for (const CaptionTarget &target : std::as_const(m_captionTargets)) {
        const QString caption = lookup(target.name);
        if (!caption.isEmpty())
            target.apply(caption);
    }
}

// The window shows the texts of the language the Editor loaded.
void MainWindow::showLanguage()
{
    const Language &language = m_editor.language();
    applyCaptions([&language](const QString &name) { return language.caption(name); });
    showShortcutTexts();
    showStepBoxCaptions();
    setWindowTitle(m_editor.windowTitle());
    QCoreApplication::setApplicationName(language.title());
    showCheckVerdict();
    showAccessibleNames();
}

void MainWindow::buildLanguageMenu()
{
    const QList<LanguageEntry> &entries = m_editor.languageEntries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        auto *action = new QAction(entries[i].caption, m_menu.help);
        if (!entries[i].picturePath.isEmpty())
            action->setIcon(QIcon(entries[i].picturePath));
        m_menu.help->insertAction(m_menu.languageSeparator, action);
        connectCommand(action, [this, i] { chooseLanguage(i); });
        m_menu.languages.append(action);
    }
    showLanguageEntries();
}

void MainWindow::chooseLanguage(qsizetype index)
{
    m_editor.chooseLanguage(index);
    showLanguageEntries();
    m_editor.writeSettings();
    m_editor.loadResources(Resources::LanguageStep);
    showLanguage();
}

void MainWindow::showLanguageEntries()
{
    const QList<LanguageEntry> &entries = m_editor.languageEntries();
    for (qsizetype i = 0; i < m_menu.languages.size() && i < entries.size(); ++i)
        m_menu.languages[i]->setVisible(entries[i].visible);
}

} // namespace kestrix
