#include "document/RecoveryStore.h"

#include "language/KeyValueText.h"
#include "util/KestrixError.h"
#include "util/PrivateFolder.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>

#include <sys/stat.h>

namespace kestrix {

namespace {

const QString DocumentKey = QStringLiteral("Document");
const QString WrittenKey = QStringLiteral("Written");
// The note's document value for a new board: no path is only this.
const QString NewBoardValue = QStringLiteral("-1");

// Two stores of one process (tests hold several) never share a stamp.
qint64 uniqueStamp()
{
    static std::atomic<qint64> last{0};
    qint64 stamp = QDateTime::currentMSecsSinceEpoch();
    qint64 previous = last.load();
    do {
        if (stamp <= previous)
            stamp = previous + 1;
    } while (!last.compare_exchange_weak(previous, stamp));
    return stamp;
}

// "new" for a board without a file, else a short digest of its path: the
// path itself may hold anything a file name cannot.
QString boardTag(const DocumentState &document)
{
    if (!document.hasFile())
        return QStringLiteral("new");
    const QByteArray digest = QCryptographicHash::hash(document.filePath().toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(digest.toHex().left(12));
}

// The note is one value per line: line ends, "%" and other control bytes in
// the path are written as %XX.
QByteArray encodeValue(const QString &text)
{
    QByteArray out;
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '%')
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

QString decodeValue(const QString &text)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

const QRegularExpression &fileNamePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,10}-\\d{1,20})-(new|[0-9a-f]{12})\\.(zvb|txt)$"));
    return pattern;
}

// The bytes of a kept file. It is ours: a link in its place is refused, not followed. The
// reader refuses what is not a regular file or is larger than limit.
QByteArray readSmallFile(const QString &path, qint64 limit)
{
    if (QFileInfo(path).isSymLink())
        throw KestrixError(ErrorTexts::FileNotRegular, {QDir::toNativeSeparators(path)});
    return readWholeFile(path, limit);
}

// A kept board may be a private one: the folder and the files are for their
// owner alone under any umask, also in a folder an older version made. A
// file is readable by others only between its write and this, inside the
// closed folder.
void makeOwnerOnly(const QString &path, mode_t mode, const ErrorText &error)
{
    if (::chmod(QFile::encodeName(path).constData(), mode) != 0)
        throw KestrixError(error, {QDir::toNativeSeparators(path)});
}

} // namespace

RecoveryStore::RecoveryStore()
    : m_instance(QString::number(QCoreApplication::applicationPid()) + u'-' + QString::number(uniqueStamp()))
{
}

RecoveryStore::~RecoveryStore()
{
    if (m_boardPath.isEmpty())
        remove();
}

void RecoveryStore::setUserFolder(const QString &userFolder)
{
    m_folder = userFolder.isEmpty() ? QString() : userFolder + QStringLiteral("Recovery/");
}

void RecoveryStore::write(const QByteArray &board, const DocumentState &document, const QDateTime &time)
{
    if (m_folder.isEmpty())
        throw KestrixError(ErrorTexts::RecoveryNoFolder, {});
    createPrivateFolder(m_folder);
    makeOwnerOnly(m_folder, 0700, ErrorTexts::FolderCreate);
    // The lock first: from now on every other instance sees this one running.
    if (!m_lock.isLocked() && !m_lock.tryLock(m_folder + m_instance + QStringLiteral(".lock"), true)) {
        throw KestrixError(ErrorTexts::FileCreate,
                           {QDir::toNativeSeparators(m_folder + m_instance + QStringLiteral(".lock"))});
    }

    const QString stem = m_folder + m_instance + u'-' + boardTag(document);
    const QString boardPath = stem + QStringLiteral(".zvb");
    const QString notePath = stem + QStringLiteral(".txt");
    const QByteArray note = DocumentKey.toLatin1() + '=' + encodeValue(document.hasFile() ? document.filePath() : NewBoardValue) + '\n'
                            + WrittenKey.toLatin1() + '=' + time.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
    writeWholeFile(boardPath, board);
    makeOwnerOnly(boardPath, 0600, ErrorTexts::FileCreate);
    writeWholeFile(notePath, note);
    makeOwnerOnly(notePath, 0600, ErrorTexts::FileCreate);
    if (!m_boardPath.isEmpty() && m_boardPath != boardPath) {
        QFile::remove(m_boardPath);
        QFile::remove(m_notePath);
    }
    m_boardPath = boardPath;
    m_notePath = notePath;
}

