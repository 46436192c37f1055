#pragma once

#include <QMainWindow>

namespace kestrix {

class Editor;

// The main window: builds the widgets, forwards events to the Editor and
// repaints from its signals. It holds no editing state of its own.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;
};

} // namespace kestrix
