#pragma once

#include <QDialog>

namespace kestrix {

class Language;

// The new-element dialog: an empty frame with OK and Cancel. Its result is
// not used.
class NewElementDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewElementDialog(QWidget *parent = nullptr);

    // Button captions by component name (an empty one keeps the caption) and
    // the title NECaption, also when it is empty.
    void applyLanguage(const Language &language);
};

} // namespace kestrix
