#include "gui/MainWindow.h"

#include "app/BoardDrop.h"
#include "gui/FormFont.h"
#include "gui/GuiPrompter.h"
#include "gui/AboutDialog.h"
#include "gui/NewElementDialog.h"
#include "gui/OptionsDialog.h"
#include "gui/TileDefinitionDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLayout>
#include <QMimeData>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace kestrix {

MainWindow::MainWindow(const StartOptions &options, Prompter *prompter, QWidget *parent)
    : QMainWindow(parent),
      m_options(options),
      m_ownPrompter(prompter ? nullptr : std::make_unique<GuiPrompter>(this)),
      m_prompter(prompter ? *prompter : *m_ownPrompter),
      m_editor(m_prompter)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zorvan - Editor"));
    setFont(FormFont());
    // The installed icon; a program run from its build folder has none.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("kestrix")));
    // A fixed single border: the minimise button, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    buildMenus();
    buildPanels();
    buildStatusLine();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setAcceptDrops(true);
    connectMenuCommands();
    connectEditor();
    installKeys();
    showDocumentState();

    runCommand([this] { startUp(); });

    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setInterval(m_options.recoveryIntervalMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, [this] { runCommand([this] { m_editor.writeRecovery(); }); });
    m_recoveryTimer->start();
    m_recoveryDelay = new QTimer(this);
    m_recoveryDelay->setSingleShot(true);
    m_recoveryDelay->setInterval(m_options.recoveryDelayMs);
    connect(m_recoveryDelay, &QTimer::timeout, this, [this] { runCommand([this] { m_editor.writeRecovery(); }); });
    // Not restarted by further changes: steady work is kept as often.
    connect(&m_editor, &Editor::cellChanged, m_recoveryDelay, [this] {
        if (!m_recoveryDelay->isActive())
            m_recoveryDelay->start();
    });
}

MainWindow::~MainWindow()
{
    runCommand([this] { writeSettingsAtExit(); });
}

// The start-up steps in their fixed order: each relies on the ones before
// it. A step that fails ends start-up; the window stays in the no-board
// state it was built in.
void MainWindow::startUp()
{
    if (startsAtTopLeft(screen()->geometry().height()))
        move(0, 0);
    m_editor.setProgramFolder(m_options.programFolder);
    m_editor.setUserFolder(m_options.userFolder);
    m_editor.seedRandom(quint32(QDateTime::currentMSecsSinceEpoch()));
    m_editor.loadResources(Resources::AllSteps, [this](Resources::Step step) { buildAfterLoading(step); });
    if (m_options.boardPath.isEmpty() && m_options.undecodableBoard.isEmpty())
        m_editor.refreshDocumentState();
    else
        m_startBoardPending = true;
    m_startedUp = true;
}

// What start-up builds once the step it relies on has loaded. boardModified
// and stepClicksSuppressed start out false in the Editor.
void MainWindow::buildAfterLoading(Resources::Step step)
{
    switch (step) {
    case Resources::LanguageStep:
        showLanguage();
        m_editor.reportSettingsError();
        m_editor.openDialog().initialFolder = m_editor.programFolder() + QStringLiteral("Boards");
        break;
    case Resources::LanguageMenuStep:
        buildLanguageMenu();
        createBoardCells();
        createSelectionCell();
        break;
    case Resources::PaletteStep:
        buildPalette();
        createStepBoxes();
        setFocusOrder();
        showAccessibleNames();
        break;
    case Resources::StepMarksStep:
        paintCursor();
        break;
    case Resources::SettingsStep:
    case Resources::CatalogueStep:
        break;
    }
}

// The board named on the command line opens once the window is shown and laid
// out, so that an error about it appears over the finished window. After it
// the boards kept by instances that died are offered; a start-up that failed
// has no pictures to restore them with, so they then wait for the next start.
void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_startBoardPending) {
        m_startBoardPending = false;
        QMetaObject::invokeMethod(this, &MainWindow::loadStartBoard, Qt::QueuedConnection);
    }
    if (m_startedUp && !m_recoveryOffered) {
        m_recoveryOffered = true;
        QMetaObject::invokeMethod(
            this, [this] { runCommand([this] { m_editor.offerRecovery(); }); }, Qt::QueuedConnection);
    }
}

void MainWindow::loadStartBoard()
{
    if (!m_options.undecodableBoard.isEmpty()) {
        m_editor.reportUndecodableStartBoard(m_options.undecodableBoard);
        m_editor.refreshDocumentState();
        return;
    }
    if (!runCommand([this] { m_editor.loadBoard(m_options.boardPath); }))
        m_editor.refreshDocumentState();
}

// The settings file is written at every end of the run.
void MainWindow::writeSettingsAtExit()
{
    m_editor.writeSettings();
}

bool MainWindow::askMayClose()
{
    bool mayClose = false;
    runCommand([&] { mayClose = m_editor.askSaveChanges(); });
    return mayClose;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeApproved || askMayClose())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedBoardPath(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedBoardPath(event->mimeData()->urls());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    runCommand([&] { m_editor.openBoardFile(path); });
}

void MainWindow::exitProgram()
{
    if (!m_editor.askSaveChanges())
        return;
    m_closeApproved = true;
    close();
}

void MainWindow::showNewElementDialog()
{
    NewElementDialog dialog(this);
    dialog.applyLanguage(m_editor.language());
    dialog.exec();
}

void MainWindow::endOnSignal(int signal)
{
    // No box may wait for a person who has logged out.
    try {
        m_editor.writeRecovery();
    } catch (const KestrixError &error) {
        std::fprintf(stderr, "kestrix: %s\n", m_editor.language().errorText(error).toLocal8Bit().constData());
    }
    const int status = 128 + signal;
    // A dialog is open inside a command: left, it would hand the command an
    // answer no one gave, so the program ends here, the settings as they
    // were. Otherwise it ends as after Exit, writing its settings, without
    // the question about the kept changes.
    if (QApplication::activeModalWidget()) {
        std::fflush(stderr);
        std::_Exit(status);
    }
    QCoreApplication::exit(status);
}

std::unique_ptr<OptionsDialog> MainWindow::createOptionsDialog()
{
    return std::make_unique<OptionsDialog>(
        m_editor.resources(), [this](const Settings &settings) { m_editor.changeSettings(settings); },
        [this](const KestrixError &error) { m_prompter.showError(m_editor.language().errorText(error)); }, this);
}

void MainWindow::showOptionsDialog()
{
    createOptionsDialog()->exec();
}

void MainWindow::showAboutDialog()
{
    AboutDialog dialog(AboutDialog::titleFromCaption(menuCaption(m_menu.about)), this);
    dialog.exec();
}

void MainWindow::showTileDefinition(int id)
{
    TileDefinitionDialog dialog(m_editor, id, this);
    dialog.exec();
}

} // namespace kestrix
