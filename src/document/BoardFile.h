#pragma once

#include "board/Field.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace kestrix {

// 144 lines, one per field in board order, each ended by CR LF: the tile id
// followed by the rotation digit, then "," and the step flags unless they are
// exactly "00000". Throws KestrixError when the device takes fewer bytes.
void saveBoardFile(QIODevice &device, const BoardFields &fields);
// One field's line as the board file holds it, without its line end.
QByteArray boardFileLine(const Field &field);
// Writes a temporary file beside path and renames it over path, so a failed
// save leaves the file that was there untouched. Throws KestrixError naming
// the file and the system's reason.
void saveBoardFile(const QString &path, const BoardFields &fields);

// A board has 144 short lines; a file much longer is not one and is refused
// before it is read.
inline constexpr qint64 MaxBoardFileSize = 64 * 1024;

// Reads up to 144 lines leniently: a line ends at LF or CR LF, a number that
// is not a whole number reads as 0, missing lines read as empty ones, lines
// after the 144th are ignored. No pictures: the caller composes them.
// Throws KestrixError when the device holds more than MaxBoardFileSize bytes.
BoardFields loadBoardFile(QIODevice &device);
// Throws KestrixError naming the file when it is missing, not a regular file,
// too long or cannot be read.
BoardFields loadBoardFile(const QString &path);

} // namespace kestrix
