#include "gui/FocusFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace kestrix {

FocusFrame::FocusFrame(QWidget *part) : QWidget(part)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(part->rect());
    part->installEventFilter(this);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusFrame::follow(QWidget *focus)
{
    QWidget *part = parentWidget();
    const bool inside = focus && (focus == part || part->isAncestorOf(focus));
    setVisible(inside);
    if (inside)
        raise();
}

bool FocusFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0));
}

} // namespace kestrix
