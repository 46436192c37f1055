#pragma once

#include "app/BoardOutput.h"
#include "app/BoardState.h"
#include "app/Prompter.h"
#include "app/RegionCommands.h"
#include "app/Resources.h"
#include "board/BoardGrid.h"
#include "board/UndoRing.h"
#include "catalogue/CellPicture.h"
#include "document/Document.h"
#include "rules/BoardRules.h"
#include "util/KestrixError.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <random>

namespace kestrix {

class DeferredRandom;

// The façade of the running program's editing state: it wires its parts
// (Resources, Document, RegionCommands, BoardOutput, the rules) and signals;
// the window forwards clicks and commands here and repaints from the
// signals. One section per concern, in member order; no widget here.
class Editor : public QObject
{
    Q_OBJECT

public:
    explicit Editor(Prompter &prompter, QObject *parent = nullptr);
    ~Editor() override;

    Prompter &prompter() { return m_prompter; }

    // --- folders and random generator --------------------------------------
    // Folders, ending with "/".
    void setProgramFolder(const QString &folder) { m_resources.setProgramFolder(folder); }
    const QString &programFolder() const { return m_resources.programFolder(); }
    void setUserFolder(const QString &folder)
    {
        m_resources.setUserFolder(folder);
        m_document.setUserFolder(folder);
    }
    const QString &userFolder() const { return m_resources.userFolder(); }

    // The random generator; seeded from the clock at start, a test seeds it.
    void seedRandom(quint32 seed) { m_random.seed(seed); }
    int random(int m); // uniform in 0..m-1 (0 when m <= 0)

    // --- resources: settings, language, catalogue, palette ---------------------
    const Resources &resources() const { return m_resources; }
    // Takes the steps asked for in their fixed order (see Resources); after
    // each, afterStep builds what relies on it. Throws KestrixError from the
    // step that fails; the later ones are not taken.
    void loadResources(Resources::Steps steps, const std::function<void(Resources::Step)> &afterStep = {});

    const Settings &settings() const { return m_resources.settings(); }
    // Writes nothing without a user folder or after a failed read; throws
    // KestrixError when the file cannot be written.
    void writeSettings() const { m_resources.writeSettings(); }
    // The options' command: the values hold from now on; they are written,
    // then settingsChanged is signalled. Throws KestrixError when the file
    // cannot be written: the values stay for this run.
    void changeSettings(const Settings &settings);
    // After a failed read of the settings file, says in the loaded language
    // which file could not be read, why, and that it stays as it is.
    void reportSettingsError();
    // The ground-plate group that new boards and reset fields take; every
    // reader of OpGroundPlates goes through this, never the raw value.
    int groundPlateGroup() const { return m_resources.groundPlateGroup(); }

    const Language &language() const { return m_resources.language(); }
    const QList<LanguageEntry> &languageEntries() const { return m_resources.languageEntries(); }
    // Entry index of the language menu was chosen (see Resources). The caller
    // writes the settings and loads the language.
    void chooseLanguage(qsizetype index) { m_resources.chooseLanguage(index); }

    const Catalogue &catalogue() const { return m_resources.catalogue(); }
    // The tile definition dialog's command (see TileDefinition.h); signals
    // catalogueChanged once written, else returns the refusal's text. The
    // palette keeps what it showed at start.
    QString applyTileDefinition(TileFileLine &line, const TileDefinition &definition);

    // --- palette -------------------------------------------------------------
    // The page of the palette the user looks at (0..5); the step panel goes
    // with the "Zähler" page.
    int activePalettePage() const { return m_activePalettePage; }
    void setActivePalettePage(int page) { m_activePalettePage = page; }
    // A palette picture was clicked: the selection takes tile tag (a random
    // plate of its group for a ground plate), unturned, without steps. Throws
    // KestrixError when its picture cannot be read; nothing changed then.
    void pickTile(int tag);
    // A double click on tile tag, after its click: in administration mode it
    // asks for the tile's definition (signal tileDefinitionRequested).
    void requestTileDefinition(int tag);

