#pragma once

#include "util/KestrixError.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

namespace kestrix {

// Lenient 32-bit conversion: leading blanks, optional sign, decimal digits or
// a hexadecimal number introduced by "$", "x", "X", "0x" or "0X". Anything
// else, and an overflow, gives 0.
int toIntOrZero(const QString &text);

// True exactly when the text in capitals is "TRUE".
bool isTrueText(const QString &text);
QString boolToText(bool b);

// Where the file name part of path begins: after its last "\", ":" or "/".
qsizetype fileNameStart(const QString &path);

// The file name without folder and extension. "\", ":" and "/" all end a
// folder part.
QString fileBaseName(const QString &path);

// A write beyond the file-size limit (ulimit -f) then fails with an error
// that is reported like any other, instead of ending the program.
void ignoreFileSizeSignal();

// The environment variable "userprofile"; empty when it is not set.
QString userProfileFolder();

// The per-user folder, absolute and ending with "/": userprofile + "/Kestrix/"
// when the variable is set (a relative one taken from the current folder),
// else $XDG_CONFIG_HOME or the home folder's ".config", + "/Kestrix/". The
// home is $HOME, or the user's entry of the password database when $HOME is
// not an absolute path. Empty when there is no home at all: no per-user folder.
QString userFolderPath();

// True when files can be created and renamed in folder: false for the
// read-only data folder of an installed program.
bool isWritableFolder(const QString &folder);

// What could not be done with a file.
enum class FileAction { Open, Read, Write };

// The error the user reads when a file cannot be handled: the action, the
// path in native form and the reason.
KestrixError fileError(FileAction action, const QString &path, const QString &reason);

// The whole file as bytes. Only a regular file is read (a FIFO, a device or a
// folder is refused, also behind a symbolic link), and only when it holds at
// most maxBytes. Throws KestrixError naming the path on failure.
QByteArray readWholeFile(const QString &path, qint64 maxBytes);

// Writes bytes to the device, looping until all are written; false on error.
bool writeAll(QIODevice &device, const QByteArray &bytes);

// Replaces the file at path with bytes: written to a temporary file in the
// same folder, synced to the disk and renamed over the target, so a failed
// write leaves the old file as it was. A symbolic link is written through,
// the file's permissions, owner and group are kept (the owner where the
// process may set it). Temporary files of the same target that an earlier
// run left behind (it was killed before its rename) are removed first.
// What is not a regular file is never replaced: a character device or a
// FIFO, also behind a link, is written directly (a FIFO without a reader is
// an error, not a wait); a folder, a socket and a block device are
// refused. A write-protected file (no write bit for its owner, or not
// writable for this user) is refused too, also for root.
// Throws KestrixError naming the file on failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);

// The name of a temporary file that writeWholeFile uses for the file named
// fileName: fileName + ".kestrix-" + six letters or digits.
bool isTemporaryFileName(const QString &name, const QString &fileName);

// Splits text into lines: CR LF, a bare LF and a bare CR each end a line.
// A line end at the very end does not start another line.
QList<QByteArray> splitByteLines(const QByteArray &text);

// The tile id written with at least five digits ("00000" pattern).
QString fiveDigitId(int id);

} // namespace kestrix
