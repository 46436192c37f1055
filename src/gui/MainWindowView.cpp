#include "gui/MainWindow.h"

#include "gui/BoardPanel.h"
#include "gui/CellGeometry.h"
#include "gui/CellView.h"
#include "gui/StatusLine.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace kestrix {

void MainWindow::connectEditor()
{
    connect(&m_editor, &Editor::cellChanged, this, &MainWindow::showCell);
    connect(&m_editor, &Editor::selectionChanged, this, &MainWindow::showSelection);
    connect(&m_editor, &Editor::cursorMoved, this, &MainWindow::moveCursor);
    connect(&m_editor, &Editor::stepBoxesChanged, this, &MainWindow::showStepBoxes);
    connect(&m_editor, &Editor::stepPanelVisibilityChanged, m_stepPanel, &QWidget::setVisible);
    connect(&m_editor, &Editor::undoChanged, m_menu.undo, &QAction::setEnabled);
    connect(&m_editor, &Editor::redoChanged, m_menu.redo, &QAction::setEnabled);
    connect(&m_editor, &Editor::busyChanged, this, [](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    connect(&m_editor, &Editor::settingsChanged, this, &MainWindow::paintCursor);
    connect(&m_editor, &Editor::tileDefinitionRequested, this,
            [this](int id) { runCommand([this, id] { showTileDefinition(id); }); });
    connect(&m_editor, &Editor::documentChanged, this, [this] {
        setWindowTitle(m_editor.windowTitle());
        showDocumentState();
        m_verdictDelay->start();
    });
    connect(&m_editor, &Editor::cellChanged, m_verdictDelay, qOverload<>(&QTimer::start));
}

// The widgets that start-up creates are missing when it failed early; the
// Editor's signals then have nothing to repaint.
void MainWindow::showCell(int cell)
{
    if (cell < 0 || cell >= CellCount || !m_cellViews[size_t(cell)])
        return;
    CellView *view = m_cellViews[size_t(cell)];
    view->setImage(m_editor.fieldPicture(cell));
    view->setVisible(m_editor.isBoardOpen());
}

void MainWindow::showSelection()
{
    if (m_selectionCell)
        m_selectionCell->setImage(m_editor.selection().picture);
}

void MainWindow::moveCursor(int cell)
{
    m_cursor->move(cellLeft(cell) - 2, cellTop(cell) - 2);
}

void MainWindow::showStepBoxes()
{
    for (int i = 0; i < 5; ++i) {
        if (m_stepBoxes[size_t(i)])
            m_stepBoxes[size_t(i)]->setChecked(m_editor.stepBox(i));
    }
    m_allStepsBox->setChecked(m_editor.allStepsBox());
}

void MainWindow::showStepBoxCaptions()
{
    for (int i = 0; i < 5; ++i) {
        if (m_stepBoxes[size_t(i)])
            m_stepBoxes[size_t(i)]->setText(m_editor.language().stepBoxCaption(i));
    }
}

// Board commands, the left panels and the cursor exist only for an open
// board; the board area is black behind a board and plain otherwise.
void MainWindow::showDocumentState()
{
    const bool open = m_editor.isBoardOpen();
    for (QAction *command : {m_menu.close, m_menu.check, m_menu.print, m_menu.exportPictures, m_menu.exportWholePicture,
                             m_menu.save, m_menu.saveAs, m_menu.cut, m_menu.copy, m_menu.paste, m_menu.clear,
                             m_menu.turnRight, m_menu.turnLeft, m_menu.selectAll})
        command->setEnabled(open);
    m_menu.undo->setEnabled(m_editor.undoRing().canUndo());
    m_menu.redo->setEnabled(m_editor.undoRing().canRedo());
    m_cursor->setVisible(open);
    m_selectionPanel->setVisible(open);
    m_paletteTabs->setVisible(open);
    QPalette palette = m_boardPanel->palette();
    palette.setColor(QPalette::Window, open ? QColor(Qt::black) : QApplication::palette().color(QPalette::Button));
    m_boardPanel->setPalette(palette);
}

// Below the laid-out window, so the board and the panels keep their places.
void MainWindow::buildStatusLine()
{
    m_statusLine = new StatusLine(statusBar());
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_statusLine, 1);
    connect(m_statusLine, &StatusLine::clicked, this, [this] { runCommand([this] { selectCheckFailure(); }); });
    m_verdictDelay = new QTimer(this);
    m_verdictDelay->setSingleShot(true);
    m_verdictDelay->setInterval(0);
    connect(m_verdictDelay, &QTimer::timeout, this, &MainWindow::showCheckVerdict);
}

// A failing verdict leads to its field: it shows the hand of a link.
void MainWindow::showCheckVerdict()
{
    if (!m_statusLine)
        return;
    m_statusLine->setText(m_editor.boardCheckVerdict());
    const bool failing = m_editor.isBoardOpen() && !m_editor.boardCheck().passed;
    m_statusLine->setCursor(failing ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MainWindow::selectCheckFailure()
{
    if (!m_editor.isBoardOpen())
        return;
    if (const BoardCheckResult check = m_editor.boardCheck(); !check.passed && check.firstField >= 0)
        m_editor.selectField(check.firstField);
}

} // namespace kestrix
