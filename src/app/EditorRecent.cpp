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
    const QStringList &paths = m_document.recentBoards().paths();
    if (index < 0 || index >= paths.size())
        return;
    const QString path = paths[index];
    const QFileInfo info(path);
    if (info.isFile()) {
        openBoardFile(path);
        return;
    }
    m_document.removeRecentBoard(path);
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
    loadBoard(path);
}

// Called once the board is open or written. A list that cannot be written is
// reported, but does not end the command: the board is open or saved, and a
// command that asked to save first goes on.
void Editor::rememberBoard(const QString &path)
{
    m_document.addRecentBoard(path);
    emit recentBoardsChanged();
    writeRecentBoards();
}

void Editor::writeRecentBoards()
{
    if (const std::optional<KestrixError> error = m_document.writeRecentBoards())
        m_prompter.showError(m_language.errorText(*error));
}

} // namespace kestrix
