#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

namespace kestrix {

// One line of the list of keys: where the keys work, the keys, what they do.
struct ShortcutRow
{
    QString place;
    QString keys;
    QString command;

    bool operator==(const ShortcutRow &) const = default;
};

// The list of the editor's keys, read-only, as the window built it.
class ShortcutDialog : public QDialog
{
    Q_OBJECT

public:
    ShortcutDialog(const QString &title, const QStringList &headers, const QList<ShortcutRow> &rows,
                   const QString &closeText, QWidget *parent = nullptr);
};

} // namespace kestrix
