#pragma once

#include "tiledefinition/TileDefinition.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace kestrix {

class Editor;

// The tile definition dialog: edits one tile's catalogue entries, can give
// its pictures a new number, and on "Übernehmen" has the Editor write them
// into the catalogue and its file; closing it undoes nothing that was
// applied. Its texts are fixed and not taken from the language file; the
// message boxes it shows take their title and buttons from it.
class TileDefinitionDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens on tile id's picture. Throws KestrixError when that tile's large
    // picture cannot be read: the dialog is then not to be shown. Errors of
    // later commands go to the prompter's error box.
    TileDefinitionDialog(Editor &editor, int id, QWidget *parent = nullptr);

private:
    struct SideControls
    {
        std::array<QCheckBox *, SideCount> boxes{};
        std::array<QLineEdit *, SideCount> fields{}; // null on pages without fields
    };

    void createControls();
    void createPictureSheet();
    void placeBeltItems();
    void createSideSheet(SidePage page, const char *caption, const char *labelName, const char *question);
    void createSideControls(SidePage page, QWidget *sheet);
    void showSelectedTile();
    void showSideField(SidePage page, int side);
    void applySelection();
    void showDefinition(const TileDefinition &definition);
    TileDefinition shownDefinition() const;
    void showTitle(int id);
    void report(const QString &text);
    void refuse(const QString &text);

    Editor &m_editor;
    TileFileLine m_line; // the selected line of the picture list

    QListWidget *m_pictureList = nullptr;
    QTabWidget *m_pages = nullptr;
    QLineEdit *m_numberField = nullptr;
    QLineEdit *m_positionField = nullptr;
    QGroupBox *m_beltGroup = nullptr;
    QButtonGroup *m_beltItems = nullptr;
    std::array<SideControls, SidePageCount> m_sides{};
    QFrame *m_picturePanel = nullptr;
    QLabel *m_picture = nullptr;
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_cancelBtn = nullptr;
};

} // namespace kestrix
