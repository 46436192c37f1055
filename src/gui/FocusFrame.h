#pragma once

#include <QWidget>

namespace kestrix {

// A frame along the edge of one part of the window (the board, the
// selection panel, the palette), shown while the keyboard focus is inside
// that part. It lies above the part's children but takes no clicks and paints
// only the part's two outermost pixels, where no cell, cursor or region frame
// lies.
class FocusFrame : public QWidget
{
    Q_OBJECT

public:
    explicit FocusFrame(QWidget *part);

    static constexpr int Width = 2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focus);
};

} // namespace kestrix
