#include "gui/MainWindow.h"

#include "gui/FormFont.h"
#include "gui/KeyTable.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace kestrix {

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    Menus &m = m_menu;

    m.file = addMenu("Menu1_File", QStringLiteral("&Datei"));
    m.newBoard = addEntry(m.file, "Menu1_New", QStringLiteral("Neu..."));
    m.open = addEntry(m.file, "Menu1_Open", QStringLiteral("Öffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.save = addEntry(m.file, "Menu1_Save", QStringLiteral("Speichern..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    m.saveAs = addEntry(m.file, "Menu1_SaveAs", QStringLiteral("Speichern unter..."));
    m.close = addEntry(m.file, "Menu1_Close", QStringLiteral("Schließen"));
    m.recent = m.file->addMenu(QStringLiteral("Zuletzt geöffnet"));
    m.recent->setObjectName(QStringLiteral("Menu1_Recent"));
    m.recent->setFont(FormFont());
    m.recent->setToolTipsVisible(true);
    m.recent->setEnabled(false);
    registerCaption(m.recent->objectName(), [menu = m.recent](const QString &text) { menu->setTitle(text); });
    addSeparator(m.file, "Menu1_N1");
    m.exit = addEntry(m.file, "Menu1_Exit", QStringLiteral("Beenden"));

    m.edit = addMenu("Menu1_Edit", QStringLiteral("&Bearbeiten"));
    m.undo = addEntry(m.edit, "Menu1_Undo", QStringLiteral("Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = addEntry(m.edit, "Menu1_Redo", QStringLiteral("Wiederholen"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    // Ctrl+Shift+Z too, as many programs redo.
    m.redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addRegionEntries();
    addSeparator(m.edit, "Menu1_N5");
    m.check = addEntry(m.edit, "Menu1_Check", QStringLiteral("Karte prüfen"));
    m.print = addEntry(m.edit, "Menu1_Print", QStringLiteral("Drucken..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    m.exportPictures = addEntry(m.edit, "Menu1_SaveAsPic", QStringLiteral("Als Bild speichern..."));
    m.exportWholePicture =
        addEntry(m.edit, "Menu1_SaveAsWholePic", QStringLiteral("Als Bild speichern (ganzes Brett)..."));
    addSeparator(m.edit, "Menu_N2");
    m.newElement = addEntry(m.edit, "Menu1_NewElement", QStringLiteral("Neues Fabrikelement..."));
    m.newElementSeparator = addSeparator(m.edit, "Menu_N3");
    m.options = addEntry(m.edit, "Menu1_Options", QStringLiteral("Optionen..."));
    // Nothing in the program offers the new-element dialog.
    m.newElement->setVisible(false);
    m.newElementSeparator->setVisible(false);
    // The undo ring is empty at start.
    m.undo->setEnabled(false);
    m.redo->setEnabled(false);

    m.help = addMenu("Menu1_Help", QStringLiteral("&Hilfe"));
    m.languageSeparator = addSeparator(m.help, "Menu1_N4");
    m.keys = addEntry(m.help, "Menu1_Keys", QStringLiteral("Tastenkürzel..."));
    m.about = addEntry(m.help, "Menu1_About", QStringLiteral("Über..."));
}

QMenu *MainWindow::addMenu(const char *name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setFont(FormFont());
    registerCaption(menu->objectName(), [menu](const QString &text) { menu->setTitle(text); });
    return menu;
}

// The shortcut's text is shown after the caption in the language's names of
// the keys.
QAction *MainWindow::addEntry(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut)
{
    auto *action = new QAction(menu);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        m_shortcutEntries.append(action);
        action->setShortcut(shortcut);
    }
    setEntryCaption(action, caption);
    menu->addAction(action);
    registerCaption(action->objectName(), [this, action](const QString &text) { setEntryCaption(action, text); });
    return action;
}

QAction *MainWindow::addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

void MainWindow::connectCommand(QAction *action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { runCommand(command); });
}

// One line per command; the commands of the document, the board and the
// output are connected where they are built.
void MainWindow::connectMenuCommands()
{
    connectCommand(m_menu.newBoard, [this] { m_editor.newBoard(); });
    connectCommand(m_menu.open, [this] { m_editor.openBoard(); });
    connectCommand(m_menu.save, [this] { m_editor.saveBoard(); });
    connectCommand(m_menu.saveAs, [this] { m_editor.saveBoardAs(); });
    connectCommand(m_menu.close, [this] { m_editor.closeBoard(); });
    connectCommand(m_menu.exit, [this] { exitProgram(); });
    connectCommand(m_menu.undo, [this] { m_editor.undoApplication(); });
    connectCommand(m_menu.redo, [this] { m_editor.redoApplication(); });
    connectRegionCommands();
    connectCommand(m_menu.check, [this] { m_editor.checkBoardAndReport(); });
    connectCommand(m_menu.print, [this] { m_editor.checkAndPrintBoard(); });
    connectCommand(m_menu.exportPictures, [this] { m_editor.checkAndExportBoard(); });
    connectCommand(m_menu.exportWholePicture, [this] { m_editor.checkAndExportWholeBoard(); });
    connectCommand(m_menu.newElement, [this] { showNewElementDialog(); });
    connectCommand(m_menu.options, [this] { showOptionsDialog(); });
    connectCommand(m_menu.keys, [this] { showShortcutDialog(); });
    connectCommand(m_menu.about, [this] { showAboutDialog(); });
    connect(&m_editor, &Editor::recentBoardsChanged, this, &MainWindow::showRecentBoards);
}

// Numbered like a classic file menu; "&" in a path is shown, not taken as the
// entry's key.
void MainWindow::showRecentBoards()
{
    // Later, not now: the entry that was chosen may be the one running.
    for (QAction *action : m_menu.recent->actions()) {
        m_menu.recent->removeAction(action);
        action->deleteLater();
    }
    const QStringList &paths = m_editor.recentBoards().paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString native = QDir::toNativeSeparators(paths[i]);
        const QString name = QFileInfo(paths[i]).fileName();
        auto *action = m_menu.recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QString(name).replace(u'&', QStringLiteral("&&"))));
        action->setObjectName(QStringLiteral("Menu1_Recent%1").arg(i + 1));
        action->setToolTip(native);
        action->setStatusTip(native);
        connectCommand(action, [this, i] { m_editor.openRecentBoard(i); });
    }
    m_menu.recent->setEnabled(!paths.isEmpty());
}

void MainWindow::setEntryCaption(QAction *action, const QString &caption)
{
    const QKeySequence shortcut = action->shortcut();
    action->setText(shortcut.isEmpty() ? caption : caption + u'\t' + keyText(shortcut[0], m_editor.language()));
}

void MainWindow::showShortcutTexts()
{
    for (QAction *action : std::as_const(m_shortcutEntries))
        setEntryCaption(action, menuCaption(action));
}

QString MainWindow::menuCaption(const QAction *action)
{
    return action->text().section(u'\t', 0, 0);
}

} // namespace kestrix
