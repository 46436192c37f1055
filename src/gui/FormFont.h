#pragma once

#include <QFont>

namespace kestrix {

// The font of the program's windows. The layout is fixed in pixels, so the
// font is too: DejaVu Sans is on every Debian desktop, and at 10 pixels its
// captions take the room the layout gives them.
inline QFont FormFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    return font;
}

} // namespace kestrix
