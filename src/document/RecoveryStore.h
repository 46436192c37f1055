#pragma once

#include "document/BoardFile.h"
#include "document/DocumentState.h"
#include "util/FileLock.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <map>
#include <memory>

namespace kestrix {

// A board kept by an instance of the program that no longer runs.
struct RecoveryFile
{
    QString instance;  // "<process id>-<start stamp>" of the instance that kept it
    QString boardPath; // the board file
    QString notePath;  // the note beside it
};

// What a kept board's note says.
struct RecoveryNote
{
    DocumentState document; // a new board or the board's own file
    QDateTime written;
};

// A leftover as it is offered.
struct KeptBoard
{
    RecoveryFile file;
    BoardFileFields fields;
    // The board's own file when its note names one that a save may write
    // to, else a new board: the board is then restored as a new one.
    DocumentState document;
    QDateTime written; // from the note, else the time of the board file
};

// The copies of a board with unsaved changes in the folder "Recovery" of the
// per-user folder, so that a board survives when the program or the machine
// dies. The user's own board file is never written here.
//
// Every instance of the program names its files by its process id, a stamp
// of its start and the board: "<pid>-<stamp>-<board>.zvb" and the note
// "<pid>-<stamp>-<board>.txt". While it keeps files it holds a lock on
// "<pid>-<stamp>.lock"; the system drops that lock when the instance ends in
// any way, so a lock that another instance can take marks leftovers, and the
// files of a running instance are never offered elsewhere.
class RecoveryStore
{
public:
    // Kept boards and notes are small; anything larger is not ours.
    static constexpr qint64 MaxFileSize = 64 * 1024;

    RecoveryStore();
    // What this instance keeps stays for the next start; only the lock goes.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // The per-user folder, ending with "/"; the files go to its "Recovery/".
    void setUserFolder(const QString &userFolder);
    const QString &instance() const { return m_instance; }

    // Replaces this instance's kept board by board (the bytes of a board
    // file) and its note naming the document (an open board) and time. Both go through
    // the safe write. Throws KestrixError naming the file that cannot be
    // written.
    void write(const QByteArray &board, const DocumentState &document, const QDateTime &time);
    // The board file this instance keeps; empty when it keeps none.
    const QString &boardPath() const { return m_boardPath; }
    // Removes what this instance keeps, and its lock with it.
    void remove();

    // The boards kept by instances that no longer run, in name order. The
    // locks of those instances are held from here until releaseLeftovers(),
    // so no other instance offers the same files meanwhile.
    QList<RecoveryFile> leftovers();
    // Removes a leftover; the lock file of its instance goes with its last
    // file.
    void discard(const RecoveryFile &file);
    void releaseLeftovers();
    // Whether another instance that runs keeps unsaved changes of the board
    // file path (compared by canonical path).
    bool keptByOtherInstance(const QString &path);

    // Throw KestrixError naming the file when it is missing, not a plain
    // file, too large, unreadable or, for the note, without a board name or
    // time.
    static RecoveryNote readNote(const QString &path);
    static BoardFileFields readBoard(const QString &path);
    // A leftover's board with what its note tells; a note that is missing
    // or cannot be read makes it a new board. Throws KestrixError naming the
    // board file when that cannot be read.
    static KeptBoard readLeftover(const RecoveryFile &file);
    // A note may name any path. A restored board keeps only a name that
    // Save may write to without a question: absolute, ending in ".zvb", in
    // a folder that exists.
    static bool isTrustedBoardPath(const QString &path);

private:
    QString m_folder;
    QString m_instance;
    FileLock m_lock;
    QString m_boardPath;
    QString m_notePath;
    std::map<QString, std::unique_ptr<FileLock>> m_leftoverLocks; // by instance
};

} // namespace kestrix
