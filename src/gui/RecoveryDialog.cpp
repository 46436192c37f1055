#include "gui/RecoveryDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace kestrix {

RecoveryDialog::RecoveryDialog(const Prompter::RecoveryRequest &request, QWidget *parent)
    : QDialog(parent),
      m_list(new QListWidget(this)),
      m_restore(new QPushButton(request.restoreCaption, this)),
      m_discard(new QPushButton(request.discardCaption, this))
{
    setObjectName(QStringLiteral("RecoveryDialog"));
    setWindowTitle(request.title);
    auto *text = new QLabel(request.text, this);
    // Language texts and paths are shown as they stand, markup included.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    m_list->setObjectName(QStringLiteral("RecoveryList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->addItems(request.boards);
    m_restore->setObjectName(QStringLiteral("RecoveryRestore"));
    m_discard->setObjectName(QStringLiteral("RecoveryDiscard"));
    auto *discardAll = new QPushButton(request.discardAllCaption, this);
    discardAll->setObjectName(QStringLiteral("RecoveryDiscardAll"));
    auto *keep = new QPushButton(request.keepCaption, this);
    keep->setObjectName(QStringLiteral("RecoveryKeep"));
    m_restore->setDefault(true);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_restore, m_discard, discardAll, keep})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &RecoveryDialog::showChosen);
    connect(m_restore, &QPushButton::clicked, this,
            [this] { finish(Prompter::RecoveryChoice::Action::Restore, chosenRows()); });
    connect(m_discard, &QPushButton::clicked, this,
            [this] { finish(Prompter::RecoveryChoice::Action::Discard, chosenRows()); });
    connect(discardAll, &QPushButton::clicked, this, [this] {
        QList<int> all(m_list->count());
        std::iota(all.begin(), all.end(), 0);
        finish(Prompter::RecoveryChoice::Action::Discard, all);
    });
    connect(keep, &QPushButton::clicked, this, &QDialog::reject);

    // The newest board, first in the list, is chosen to begin with.
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    showChosen();
}

QList<int> RecoveryDialog::chosenRows() const
{
    QList<int> rows;
    for (const QListWidgetItem *item : m_list->selectedItems())
        rows.append(m_list->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Only one board can be restored into the window.
void RecoveryDialog::showChosen()
{
    const qsizetype chosen = m_list->selectedItems().size();
    m_restore->setEnabled(chosen == 1);
    m_discard->setEnabled(chosen > 0);
}

void RecoveryDialog::finish(Prompter::RecoveryChoice::Action action, QList<int> boards)
{
    m_choice.action = action;
    m_choice.boards = std::move(boards);
    accept();
}

} // namespace kestrix
