#pragma once

#include <QLabel>

namespace kestrix {

// The line below the window that shows the board check's verdict. Its text
// comes from the language file and names the board, so it is plain text;
// a left click is reported. It has no component name: no language file
// gives it a caption.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace kestrix
