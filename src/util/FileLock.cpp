#include "util/FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kestrix {

bool FileLock::tryLock(const QString &path, bool create)
{
    unlock();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    return true;
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

} // namespace kestrix