    // --- cell pictures -------------------------------------------------------
    CellPicture &cellPicture() { return m_cellPicture; }
    // The picture composed for board field n.
    const QImage &fieldPicture(int n) const { return m_fieldPictures[size_t(n)]; }
    // Composes board field n's picture from its tile, flags and rotation.
    // Throws KestrixError when a picture cannot be read; signals cellChanged
    // otherwise.
    void redrawCell(int n);
    // Composes the selection's large picture with flags.
    void redrawSelection(const QString &flags);
    // The cursor's picture in the colour OpCursorColor.
    QImage paintCursor() const;

    // --- messages ------------------------------------------------------------
    // Shows message index (with argument where it takes one); the answer.
    Answer showMessage(int index, const QString &argument = QString());

    // --- board and selection -------------------------------------------------
    const BoardFields &cells() const { return m_cells; }
    BoardFields &cells() { return m_cells; }
    const Selection &selection() const { return m_selection; }
    Selection &selection() { return m_selection; }
    bool selectionFromBoard() const { return m_selectionFromBoard; }

    // The step panel; shown for tiles that have step marks.
    bool stepPanelVisible() const { return m_stepPanelVisible; }
    void setStepPanelVisible(bool visible);

    // The five step boxes (index 0..4 for steps 1..5) and "Alle Schritte".
    bool stepBox(int i) const { return i >= 0 && i < 5 && m_stepBoxes[size_t(i)]; }
    // The user ticked or unticked box i; its click behaviour is applyStepBoxes.
    void setStepBox(int i, bool ticked);
    bool allStepsBox() const { return m_allStepsBox; }
    QString stepFlagsFromBoxes() const;
    // Ticks box i exactly when character i + 1 of flags is "1". No click:
    // the view follows without applying the boxes.
    void setStepBoxes(const QString &flags);
    // A step box was clicked: the selection is redrawn with the ticked steps.
    void applyStepBoxes();
    // The user ticked or unticked "Alle Schritte"; its click behaviour is
    // applyAllStepsBox.
    void setAllStepsBox(bool ticked);
    // "Alle Schritte" was clicked: all five boxes follow it and the
    // selection is redrawn once.
    void applyAllStepsBox();

    // The turn buttons: a quarter turn counter-clockwise, a half turn, a
    // quarter turn clockwise. The picture shown is turned as it stands; the
    // board, the undo ring and the modified flag are not touched.
    void turnSelectionCounterClockwise();
    void turnSelectionHalf();
    void turnSelectionClockwise();

    // Selects board field cell: the cursor moves there and the selection
    // takes the field's tile, rotation and steps. The board is not changed.
    void selectField(int cell);

    // --- document ------------------------------------------------------------
    // No board, a new board without a file, or a board with its full path.
    const DocumentState &documentState() const { return m_document.state(); }
    bool isBoardOpen() const { return m_document.isOpen(); }
    bool boardModified() const { return m_document.modified(); }
    // Set by applications, undo and redo; cleared by save, load and the
    // answers Yes and No about unsaved changes (dropping the kept copy).
    void setBoardModified(bool modified);
    QString boardDisplayName() const;
    QString windowTitle() const;

    // True when the caller may replace or drop the board. Asks only when the
    // board has unsaved changes; Yes saves it and gives false when the save
    // dialog was cancelled.
    bool askSaveChanges();
    // The save dialog, preset with the board's path (empty for a new board);
    // true when a name was confirmed, which is then the board's file.
    bool askSaveFileName();
    // Brings the window in step with the document (signal documentChanged),
    // empties the undo ring and, while a board is open, selects field 0.
    void refreshDocumentState();

    // The commands of the "Datei" menu. Each that drops the board asks
    // askSaveChanges first and stops on false. New and Open build the whole
    // board before it replaces the open one; a KestrixError (a file or
    // picture that cannot be read or written) leaves the board, its name,
    // the modified flag and the undo ring as they were.
    void newBoard();
    void openBoard();
    // True when the board was written. Save over a file changed on disk
    // since this editor read or wrote it asks first: Yes overwrites, No asks
    // for another name, Cancel writes nothing.
    bool saveBoard();
    bool saveBoardAs();
    void closeBoard();
    // Opens the board file path without asking about unsaved changes: at
    // start from the command line, and by Open once its dialog is confirmed.
    void loadBoard(const QString &path);
    // At start: says that the command line's board name is no file name here.
    void reportUndecodableStartBoard(const QString &name);
    // The recent boards (see Document).
    const RecentBoards &recentBoards() const { return m_document.recentBoards(); }
    // Entry index of the list was chosen: opens as Open would; a board gone,
    // or now a folder, FIFO or device, leaves the list with a message.
    void openRecentBoard(qsizetype index);
    // Opens the board file path as Open would once its dialog is confirmed,
    // asking about unsaved changes first: a board dropped on the window or
    // chosen from the recent list.
    void openBoardFile(const QString &path);

