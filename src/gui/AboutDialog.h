#pragma once

#include <QDialog>

namespace kestrix {

// The About box. It is not translated: its title comes from the About menu
// entry's caption.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(const QString &title, QWidget *parent = nullptr);

    // The menu caption as a title: every "&" removed, then the dots at its end.
    static QString titleFromCaption(const QString &caption);
    // The program's picture, drawn here rather than shipped.
    static QImage programIcon(int size);
};

} // namespace kestrix
