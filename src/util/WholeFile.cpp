// The whole-file reads and the one safe write that every file of the program
// goes through; declared in util/Utils.h.
#include "util/Utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <utility>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {

namespace {

const QString TemporarySuffix = QStringLiteral(".kestrix-");
constexpr int TemporaryRandomLength = 6;
constexpr int TemporaryAttempts = 100;

// Closes the file descriptor when the scope ends, however it ends.
struct Descriptor
{
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    Descriptor(Descriptor &&other) noexcept : fd(other.release()) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
    int fd;
};

// The system's own text of an error, in the user's language where the
// system has one.
QString systemReason(int error)
{
    return qt_error_string(error);
}

// A symbolic link stays a link: the file it points to is replaced.
QString writeTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// A kill between creating a temporary file and its rename leaves it behind;
// only names of exactly our pattern for this target are touched. The names
// are compared here, not by a name filter, in which a "[" of the file's name
// would be taken for a pattern.
void removeStaleTemporaryFiles(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    const QStringList candidates = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        if (isTemporaryFileName(name, fileName))
            QFile::remove(dir.filePath(name));
    }
}

// Root saving a user's file must not take it from the user. The owner is
// kept where the process may give the file away; an ordinary user can at
// least keep a group of their own. True when owner and group, or the group
// alone, were kept; else the file is the saving user's, as a new one is. A
// change of owner clears the set-id bits, so the caller sets the permissions
// after it.
bool keepOwner(int fd, const struct stat &existing)
{
    return ::fchown(fd, existing.st_uid, existing.st_gid) == 0 || ::fchown(fd, uid_t(-1), existing.st_gid) == 0;
}

// A new file beside the target with the target's owner and permissions, or the
// default ones for a new file; temporary receives its path, error the
// system's reason when there is none.
Descriptor createTemporaryFile(const QString &folder, const QString &fileName, const QString &target,
                               QString &temporary, int &error)
{
    static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    struct stat existing{};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        QString name = fileName + TemporarySuffix;
        for (int i = 0; i < TemporaryRandomLength; ++i)
            name += QLatin1Char(Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))]);
        temporary = QDir(folder).filePath(name);
        Descriptor file(::open(QFile::encodeName(temporary).constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, exists ? 0600 : 0666));
        if (file.fd >= 0) {
            if (exists) {
                keepOwner(file.fd, existing);
                ::fchmod(file.fd, existing.st_mode & 07777);
            }
            return file;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    return Descriptor(-1);
}

// Makes the rename itself last; a file system that cannot sync a folder
// still has the file renamed, so a failure here is not reported.
void syncFolder(const QString &folder)
{
    const Descriptor dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

// Writes all bytes; 0, or the reason of the failure.
int writeBytes(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        done += written;
    }
    return 0;
}