void RecoveryStore::remove()
{
    if (!m_boardPath.isEmpty()) {
        QFile::remove(m_boardPath);
        QFile::remove(m_notePath);
        m_boardPath.clear();
        m_notePath.clear();
    }
    if (m_lock.isLocked()) {
        QFile::remove(m_lock.path());
        m_lock.unlock();
    }
}

QList<RecoveryFile> RecoveryStore::leftovers()
{
    QList<RecoveryFile> files;
    if (m_folder.isEmpty())
        return files;
    const QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QStringList stems;
    for (const QString &name : names) {
        const QRegularExpressionMatch match = fileNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        const QString instance = match.captured(1);
        const QString stem = name.left(name.size() - 4);
        if (instance == m_instance || stems.contains(stem))
            continue;
        if (!m_leftoverLocks.count(instance)) {
            auto lock = std::make_unique<FileLock>();
            // A lock file that is missing belongs to no running instance:
            // one that runs took its lock before its first file.
            const QString lockPath = m_folder + instance + QStringLiteral(".lock");
            if (QFileInfo::exists(lockPath) && !lock->tryLock(lockPath, false))
                continue;
            m_leftoverLocks[instance] = std::move(lock);
        }
        stems.append(stem);
        files.append({instance, m_folder + stem + QStringLiteral(".zvb"), m_folder + stem + QStringLiteral(".txt")});
    }
    return files;
}

void RecoveryStore::discard(const RecoveryFile &file)
{
    QFile::remove(file.boardPath);
    QFile::remove(file.notePath);
    const QString prefix = file.instance + u'-';
    const QStringList rest = QDir(m_folder).entryList({prefix + QStringLiteral("*")}, QDir::Files | QDir::System);
    if (rest.isEmpty())
        QFile::remove(m_folder + file.instance + QStringLiteral(".lock"));
}

void RecoveryStore::releaseLeftovers()
{
    m_leftoverLocks.clear();
}

bool RecoveryStore::keptByOtherInstance(const QString &path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (m_folder.isEmpty() || wanted.isEmpty())
        return false;
    const QStringList notes = QDir(m_folder).entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : notes) {
        const QRegularExpressionMatch match = fileNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        const QString instance = match.captured(1);
        // Leftovers held here are of instances that ended.
        if (instance == m_instance || m_leftoverLocks.count(instance))
            continue;
        const QString lockPath = m_folder + instance + QStringLiteral(".lock");
        FileLock probe;
        if (!QFileInfo(lockPath).isFile() || QFileInfo(lockPath).isSymLink() || probe.tryLock(lockPath, false))
            continue;
        try {
            const DocumentState noted = readNote(m_folder + name).document;
            if (noted.hasFile() && QFileInfo(noted.filePath()).canonicalFilePath() == wanted)
                return true;
        } catch (const KestrixError &) {
            // A note that cannot be read names no board.
        }
    }
    return false;
}

KeptBoard RecoveryStore::readLeftover(const RecoveryFile &file)
{
    KeptBoard kept{file, readBoard(file.boardPath), DocumentState::newBoard(), QDateTime()};
    try {
        const RecoveryNote note = readNote(file.notePath);
        kept.written = note.written;
        if (note.document.hasFile() && isTrustedBoardPath(note.document.filePath()))
            kept.document = note.document;
    } catch (const KestrixError &) {
        // The board itself is whole: it is offered as a new board.
    }
    if (!kept.written.isValid())
        kept.written = QFileInfo(file.boardPath).lastModified().toUTC();
    return kept;
}

bool RecoveryStore::isTrustedBoardPath(const QString &path)
{
    if (!path.startsWith(u'/') || !path.endsWith(QStringLiteral(".zvb")))
        return false;
    const QFileInfo info(path);
    return info.fileName() != QStringLiteral(".zvb") && QFileInfo(info.absolutePath()).isDir();
}

RecoveryNote RecoveryStore::readNote(const QString &path)
{
    const KeyValueText text(readSmallFile(path, MaxFileSize));
    const QString document = decodeValue(text.value(DocumentKey));
    RecoveryNote note;
    note.document = document == NewBoardValue ? DocumentState::newBoard() : DocumentState::boardFile(document);
    note.written = QDateTime::fromString(text.value(WrittenKey), Qt::ISODate);
    if (document.isEmpty() || !note.written.isValid())
        throw KestrixError(ErrorTexts::RecoveryNoteIncomplete, {QDir::toNativeSeparators(path)});
    return note;
}

BoardFields RecoveryStore::readBoard(const QString &path)
{
    QByteArray bytes = readSmallFile(path, MaxFileSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return loadBoardFile(buffer);
}

} // namespace kestrix
