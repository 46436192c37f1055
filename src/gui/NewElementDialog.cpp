#include "gui/NewElementDialog.h"

#include "gui/FormFont.h"
#include "language/Language.h"

#include <QFrame>
#include <QPushButton>
#include <QScreen>

namespace kestrix {

NewElementDialog::NewElementDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NeuEleDLG"));
    setWindowTitle(QStringLiteral("Neues Fabrikelement..."));
    setFont(FormFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(313, 214);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 297, 161);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("NEOKBtn"));
    ok->setGeometry(79, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Escape rejects a QDialog as well.
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("NECancelBtn"));
    cancel->setGeometry(159, 180, 75, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void NewElementDialog::applyLanguage(const Language &language)
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        const QString caption = language.caption(button->objectName());
        if (!caption.isEmpty())
            button->setText(caption);
    }
    setWindowTitle(language.caption(QStringLiteral("NECaption")));
}

} // namespace kestrix
