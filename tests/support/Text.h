#pragma once

#include <QString>

namespace kestrix {

// Test sources are UTF-8, and QString's own conversion from a char literal is
// switched off for the program; this spells out the one tests want.
inline QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace kestrix
