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

class Language;
class Resources;

// The options dialog: the four board conventions, the cursor colour and the
// ground-plate group, shown from the loaded resources in their language. OK
// hands the new settings to commit (the Editor's command, which writes
// them); Cancel changes nothing. Errors (a language that could not be
// loaded, a preview picture, the commit) go to reportError, and the dialog
// stays usable.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    using Commit = std::function<void(const Settings &settings)>;
    using ErrorReport = std::function<void(const KestrixError &error)>;

    OptionsDialog(const Resources &resources, Commit commit, ErrorReport reportError, QWidget *parent = nullptr);

private:
    void createControls();
    void createConventionBoxes();
    void createColorItems();
    void startUp(const Resources &resources);
    void applyCaptions(const Language &language);
    void report(const KestrixError &error);
    void selectColor(int value);
    int selectedColor() const;
    void colorBoxActivated(int index);
    void showGroupPreview();
    void acceptSettings();

    Settings m_settings;
    QString m_programFolder;
    Commit m_commit;
    ErrorReport m_reportError;
    int m_previousColorIndex = -1;

    QGroupBox *m_editorGroup = nullptr;
    QGroupBox *m_conventionsGroup = nullptr;
    QLabel *m_cursorColourLabel = nullptr;
    QLabel *m_groundPlateLabel = nullptr;
    QLabel *m_conventionsLabel = nullptr;
    QComboBox *m_colorBox = nullptr;
    QComboBox *m_comboBox = nullptr;
    QLabel *m_image = nullptr;
    QCheckBox *m_checkBoxes[4] = {};
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace kestrix
