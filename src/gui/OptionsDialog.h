#pragma once

#include "document/Settings.h"
#include "util/KestrixError.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kestrix {

// The options dialog: the four board conventions, the cursor colour and the
// ground-plate group. OK changes the settings in place and writes them;
// Cancel changes nothing. Errors (language file, preview picture, writing)
// go to reportError, and the dialog stays usable.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    using ErrorReport = std::function<void(const KestrixError &error)>;

    OptionsDialog(Settings &settings, const QString &programFolder, const QString &userFolder,
                const QString &languageCode, int groupCount, ErrorReport reportError,
                QWidget *parent = nullptr);

signals:
    // After OK, once the settings file has been written: the cursor is to be
    // repainted in its colour.
    void settingsWritten();

private:
    void createControls();
    void createConventionBoxes();
    void createColorItems();
    void startUp(const QString &languageCode, int groupCount);
    void applyCaptions(const QString &languageCode);
    void report(const KestrixError &error);
    void selectColor(int value);
    int selectedColor() const;
    void colorBoxActivated(int index);
    void ComboBox1Change();
    void OpOKBtnClick();

    Settings &m_settings;
    QString m_programFolder;
    QString m_userFolder;
    ErrorReport m_reportError;
    int m_previousColorIndex = -1;

    QGroupBox *m_groupBox1 = nullptr;
    QGroupBox *m_groupBox2 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_colorBox = nullptr;
    QComboBox *m_comboBox = nullptr;
    QLabel *m_image = nullptr;
    QCheckBox *m_checkBoxes[4] = {};
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace kestrix
