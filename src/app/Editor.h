#pragma once

#include "app/Prompter.h"
#include "board/BoardGrid.h"
#include "catalogue/Catalogue.h"
#include "catalogue/StepMarks.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <random>

namespace kestrix {

// The whole editing state of the running program and the logic of its
// commands. The main window is a view on it: it forwards clicks and menu
// commands here and repaints from the signals. Nothing here knows a widget.
class Editor : public QObject
{
    Q_OBJECT

public:
    explicit Editor(Prompter &prompter, QObject *parent = nullptr);
    ~Editor() override;

    // Folders, ending with "/".
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    const QString &programFolder() const { return m_programFolder; }
    void setUserFolder(const QString &folder) { m_userFolder = folder; }
    const QString &userFolder() const { return m_userFolder; }

    // The random generator; seeded from the clock at start, a test seeds it.
    void seedRandom(quint32 seed) { m_random.seed(seed); }
    // Uniform integer in 0..m-1 (0 when m <= 0).
    int random(int m);

    // --- board and selection --------------------------------------------
    const BoardCells &cells() const { return m_cells; }
    BoardCells &cells() { return m_cells; }
    const TImgKarte &selection() const { return m_selection; }
    TImgKarte &selection() { return m_selection; }
    bool selectionFromBoard() const { return m_selectionFromBoard; }
    bool panel4Visible() const { return m_panel4Visible; }

    // The five step boxes and "Alle Schritte".
    bool stepBox(int i) const { return m_stepBoxes[size_t(i)]; }
    bool allStepsBox() const { return m_allStepsBox; }
    bool stepClicksSuppressed() const { return m_stepClicksSuppressed; }
    QString StepFlagsFromBoxes() const;
    void SetStepBoxes(const QString &flags);

    // Selecting a field.
    void ImgKarteClick(int cell);

    // --- catalogue -------------------------------------------------------
    const Catalogue &catalogue() const { return m_catalogue; }
    Catalogue &catalogue() { return m_catalogue; }
    const StepMarkTables &stepMarks() const { return m_stepMarks; }

signals:
    void cellChanged(int cell);
    void selectionChanged();
    void cursorMoved(int cell);
    void stepBoxesChanged();
    void panel4VisibilityChanged(bool visible);
    void documentChanged();

protected:
    Prompter &m_prompter;

    QString m_programFolder;
    QString m_userFolder;
    std::mt19937 m_random;

    BoardCells m_cells;
    TImgKarte m_selection;
    bool m_selectionFromBoard = false;
    bool m_panel4Visible = false;
    std::array<bool, 5> m_stepBoxes{};
    bool m_allStepsBox = false;
    bool m_stepClicksSuppressed = false;

    Catalogue m_catalogue;
    StepMarkTables m_stepMarks;
};

} // namespace kestrix
