#include "app/Editor.h"

#include "language/MessageFormat.h"
#include "util/KestrixError.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

namespace {

// Shown when a language file lacks the key RecentMissing, or its text does
// not take the board's path.
const QString MissingBoardText = QStringLiteral(
    "Die Karte „%s“ gibt es nicht mehr. Sie wird aus der Liste der zuletzt geöffneten Karten genommen.");

} // namespace

void Editor::OpenRecentBoard(qsizetype index)
{
    if (index < 0 || index >= m_recentBoards.paths().size())
        return;
    const QString path = m_recentBoards.paths()[index];
    if (!QFileInfo(path).isFile()) {
        m_recentBoards.remove(path);
        emit recentBoardsChanged();
        MessageBox box;
        box.type = BoxType::Warning;
        box.title = m_language.boxTitle(BoxType::Warning);
        box.buttons.append({Answer::Ok, m_language.buttonCaption(Answer::Ok)});
        const QString native = QDir::toNativeSeparators(path);
        box.text = FormatMessageText(m_language.file().value(QStringLiteral("RecentMissing")), native)
                       .value_or(QString());
        if (box.text.isEmpty())
            box.text = *FormatMessageText(MissingBoardText, native);
        m_prompter.message(box);
        m_recentBoards.Write(m_userFolder);
        return;
    }
    OpenBoardFile(path);
}

void Editor::OpenBoardFile(const QString &path)
{
    if (!AskSaveChanges())
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
    try {
        m_recentBoards.Write(m_userFolder);
    } catch (const KestrixError &error) {
        m_prompter.showError(error.text());
    }
}

} // namespace kestrix
