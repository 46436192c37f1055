#pragma once

#include <QString>

namespace kestrix {

// An advisory lock on a file, held until unlock() or destruction. The system
// drops it when the holder ends in any way, even when it is killed, so a lock
// that can be taken tells that its last holder is gone.
class FileLock
{
public:
    FileLock() = default;
    ~FileLock() { unlock(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Takes the lock on path without waiting; create makes the file when it
    // is missing. False when another holder has it or the file cannot be
    // opened.
    bool tryLock(const QString &path, bool create);
    bool isLocked() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }
    void unlock();

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace kestrix
