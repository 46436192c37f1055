#include "gui/AboutDialog.h"

#include "gui/CellView.h"
#include "app/CommandLine.h"
#include "gui/FormFont.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

namespace kestrix {

namespace {

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

AboutDialog::AboutDialog(const QString &title, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InfoDLG"));
    setWindowTitle(title);
    setFont(FormFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(298, 198);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 281, 145);

    auto *icon = new CellView(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 65, 65);
    icon->setImage(programIcon(65));

    QLabel *productName = addLabel(panel, "ProductName", QStringLiteral("Kestrix "), 96, 16);
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(35);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    productName->setFont(nameFont);
    productName->adjustSize();

    QLabel *version = addLabel(panel, "Version",
                               QStringLiteral("Version ") + QLatin1String(ProgramVersion), 152, 52);
    version->setStyleSheet(QStringLiteral("color: red"));

    const struct { const char *name; const char *text; int top; } credits[] = {
        {"Credits1", "Editor für die Spielpläne von Zorvan", 84},
        {"Credits2", "Programm und Bilder: das Kestrix-Team", 100},
        {"Credits3", "Gebaut mit Qt und libjpeg", 124},
    };
    for (const auto &line : credits) {
        QLabel *label = addLabel(panel, line.name, QString::fromUtf8(line.text), 8, line.top);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFixedWidth(265);
    }

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(111, 164, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

QString AboutDialog::titleFromCaption(const QString &caption)
{
    QString title = caption;
    title.remove(u'&');
    while (title.endsWith(u'.'))
        title.chop(1);
    return title;
}

QImage AboutDialog::programIcon(int size)
{
    // A board corner in the factory colours with a belt arrow across it.
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(0x3a, 0x3f, 0x47));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal cell = size / 3.0;
    painter.setPen(QPen(QColor(0x8a, 0x91, 0x9c), size / 32.0));
    for (int i = 1; i < 3; ++i) {
        painter.drawLine(QPointF(i * cell, 0), QPointF(i * cell, size));
        painter.drawLine(QPointF(0, i * cell), QPointF(size, i * cell));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf2, 0xb1, 0x1c));
    const qreal mid = size / 2.0;
    QPainterPath arrow;
    arrow.moveTo(size * 0.12, mid - size * 0.09);
    arrow.lineTo(size * 0.58, mid - size * 0.09);
    arrow.lineTo(size * 0.58, mid - size * 0.22);
    arrow.lineTo(size * 0.90, mid);
    arrow.lineTo(size * 0.58, mid + size * 0.22);
    arrow.lineTo(size * 0.58, mid + size * 0.09);
    arrow.lineTo(size * 0.12, mid + size * 0.09);
    arrow.closeSubpath();
    painter.drawPath(arrow);
    return image;
}

} // namespace kestrix
