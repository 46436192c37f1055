#pragma once

#include "board/Region.h"

#include <QByteArray>

#include <optional>

namespace kestrix {

// The MIME type of a copied region on the clipboard; its plain text form is
// the same bytes.
inline constexpr char RegionMimeType[] = "application/x-zorvan-board-region";

// A copied region is far shorter; a longer text is refused unread.
inline constexpr qsizetype MaxRegionTextSize = 8 * 1024;

// The region as text: the line "ZVR <width> <height>", then one line per
// field, row by row, in the board file's line format; every line ends with
// CR LF, as in a board file.
QByteArray regionText(const RegionClip &clip);

// The region a text holds, or nothing when the text is not exactly such a
// text: a first line "ZVR <width> <height>" with sizes 1..12, then exactly
// width x height field lines (a number, optionally a comma and at most five
// step characters), lines ended by LF or CR LF, the last line end optional.
// Whether the tiles exist is the caller's to check.
std::optional<RegionClip> parseRegionText(const QByteArray &text);

} // namespace kestrix
