#include "app/Editor.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

// A path that names a folder, a FIFO or a device names no board either: it
// leaves the list like a missing one, as it would only be refused again at
// every choice; a board saved there later comes back with its open or save.
void Editor::openRecentBoard(qsizetype index)
{
    if (index < 0 || index >= m_recentBoards.paths().size())
        return;
    const QString path = m_recentBoards.paths()[index];
    const QFileInfo info(path);
    if (info.isFile()) {
        openBoardFile(path);
        return;
    }
    m_recentBoards.remove(path);
    emit recentBoardsChanged();
    const QString native = QDir::toNativeSeparators(path);
    if (info.isDir())
        m_prompter.message(m_language.buildKeyMessage(QStringLiteral("RecentFolder"), BoxType::Warning, {Answer::Ok}, native));
    else if (info.exists())
        m_prompter.message(m_language.buildKeyMessage(QStringLiteral("RecentSpecial"), BoxType::Warning, {Answer::Ok}, native));
    else
        m_prompter.message(m_language.buildKeyMessage(QStringLiteral("RecentMissing"), BoxType::Warning, {Answer::Ok}, native));
    writeRecentBoards();
}

void Editor::openBoardFile(const QString &path)
{
    if (!askSaveChanges())
        return;
    LoadBoardFile(path);
}

// Called once the board is open or written. A list that cannot be written is
// reported, but does not end the command: the board is open or saved, and a
// command that asked to save first goes on.
void Editor::rememberBoard(const QString &path)
{
    m_recentBoards.add(path);
    emit recentBoardsChanged();
    writeRecentBoards();
}

// A folder that cannot take the list fails at every open and save; it is
// reported once, and again only after a write succeeded in between.
void Editor::writeRecentBoards()
{
    try {
        m_recentBoards.Write(m_userFolder);
        m_recentFailing = false;
    } catch (const KestrixError &error) {
        if (!m_recentFailing)
            m_prompter.showError(m_language.errorText(error));
        m_recentFailing = true;
    }
}

} // namespace kestrix
