#include "gui/ShortcutDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrix {

ShortcutDialog::ShortcutDialog(const QString &title, const QStringList &headers, const QList<ShortcutRow> &rows,
                               const QString &closeText, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("KeysDLG"));
    setWindowTitle(title);
    auto *table = new QTableWidget(int(rows.size()), 3, this);
    table->setObjectName(QStringLiteral("KeysTable"));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    for (int r = 0; r < int(rows.size()); ++r) {
        const QString cells[] = {rows[r].place, rows[r].keys, rows[r].command};
        for (int c = 0; c < 3; ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(closeText, QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(760, 560);
    table->setFocus();
}

} // namespace kestrix
