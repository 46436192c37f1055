#pragma once

#include "app/Prompter.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace kestrix {

// The boards that instances which died kept, in one list: restore the one
// chosen, discard the chosen ones or all, or keep them all for the next
// start. Closing the dialog keeps them all.
class RecoveryDialog : public QDialog
{
public:
    RecoveryDialog(const Prompter::RecoveryRequest &request, QWidget *parent = nullptr);

    const Prompter::RecoveryChoice &choice() const { return m_choice; }

private:
    QList<int> chosenRows() const;
    void showChosen();
    void finish(Prompter::RecoveryChoice::Action action, QList<int> boards);

    QListWidget *m_list;
    QPushButton *m_restore;
    QPushButton *m_discard;
    Prompter::RecoveryChoice m_choice;
};

} // namespace kestrix
