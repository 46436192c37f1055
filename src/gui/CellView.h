#pragma once

#include <QImage>
#include <QWidget>

namespace kestrix {

// An image control: shows its picture stretched to its size, optionally with
// the colour of the picture's bottom-left pixel left out, and reports clicks.
class CellView : public QWidget
{
    Q_OBJECT

public:
    explicit CellView(QWidget *parent = nullptr);

    const QImage &image() const { return m_image; }
    void setImage(const QImage &image);

    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

signals:
    // A left-button press and release inside the control, with the keys held.
    void clicked(Qt::KeyboardModifiers modifiers);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void updateShownImage();

    QImage m_image;
    QImage m_shown; // m_image, with the transparent colour keyed out
    bool m_transparent = false;
    bool m_pressed = false;
};

} // namespace kestrix
