#include "gui/CellView.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrix {

CellView::CellView(QWidget *parent) : QWidget(parent)
{
}

void CellView::setImage(const QImage &image)
{
    m_image = image;
    updateShownImage();
}

void CellView::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    updateShownImage();
}

void CellView::updateShownImage()
{
    if (!m_transparent || m_image.isNull()) {
        m_shown = m_image;
    } else {
        m_shown = m_image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = m_shown.pixel(0, m_shown.height() - 1) & RGB_MASK;
        for (int y = 0; y < m_shown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(m_shown.scanLine(y));
            for (int x = 0; x < m_shown.width(); ++x) {
                if ((line[x] & RGB_MASK) == key)
                    line[x] = 0;
            }
        }
    }
    update();
}

void CellView::paintEvent(QPaintEvent *)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), m_shown);
}

void CellView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void CellView::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->modifiers());
}

void CellView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The release after a double click is not a further click.
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace kestrix
