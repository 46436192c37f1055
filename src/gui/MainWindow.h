#pragma once

#include "app/Editor.h"
#include "util/KestrixError.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <exception>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QCheckBox;
class QFrame;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace kestrix {

class BoardPanel;
class CellView;
class RegionFrame;
enum class KeyCommand;
class PalettePanel;
struct ShortcutRow;
class GuiPrompter;
class OptionsDialog;
class StatusLine;

// Where the program runs from and what it opens at start.
struct StartOptions
{
    QString programFolder; // the executable's folder, ending with "/"
    QString userFolder;    // the per-user folder, ending with "/"
    QString boardPath;     // the board named on the command line; empty for none
    // A board name on the command line that is no file name, percent-encoded:
    // the window opens without a board and says so.
    QString undecodableBoard{};
    // How often a board with unsaved changes is kept in the recovery folder.
    int recoveryIntervalMs = 30000;
    // How soon after a change it is kept at the latest, so that a program
    // killed a few seconds after an edit loses nothing.
    int recoveryDelayMs = 2000;
};

// The main window: builds the widgets, forwards events to the Editor and
// repaints from its signals. It holds no editing state of its own.
//
// The constructor builds the window as designed (menus, panels, in the
// no-board state), then startUp runs the start-up steps. The parts live in
// separate files: MainWindow.cpp start-up, exit and dialogs; MainWindowMenus.cpp the
// main menu; MainWindowPanels.cpp the panels, cells and step boxes;
// MainWindowCaptions.cpp the language; MainWindowView.cpp the repaint from the Editor;
// MainWindowKeys.cpp the keyboard; MainWindowAccess.cpp the names for assistive technology.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Without a prompter the window shows real message boxes and dialogs.
    explicit MainWindow(const StartOptions &options, Prompter *prompter = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    Editor &editor() { return m_editor; }

    // Runs one command of the window. A file or system error ends it and is
    // shown in the error box; returns whether the command ran to its end.
    template<class Command>
    bool runCommand(Command &&command);

    // Sets the captions of the window's components in the order they were
    // created: lookup gives the caption for a component name, empty to keep
    // the current one.
    void applyCaptions(const std::function<QString(const QString &)> &lookup);
    // The menu entries show their shortcuts with the language's names of the
    // keys.
    void showShortcutTexts();
    // A menu entry's caption without the shortcut text.
    static QString menuCaption(const QAction *action);

    // Small screens get the window in their top left corner.
    static bool startsAtTopLeft(int screenHeight) { return screenHeight < 800; }

    // The options dialog on the Editor's settings, over the window; OK writes
    // the settings (unless their file could not be read at start: it is not
    // written over) and repaints the cursor. The caller frees it before the
    // window. showOptionsDialog shows it modally, a test drives it without.
    std::unique_ptr<OptionsDialog> createOptionsDialog();

    // Every key of the editor, then every menu entry with a shortcut, in the
    // user's language: what the list of keys shows.
    QList<ShortcutRow> shortcutRows() const;

    // A signal that ends the program (logout, the terminal closed, Ctrl+C):
    // keeps the unsaved board for the next start and ends with 128 + signal,
    // asking nothing.
    void endOnSignal(int signal);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A board file dropped on the window opens as "Öffnen..." would; any
    // other drop is refused.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // --- start-up, exit and dialogs (MainWindow.cpp) ----------------------------
    void startUp();
    void buildAfterLoading(Resources::Step step);
    void writeSettingsAtExit();
    void loadStartBoard();
    bool askMayClose();
    void exitProgram();
    void showNewElementDialog();
    void showOptionsDialog();
    void showAboutDialog();
    // Administration mode: the tile definition dialog for tile id, modally.
    void showTileDefinition(int id);

    // --- language (MainWindowCaptions.cpp) ---------------------------------------
    void showLanguage();
    void buildLanguageMenu();
    void chooseLanguage(qsizetype index);
    void showLanguageEntries();
    void registerCaption(const QString &name, std::function<void(const QString &)> apply);
    void registerButton(QAbstractButton *button);
    void setEntryCaption(QAction *action, const QString &caption);

    // --- main menu (MainWindowMenus.cpp) -----------------------------------------
    void buildMenus();
    QMenu *addMenu(const char *name, const QString &caption);
    QAction *addEntry(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {});
    QAction *addSeparator(QMenu *menu, const char *name);
    void connectCommand(QAction *action, std::function<void()> command);
    void connectMenuCommands();
    // The region's commands and the clipboard (MainWindowRegion.cpp).
    void addRegionEntries();
    void connectRegionCommands();
    void showRegion();
    // The entries of the recent boards' menu, from the Editor's list.
    void showRecentBoards();

    // --- panels, cells and step boxes (MainWindowPanels.cpp) ---------------------
    void buildPanels();
    void buildSelectionPanel();
    void buildStepPanel();
    void createBoardCells();
    void createSelectionCell();
    void buildPalette();
    void createStepBoxes();
    void paintCursor();

    // --- keyboard (MainWindowKeys.cpp) --------------------------------------------
    void installKeys();
    void setFocusOrder();
    void runKeyCommand(KeyCommand command);
    void runSelectionKey(KeyCommand command);
    void moveTarget(KeyCommand command);
    void moveRegionCorner(KeyCommand command);
    void turnPalettePage(int step);
    void focusPart(int step);
    void focusPalette();
    void showShortcutDialog();

    // --- names for assistive technology (MainWindowAccess.cpp) -------------------
    void showAccessibleNames();
    void showSelectionName();
    QString fieldName(int cell) const;
    QString tileDescription(int tileId, int rotation, const QString &steps) const;
    QString elementName(int tileId) const;
    QString keysOf(KeyCommand command) const;

    // --- repaint from the Editor (MainWindowView.cpp) ----------------------------
    void connectEditor();
    void showCell(int cell);
    void showSelection();
    void moveCursor(int cell);
    void showStepBoxes();
    void showStepBoxCaptions();
    void showDocumentState();
    // The status line under the board: the check's verdict after every
    // change; a click on a failing verdict selects the first field of the
    // failing pair.
    void buildStatusLine();
    void showCheckVerdict();
    void selectCheckFailure();

    StartOptions m_options;
    std::unique_ptr<GuiPrompter> m_ownPrompter;
    Prompter &m_prompter;
    Editor m_editor;
    bool m_closeApproved = false; // Exit has asked already
    bool m_startBoardPending = false; // the command line's board waits for the window to show
    bool m_startedUp = false;         // startUp ran to its end
    bool m_recoveryOffered = false;
    QTimer *m_recoveryTimer = nullptr;
    QTimer *m_recoveryDelay = nullptr; // runs from a change until the board is kept
    StatusLine *m_statusLine = nullptr;
    QTimer *m_verdictDelay = nullptr; // one check for the many fields of one change

    struct CaptionTarget
    {
        QString name;
        std::function<void(const QString &)> apply;
    };
    QList<CaptionTarget> m_captionTargets; // in creation order
    QList<QAction *> m_shortcutEntries; // the menu entries with a shortcut

    struct Menus
    {
        QMenu *file = nullptr;
        QAction *newBoard = nullptr;
        QAction *open = nullptr;
        QAction *save = nullptr;
        QAction *saveAs = nullptr;
        QAction *close = nullptr;
        QMenu *recent = nullptr; // the boards opened or saved last
        QAction *exit = nullptr;
        QMenu *edit = nullptr;
        QAction *undo = nullptr;
        QAction *redo = nullptr;
        QAction *cut = nullptr;
        QAction *copy = nullptr;
        QAction *paste = nullptr;
        QAction *clear = nullptr;
        QAction *turnRight = nullptr;
        QAction *turnLeft = nullptr;
        QAction *selectAll = nullptr;
        QAction *check = nullptr;
        QAction *print = nullptr;
        QAction *exportPictures = nullptr;
        QAction *exportWholePicture = nullptr;
        QAction *newElement = nullptr;
        QAction *newElementSeparator = nullptr;
        QAction *options = nullptr;
        QMenu *help = nullptr;
        QList<QAction *> languages; // in front of languageSeparator, one per language file
        QAction *languageSeparator = nullptr;
        QAction *keys = nullptr;
        QAction *about = nullptr;
    } m_menu;

    QFrame *m_selectionPanel = nullptr;
    QListWidget *m_fileList = nullptr;
    QTabWidget *m_paletteTabs = nullptr;
    std::array<QWidget *, 6> m_palettePages{};
    std::array<PalettePanel *, 6> m_palettePanels{}; // created by buildPalette
    BoardPanel *m_boardPanel = nullptr;
    CellView *m_cursor = nullptr;
    RegionFrame *m_regionFrame = nullptr; // above the cells
    std::array<CellView *, CellCount> m_cellViews{}; // created by createBoardCells
    CellView *m_selectionCell = nullptr;              // created by createSelectionCell
    std::array<QToolButton *, 3> m_turnButtons{};
    QPushButton *m_applyButton = nullptr;
    QFrame *m_stepPanel = nullptr;
    std::array<QCheckBox *, 5> m_stepBoxes{}; // created by createStepBoxes
    QCheckBox *m_allStepsBox = nullptr;
};

template<class Command>
bool MainWindow::runCommand(Command &&command)
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const KestrixError &error) {
        m_prompter.showError(m_editor.language().errorText(error));
    } catch (const std::exception &error) {
        m_prompter.showError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace kestrix
