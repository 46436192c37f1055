#include "gui/MainWindow.h"

#include "document/RegionText.h"
#include "gui/RegionFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

namespace kestrix {

namespace {

// The region in our own type and as plain text; nothing for an empty text
// (a refused copy).
void putOnClipboard(const QByteArray &text)
{
    if (text.isEmpty())
        return;
    auto *data = new QMimeData;
    data->setData(QLatin1String(RegionMimeType), text);
    data->setText(QString::fromLatin1(text));
    QApplication::clipboard()->setMimeData(data);
}

// Our own type first, else any plain text; cut short past what a region can
// hold, so that the parser refuses it without reading it all.
QByteArray clipboardRegion()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return {};
    if (data->hasFormat(QLatin1String(RegionMimeType)))
        return data->data(QLatin1String(RegionMimeType)).left(MaxRegionTextSize + 1);
    return data->text().left(MaxRegionTextSize + 1).toLatin1();
}

} // namespace

// After "Wiederholen" in the edit menu.
void MainWindow::addRegionEntries()
{
    QMenu *edit = m_menu.edit;
    addSeparator(edit, "Menu1_N6");
    m_menu.cut = addEntry(edit, "Menu1_Cut", QStringLiteral("Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m_menu.copy = addEntry(edit, "Menu1_Copy", QStringLiteral("Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m_menu.paste = addEntry(edit, "Menu1_Paste", QStringLiteral("Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V));
    m_menu.clear = addEntry(edit, "Menu1_Delete", QStringLiteral("Löschen"), QKeySequence(Qt::Key_Delete));
    m_menu.turnRight =
        addEntry(edit, "Menu1_TurnRight", QStringLiteral("Rechts drehen"), QKeySequence(Qt::CTRL | Qt::Key_R));
    m_menu.turnLeft =
        addEntry(edit, "Menu1_TurnLeft", QStringLiteral("Links drehen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    m_menu.selectAll =
        addEntry(edit, "Menu1_SelectAll", QStringLiteral("Alles auswählen"), QKeySequence(Qt::CTRL | Qt::Key_A));
}

void MainWindow::connectRegionCommands()
{
    RegionCommands &regions = m_editor.regions();
    connectCommand(m_menu.cut, [&regions] { putOnClipboard(regions.cut()); });
    connectCommand(m_menu.copy, [&regions] { putOnClipboard(regions.copy()); });
    connectCommand(m_menu.paste, [&regions] { regions.paste(clipboardRegion()); });
    connectCommand(m_menu.clear, [&regions] { regions.clear(); });
    connectCommand(m_menu.turnRight, [&regions] { regions.turn(true); });
    connectCommand(m_menu.turnLeft, [&regions] { regions.turn(false); });
    connectCommand(m_menu.selectAll, [&regions] { regions.selectWholeBoard(); });
    connect(&regions, &RegionCommands::changed, this, &MainWindow::showRegion);
    connect(&m_editor, &Editor::settingsChanged, this, &MainWindow::showRegion);
}

void MainWindow::showRegion()
{
    m_regionFrame->showRegion(m_editor.regions().region(), colorFromValue(m_editor.settings().OpCursorColor));
}

} // namespace kestrix
