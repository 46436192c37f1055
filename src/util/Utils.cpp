#include "util/Utils.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

int toIntOrZero(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return 0;

    std::uint64_t value = 0;
    for (; i < n; ++i) {
        const int digit = hex ? hexDigit(text[i]) : (text[i].isDigit() && text[i].unicode() < 128
                                                         ? text[i].unicode() - u'0'
                                                         : -1);
        if (digit < 0)
            return 0;
        value = value * (hex ? 16 : 10) + std::uint64_t(digit);
        // Hexadecimal numbers may use all 32 bits; decimal ones must fit the
        // signed range (one more for the negative end).
        if (hex ? value > 0xFFFFFFFFull : value > 0x80000000ull)
            return 0;
    }
    if (hex) {
        const auto bits = std::int32_t(std::uint32_t(value));
        return negative ? int(-std::int64_t(bits)) : bits;
    }
    if (!negative && value > 0x7FFFFFFFull)
        return 0;
    return negative ? int(-std::int64_t(value)) : int(value);
}

bool isTrueText(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper == u"TRUE";
}

QString boolToText(bool b)
{
    return b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

qsizetype fileNameStart(const QString &path)
{
    qsizetype start = 0;
    for (const QChar separator : {u'\\', u':', u'/'})
        start = std::max(start, path.lastIndexOf(separator) + 1);
    return start;
}

QString fileBaseName(const QString &path)
{
    const QString name = path.mid(fileNameStart(path));
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

QString userProfileFolder()
{
    return qEnvironmentVariable("userprofile");
}

QString userFolderPath()
{
    // The folder is fixed here, once at start: a relative userprofile means
    // the folder the program was started in, whatever it works in later.
    if (const QString profile = userProfileFolder(); !profile.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(profile)) + QStringLiteral("/Kestrix/");
    // A relative configuration folder or home is ignored, as the desktop's
    // own programs do: it would name a different folder in every shell.
    if (const QString config = qEnvironmentVariable("XDG_CONFIG_HOME"); QDir::isAbsolutePath(config))
        return QDir::cleanPath(config) + QStringLiteral("/Kestrix/");
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home)) {
        const struct passwd *entry = ::getpwuid(::getuid());
        home = entry && entry->pw_dir ? QFile::decodeName(entry->pw_dir) : QString();
    }
    // Without any home there is no per-user folder, rather than one in the
    // root or the current folder.
    if (!QDir::isAbsolutePath(home))
        return QString();
    return QDir::cleanPath(home) + QStringLiteral("/.config/Kestrix/");
}

// access() asks the kernel, so a read-only mount counts even for root, whom
// the permission bits do not stop.
bool isWritableFolder(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

QList<QByteArray> splitByteLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString fiveDigitId(int id)
{
    return id < 0 ? QStringLiteral("-%1").arg(-qint64(id), 5, 10, QLatin1Char('0'))
                  : QStringLiteral("%1").arg(id, 5, 10, QLatin1Char('0'));
}

} // namespace kestrix