// A reader that leaves a pipe early makes the write fail with EPIPE, which is
// reported, instead of ending the program with SIGPIPE.
class PipeSignalBlocked
{
public:
    PipeSignalBlocked()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        m_wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_old);
    }
    ~PipeSignalBlocked()
    {
        // Only a signal this write raised is taken away.
        if (!m_wasPending) {
            const timespec none{0, 0};
            while (sigtimedwait(&m_pipe, nullptr, &none) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    PipeSignalBlocked(const PipeSignalBlocked &) = delete;
    PipeSignalBlocked &operator=(const PipeSignalBlocked &) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_old{};
    bool m_wasPending = false;
};

// A file without a write bit for its owner is write-protected for everyone:
// root passes access(), the bits speak for the user.
bool isWriteProtected(const QString &path, const struct stat &file)
{
    if ((file.st_mode & S_IWUSR) == 0)
        return true;
    return ::access(QFile::encodeName(path).constData(), W_OK) != 0 && errno == EACCES;
}

// Replaces a regular file, or makes a new one, through a temporary file
// renamed over it.
void replaceFile(const QString &path, const QByteArray &bytes)
{
    const QString target = writeTarget(path);
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    removeStaleTemporaryFiles(folder, info.fileName());

    QString temporary;
    int error = 0;
    Descriptor file = createTemporaryFile(folder, info.fileName(), target, temporary, error);
    if (file.fd < 0)
        throw fileError(FileAction::Write, path, systemReason(error));
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const auto fail = [&](int reason) {
        ::unlink(temporaryName.constData());
        return fileError(FileAction::Write, path, systemReason(reason));
    };
    if (const int reason = writeBytes(file.fd, bytes))
        throw fail(reason);
    // The data must be on the disk before the new name points to it, or a
    // crash soon after the rename can leave an empty file under it.
    if (::fsync(file.fd) != 0)
        throw fail(errno);
    if (::close(file.release()) != 0)
        throw fail(errno);
    if (::rename(temporaryName.constData(), QFile::encodeName(target).constData()) != 0)
        throw fail(errno);
    syncFolder(folder);
}

// A device or a FIFO cannot be replaced by a file: it is written as it is,
// so /dev/null, a terminal, a pipe or a process substitution receives the
// bytes.
void writeStream(const QString &path, const QByteArray &bytes)
{
    const QString shown = QDir::toNativeSeparators(path);
    // Opening a FIFO for writing waits for a reader; without one the open
    // fails at once instead of hanging the program.
    const Descriptor stream(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (stream.fd < 0 && errno == ENXIO)
        throw KestrixError(ErrorTexts::FileNoReader, {shown});
    struct stat opened{};
    if (stream.fd < 0 || ::fstat(stream.fd, &opened) != 0)
        throw fileError(FileAction::Write, path, systemReason(errno));
    // Something else took the name since it was looked at.
    if (!S_ISCHR(opened.st_mode) && !S_ISFIFO(opened.st_mode))
        throw fileError(FileAction::Write, path, systemReason(EAGAIN));
    // A slow reader is waited for, as any writer to a pipe does.
    const int flags = ::fcntl(stream.fd, F_GETFL);
    if (flags < 0 || ::fcntl(stream.fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw fileError(FileAction::Write, path, systemReason(errno));
    int reason = 0;
    {
        const PipeSignalBlocked blocked;
        reason = writeBytes(stream.fd, bytes);
    }
    if (reason != 0)
        throw fileError(FileAction::Write, path, systemReason(reason));
}

} // namespace

KestrixError fileError(FileAction action, const QString &path, const QString &reason)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (action) {
    case FileAction::Open:
        return KestrixError(ErrorTexts::FileOpen, {shown, reason});
    case FileAction::Read:
        return KestrixError(ErrorTexts::FileRead, {shown, reason});
    case FileAction::Write:
        break;
    }
    return KestrixError(ErrorTexts::FileWrite, {shown, reason});
}

QByteArray readWholeFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    const QString shown = QDir::toNativeSeparators(path);
    const auto openError = [&](int error) {
        return error == ENOENT ? KestrixError(ErrorTexts::FileNotFound, {shown})
                               : fileError(FileAction::Open, path, systemReason(error));
    };
    // Checked before the open too: opening a FIFO waits for a writer, and
    // opening some devices already acts on them.
    struct stat before{};
    if (::stat(name.constData(), &before) != 0)
        throw openError(errno);
    if (!S_ISREG(before.st_mode))
        throw KestrixError(ErrorTexts::FileNotRegular, {shown});
    const Descriptor file(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat opened{};
    if (file.fd < 0 || ::fstat(file.fd, &opened) != 0)
        throw openError(errno);
    if (!S_ISREG(opened.st_mode))
        throw KestrixError(ErrorTexts::FileNotRegular, {shown});
    QByteArray data;
    data.reserve(qsizetype(std::min<qint64>(opened.st_size, maxBytes)) + 1);
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw fileError(FileAction::Read, path, systemReason(errno));
        if (got == 0)
            return data;
        if (data.size() + got > maxBytes)
            throw KestrixError(ErrorTexts::FileTooLarge, {shown, QString::number(maxBytes)});
        data.append(chunk, got);
    }
}

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool isTemporaryFileName(const QString &name, const QString &fileName)
{
    const QString prefix = fileName + TemporarySuffix;
    if (name.size() != prefix.size() + TemporaryRandomLength || !name.startsWith(prefix))
        return false;
    return std::all_of(name.cbegin() + prefix.size(), name.cend(), [](QChar c) {
        return c.unicode() < 128 && std::isalnum(int(c.unicode()));
    });
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    const QString shown = QDir::toNativeSeparators(path);
    // Looked at through any link: what is written is what the path leads to.
    struct stat named{};
    if (::stat(QFile::encodeName(path).constData(), &named) != 0) {
        replaceFile(path, bytes);
        return;
    }
    if (S_ISDIR(named.st_mode))
        throw KestrixError(ErrorTexts::FileIsFolder, {shown});
    if (S_ISCHR(named.st_mode) || S_ISFIFO(named.st_mode)) {
        writeStream(path, bytes);
        return;
    }
    if (!S_ISREG(named.st_mode))
        throw KestrixError(ErrorTexts::FileWriteSpecial, {shown});
    if (isWriteProtected(path, named))
        throw KestrixError(ErrorTexts::FileWriteProtected, {shown});
    replaceFile(path, bytes);
}

} // namespace kestrix