    // --- region: copy, cut, paste, clear and turns (see RegionCommands) ------
    RegionCommands &regions() { return m_regions; }
    const RegionCommands &regions() const { return m_regions; }

    // --- undo ----------------------------------------------------------------
    const UndoRing &undoRing() const { return m_undoRing; }
    void recordUndo(int n, bool groupStart); // field n's state before a change
    // "Rückgängig": takes back the last application, every field it changed.
    // The board counts as changed afterwards.
    void undoApplication();
    // "Wiederholen": writes again what the last undo took back, exactly as it
    // was, and records it as one group of the undo ring. A new application,
    // New, Open and Close leave nothing to redo.
    void redoApplication();

    // --- recovery of unsaved work --------------------------------------------
    const RecoveryStore &recovery() const { return m_document.recovery(); }
    // Keeps the open board while it has unsaved changes (see Document); the
    // board's own file is never written here. Throws KestrixError when it
    // cannot be written, only the first time while writing keeps failing.
    void writeRecovery();
    // At start: offers the boards that ended instances kept (RecoveryOffer);
    // the one restored opens as a changed board under its own name. A Cancel
    // to the question about the open board's changes keeps them all.
    void offerRecovery();
    // Warns when another running instance keeps unsaved changes of the board
    // file path; called whenever a board file opens.
    void warnIfKeptElsewhere(const QString &path);

    // --- apply ---------------------------------------------------------------
    // "Übernehmen": applies the selection as applyPlacement works it out: a
    // refusal shows its message, else the changed fields are one undo group
    // and the selection takes the fitted belt. Throws KestrixError when a
    // picture cannot be read; nothing has changed then.
    void applySelection();
    Conventions conventions() const; // of the settings, for the rules

    // --- file and print dialogs ---------------------------------------------
    // Kept for the whole run, so that they offer the choices made last.
    Prompter::FileRequest &openDialog() { return m_openDialog; }
    Prompter::FileRequest &boardSaveDialog() { return m_boardSaveDialog; }
    Prompter::FileRequest &pictureSaveDialog() { return m_output.pictureSaveDialog(); }
    Prompter::PageRange &printDialog() { return m_output.printDialog(); }

    // --- board check and output (see BoardOutput) ----------------------------
    // Every pair of tiles 5000..5999 must lie on the board exactly twice;
    // when it does not, the message of the lowest failing pair is shown with
    // the board's name and the result is false.
    bool checkBoard();
    // "Karte prüfen", "Als Bild speichern...", "... (ganzes Brett)..." and
    // "Drucken...": the check, then a message, an export or printing.
    void checkBoardAndReport();
    void checkAndExportBoard();
    void checkAndExportWholeBoard();
    void checkAndPrintBoard();
    // Ask for the picture file or the printer and pages, then write the four
    // quarters or print them, one job per page, straight from memory. Throw
    // KestrixError naming what failed; what was written or printed stays.
    void exportBoardPictures();
    void printBoard();
    // The check for the status line, and its verdict in words on one line
    // (the passed text or the failing entry's); empty without a board.
    BoardCheckResult boardCheck() const { return m_output.check(); }
    QString boardCheckVerdict() const;
    // What the board's pictures are drawn from for output.
    BoardPictureSource pictureSource() const { return m_output.pictureSource(); }

signals:
    // A board field's tile or picture changed, or the board was opened or
    // closed (a field is shown exactly while a board is open).
    void cellChanged(int cell);
    // The selection cell's tile, rotation or picture changed.
    void selectionChanged();
    void cursorMoved(int cell);
    void stepBoxesChanged();
    void stepPanelVisibilityChanged(bool visible);
    // Title, enabled commands and panels follow the document.
    void documentChanged();
    // "Rückgängig" is enabled exactly when the undo ring can take back.
    void undoChanged(bool canUndo);
    // "Wiederholen" is enabled exactly when there is something to redo.
    void redoChanged(bool canRedo);
    // The tile definition of tile id is to be edited.
    void tileDefinitionRequested(int id);
    // The options' new settings were written: the cursor takes its colour.
    void settingsChanged();
    // A tile definition was written into the catalogue.
    void catalogueChanged();
    // The recent boards' list changed.
    void recentBoardsChanged();
    // Long work (export, printing) begins or ends, also when it fails: the
    // window shows the wait cursor meanwhile.
    void busyChanged(bool busy);

protected:
    Prompter &m_prompter;

