#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace kestrix {

// A folder on a file system of its own that is full: a small tmpfs mounted
// in a temporary folder and filled up to its last block. Mounting needs
// root; isValid() says whether it worked, so a test without the right can
// skip rather than pass. The file existing, when named, is written before
// the folder fills up.
class FullFolder
{
public:
    explicit FullFolder(const QString &existing = QString(), const QByteArray &content = QByteArray())
    {
        if (!m_dir.isValid())
            return;
        const QByteArray path = QFile::encodeName(m_dir.path());
        m_mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=256k") == 0;
        if (!m_mounted)
            return;
        if (!existing.isEmpty()) {
            QFile file(m_dir.filePath(existing));
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                return;
        }
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        // The last blocks may be smaller than one write.
        while (filler.write(block.constData(), 1) > 0) {
        }
        m_full = true;
    }

    ~FullFolder()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }

    FullFolder(const FullFolder &) = delete;
    FullFolder &operator=(const FullFolder &) = delete;

    bool isValid() const { return m_full; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_full = false;
};

} // namespace kestrix
