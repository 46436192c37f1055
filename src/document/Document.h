#pragma once

#include "board/BoardGrid.h"
#include "document/DocumentState.h"
#include "document/RecentBoards.h"
#include "document/RecoveryStore.h"
#include "util/KestrixError.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrix {

// The board as a document: which board the window holds, whether it has
// unsaved changes, its file as last read or written, the boards opened or
// saved last and the copy kept against a crash. It asks nothing and shows
// nothing: the Editor's commands do, with what it returns.
class Document
{
public:
    // The per-user folder, ending with "/": the recent boards' list lies in
    // it, the kept copies in its "Recovery/". Empty: nothing is written.
    void setUserFolder(const QString &userFolder);

    const DocumentState &state() const { return m_state; }
    bool isOpen() const { return m_state.isOpen(); }
    void setState(const DocumentState &state) { m_state = state; }

    bool modified() const { return m_modified; }
    // Clearing the flag drops the kept copy of the board.
    void setModified(bool modified);

    // The board file as this editor last read or wrote it.
    void stampFile(const QString &path, const QByteArray &bytes);
    // For a board whose file this editor has not seen (new or recovered).
    void clearStamp() { m_stamp = FileStamp(); }
    // Whether the board's file changed on disk since it was stamped.
    bool fileChangedOnDisk() const;

    const RecentBoards &recentBoards() const { return m_recentBoards; }
    // The list of the user folder's file, replacing the one in memory.
    void readRecentBoards();
    void addRecentBoard(const QString &path) { m_recentBoards.add(path); }
    void removeRecentBoard(const QString &path) { m_recentBoards.remove(path); }
    // Writes the list. Returns the error to report: while writing keeps
    // failing, only the first failure.
    std::optional<KestrixError> writeRecentBoards();

    const RecoveryStore &recovery() const { return m_recovery; }
    RecoveryStore &recovery() { return m_recovery; }
    // Keeps cells, the open board, while it has unsaved changes, when they
    // changed since they were last kept. Throws KestrixError when they
    // cannot be written; while writing keeps failing, only the first time.
    void keepForRecovery(const BoardCells &cells);

private:
    struct FileStamp
    {
        QString path; // none for a board whose file was not seen
        qint64 size = 0;
        QByteArray hash;
    };

    QString m_userFolder;
    DocumentState m_state;
    bool m_modified = false;
    FileStamp m_stamp;

    RecentBoards m_recentBoards;
    bool m_recentFailing = false; // the last write of the list failed

    RecoveryStore m_recovery;
    // The document and board as last kept; no board after it was dropped.
    DocumentState m_keptState;
    QByteArray m_keptBoard;
    bool m_recoveryFailing = false;
};

} // namespace kestrix
