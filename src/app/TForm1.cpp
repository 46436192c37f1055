#include "app/TForm1.h"

namespace kestrix {

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Zorvan - Editor"));
    setFixedSize(1008, 714);
}

TForm1::~TForm1() = default;

} // namespace kestrix
