#include "document/Document.h"

#include "document/BoardFile.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

namespace kestrix {

namespace {

QByteArray boardBytes(const BoardFields &cells)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    saveBoardFile(buffer, cells);
    return buffer.data();
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

void Document::setUserFolder(const QString &userFolder)
{
    m_userFolder = userFolder;
    m_recovery.setUserFolder(userFolder);
}

void Document::setModified(bool modified)
{
    m_modified = modified;
    if (!modified) {
        m_recovery.remove();
        m_keptBoard.clear();
    }
}

void Document::stampFile(const QString &path, const QByteArray &bytes)
{
    m_stamp = {path, bytes.size(), sha256(bytes)};
}

// Two instances on one board: the one that saves second must not silently
// replace what the first wrote. The content decides, not the time: a file
// written again with the same bytes loses nothing when overwritten, and a
// coarse clock can give two different saves the same size and time. A file
// deleted meanwhile loses nothing either; one that cannot be read any more
// counts as changed.
bool Document::fileChangedOnDisk() const
{
    const QString &path = m_state.filePath();
    if (!m_state.hasFile() || m_stamp.path != path || !QFileInfo::exists(path))
        return false;
    try {
        const QByteArray bytes = readWholeFile(path, MaxBoardFileSize);
        return bytes.size() != m_stamp.size || sha256(bytes) != m_stamp.hash;
    } catch (const KestrixError &) {
        return true;
    }
}

void Document::readRecentBoards()
{
    m_recentBoards = RecentBoards::read(m_userFolder);
}

// A folder that cannot take the list fails at every open and save; it is
// reported once, and again only after a write succeeded in between.
std::optional<KestrixError> Document::writeRecentBoards()
{
    try {
        m_recentBoards.write(m_userFolder);
        m_recentFailing = false;
    } catch (const KestrixError &error) {
        const bool reported = m_recentFailing;
        m_recentFailing = true;
        if (!reported)
            return error;
    }
    return std::nullopt;
}

void Document::keepForRecovery(const BoardFields &cells)
{
    // A board without unsaved changes keeps nothing: clearing the flag
    // removed the copy.
    if (!m_state.isOpen() || !m_modified)
        return;
    // Without a per-user folder nothing is written anywhere, copies neither.
    if (m_userFolder.isEmpty())
        return;
    const QByteArray board = boardBytes(cells);
    if (board == m_keptBoard && m_state == m_keptState && !m_recovery.boardPath().isEmpty())
        return;
    try {
        m_recovery.write(board, m_state, QDateTime::currentDateTimeUtc());
    } catch (const KestrixError &) {
        const bool reported = m_recoveryFailing;
        m_recoveryFailing = true;
        if (reported)
            return;
        throw;
    }
    m_recoveryFailing = false;
    m_keptState = m_state;
    m_keptBoard = board;
}

} // namespace kestrix
