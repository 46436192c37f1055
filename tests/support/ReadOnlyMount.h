#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace kestrix {

// A folder on a tmpfs of its own, remounted read-only once filled. Root may
// write through any permission bits, so only a read-only mount shows what an
// installed data folder does; mounting needs root.
class ReadOnlyMount
{
public:
    ReadOnlyMount()
    {
        if (!m_dir.isValid())
            return;
        m_path = QFile::encodeName(m_dir.path());
        if (::mount("kestrix-test", m_path.constData(), "tmpfs", 0, "size=4m") != 0)
            m_error = std::strerror(errno);
        else
            m_mounted = true;
    }
    ~ReadOnlyMount()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }

    bool mounted() const { return m_mounted; }
    const char *error() const { return m_error; }
    QString path() const { return m_dir.path() + u'/'; }
    bool makeReadOnly() const
    {
        return ::mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
    bool m_mounted = false;
    const char *m_error = "no temporary folder";
};

} // namespace kestrix
