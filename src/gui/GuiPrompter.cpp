#include "gui/GuiPrompter.h"

#include "gui/BoardPrinter.h"
#include "gui/RecoveryDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

namespace kestrix {

namespace {

QMessageBox::Icon iconFor(BoxType type)
{
    switch (type) {
    case BoxType::Warning: return QMessageBox::Warning;
    case BoxType::Error: return QMessageBox::Critical;
    case BoxType::Information: return QMessageBox::Information;
    case BoxType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleFor(Answer answer)
{
    switch (answer) {
    case Answer::Yes: return QMessageBox::YesRole;
    case Answer::No: return QMessageBox::NoRole;
    case Answer::Ok: return QMessageBox::AcceptRole;
    case Answer::Cancel: return QMessageBox::RejectRole;
    }
    return QMessageBox::AcceptRole;
}

// A message box in the middle of the screen, wherever the main window lies.
// Its size is known only once it is shown.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (const QScreen *shownOn = screen())
            move(shownOn->availableGeometry().center() - rect().center());
    }

    // Escape and the close box end the box without a button, even when it
    // has no Cancel: a question is never taken as answered No unless No was
    // pressed.
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            reject();
        else
            QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent *event) override { QDialog::closeEvent(event); }
};

} // namespace

GuiPrompter::GuiPrompter(QWidget *parent) : m_parent(parent) {}

GuiPrompter::~GuiPrompter() = default;

Prompter::Answer GuiPrompter::message(const Message &message)
{
    CentredMessageBox box(iconFor(message.type), message.title, message.text, QMessageBox::NoButton, m_parent);
    // File names and language texts may hold anything, markup included.
    box.setTextFormat(Qt::PlainText);
    QList<MessageButton> buttons = message.buttons;
    if (buttons.isEmpty())
        buttons.append({Answer::Ok, QStringLiteral("OK")});
    QList<QPair<QAbstractButton *, Answer>> shown;
    for (const MessageButton &button : buttons) {
        QPushButton *pushButton = box.addButton(button.caption, roleFor(button.answer));
        shown.append({pushButton, button.answer});
    }
    box.setDefaultButton(static_cast<QPushButton *>(shown.first().first));
    box.exec();
    for (const auto &[pushButton, answer] : std::as_const(shown)) {
        if (box.clickedButton() == pushButton)
            return answer;
    }
    return Answer::Cancel;
}

QString GuiPrompter::askOpenFile(const FileRequest &request)
{
    return askFile(request, false);
}

QString GuiPrompter::askSaveFile(const FileRequest &request)
{
    return askFile(request, true);
}

QString GuiPrompter::askFile(const FileRequest &request, bool save)
{
    QFileDialog dialog(m_parent, request.title, request.initialFolder, qtNameFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog takes names of files that do not exist too: opening
    // them reports the missing file.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The filter list shows the descriptions alone, as the language file words them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && request.confirmOverwrite));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void GuiPrompter::showError(const QString &text)
{
    CentredMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

PagePrinter *GuiPrompter::askPrint(PageRange &pages)
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_boardPrinter = std::make_unique<BoardPrinter>(*m_printer);
    }
    const bool allPages = pages.fromPage == pages.minPage && pages.toPage == pages.maxPage;
    m_printer->setPrintRange(allPages ? QPrinter::AllPages : QPrinter::PageRange);
    m_printer->setFromTo(pages.fromPage, pages.toPage);
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(pages.minPage, pages.maxPage);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // "All pages" means all of them, whatever numbers the range fields held.
    if (m_printer->printRange() == QPrinter::AllPages) {
        pages.fromPage = pages.minPage;
        pages.toPage = pages.maxPage;
    } else {
        pages.fromPage = m_printer->fromPage();
        pages.toPage = m_printer->toPage();
    }
    return m_boardPrinter.get();
}

Prompter::RecoveryChoice GuiPrompter::askRecovery(const RecoveryRequest &request)
{
    RecoveryDialog dialog(request, m_parent);
    dialog.exec();
    return dialog.choice();
}

QString GuiPrompter::qtNameFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(u';', u' ');
        pattern = pattern.simplified();
        // Without a description the patterns are the whole filter.
        filters.append(parts[i].isEmpty() ? pattern : parts[i] + QStringLiteral(" (") + pattern + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace kestrix
