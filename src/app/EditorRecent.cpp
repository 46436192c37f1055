#include "app/Editor.h"

#include "language/MessageFormat.h"
#include "util/KestrixError.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

namespace {

// Shown where a language file lacks the key, or its text does not take the
// board's path.
const QString MissingBoardText = QStringLiteral(
    "Die Karte „%s“ gibt es nicht mehr. Sie wird aus der Liste der zuletzt geöffneten Karten genommen.");
const QString FolderBoardText = QStringLiteral(
    "„%s“ ist keine Karte mehr, sondern ein Ordner. Der Eintrag wird aus der Liste der zuletzt geöffneten "
    "Karten genommen.");
const QString SpecialBoardText = QStringLiteral(
    "„%s“ ist keine Karte mehr, sondern eine besondere Datei (etwa eine Pipe oder ein Gerät), die nicht "
    "geöffnet wird. Der Eintrag wird aus der Liste der zuletzt geöffneten Karten genommen.");

} // namespace

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
        m_prompter.message(keyMessage(QStringLiteral("RecentFolder"), FolderBoardText, BoxType::Warning,
                                      {Answer::Ok}, native));
    else if (info.exists())
        m_prompter.message(keyMessage(QStringLiteral("RecentSpecial"), SpecialBoardText, BoxType::Warning,
                                      {Answer::Ok}, native));
    else
        m_prompter.message(keyMessage(QStringLiteral("RecentMissing"), MissingBoardText, BoxType::Warning,
                                      {Answer::Ok}, native));
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

MessageBox Editor::keyMessage(const QString &key, const QString &german, BoxType type,
                              const QList<Answer> &buttons, const QString &argument) const
{
    MessageBox box;
    box.type = type;
    box.title = m_language.boxTitle(type);
    for (const Answer answer : buttons)
        box.buttons.append({answer, m_language.buttonCaption(answer)});
    box.text = FormatMessageText(m_language.file().value(key), argument).value_or(QString());
    if (box.text.isEmpty())
        box.text = FormatMessageText(german, argument).value_or(german);
    return box;
}

} // namespace kestrix