    // random generator
    std::mt19937 m_random;

    // resources, and short names for the parts the commands read
    Resources m_resources;
    const QString &m_programFolder = m_resources.programFolder();
    const QString &m_userFolder = m_resources.userFolder();
    const Settings &m_settings = m_resources.settings();
    const Language &m_language = m_resources.language();
    const Catalogue &m_catalogue = m_resources.catalogue();
    const StepMarkTables &m_stepMarks = m_resources.stepMarks();
    const PaletteIndex &m_palette = m_resources.palette();

    // messages
    QSet<int> m_reportedFaults; // messages whose faulty text was named already

    // palette
    int m_activePalettePage = 0;

    // cell pictures; refers to the catalogue, step marks and program folder
    CellPicture m_cellPicture{m_catalogue, m_stepMarks, m_programFolder};
    TileCodes m_tileCodes{m_catalogue};

    // board and selection
    BoardFields m_cells;
    FieldPictures m_fieldPictures;
    Selection m_selection;
    bool m_selectionFromBoard = false;
    bool m_stepPanelVisible = false;
    std::array<bool, 5> m_stepBoxes{};
    bool m_allStepsBox = false;

    // undo
    UndoRing m_undoRing;

    // region
    RegionCommands m_regions{*this};

    // document, recent boards and recovery of unsaved work
    Document m_document;

    // file and print dialogs
    Prompter::FileRequest m_openDialog;
    Prompter::FileRequest m_boardSaveDialog;

    // board check and output; reads the board and the resources
    BoardOutput m_output{m_prompter, m_resources, m_cells};

private:
    friend class RegionCommands;

    // language
    void takeLanguage();

    // cell pictures: the one way fields are written. The pictures of all
    // writes are composed first, so a picture that cannot be read changes
    // nothing; random draws are committed as far as the pictures got.
    QList<QImage> composeFieldPictures(const QList<FieldWrite> &writes, DeferredRandom *random = nullptr);
    void writeFields(const QList<FieldWrite> &writes, const QList<QImage> &pictures);
    // A change by the rules: its recorded states become one undo group, then
    // its fields are written; the board counts as changed, nothing to redo.
    void commitChange(const QList<FieldWrite> &recorded, const QList<FieldWrite> &written, const QList<QImage> &pictures);

    // board and selection
    void turnSelection(int quarterTurns);

    // undo
    void writeStates(const UndoRing &ring, const QList<UndoEntry> &states);

    // apply
    RuleSet ruleSet(RandomSource &random) const;

    // document
    bool askSaveChangedFile();
    void writeBoardFile(const DocumentState &previousState);
    ComposedBoard composeBoard(const QList<FieldWrite> &writes, DeferredRandom *random = nullptr);
    ComposedBoard composeBoard(const BoardFields &fields);
    void replaceBoard(const ComposedBoard &board, const DocumentState &state);
    // The selection's large picture for the tile, composed without touching
    // the selection. Throws KestrixError when a picture cannot be read.
    QImage composeSelectionPicture(int tag, const QString &flags, int rotation);
    QImage composeFieldSelection(const Field &field);
    // The selection takes field cell's tile with its composed picture.
    void takeFieldIntoSelection(int cell, QImage picture);

    // recent boards
    void rememberBoard(const QString &path);
    void writeRecentBoards();

    // recovery of unsaved work
    void restoreBoard(const KeptBoard &kept);
};

} // namespace kestrix
