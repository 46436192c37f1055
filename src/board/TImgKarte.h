#pragma once

#include <QImage>
#include <QString>

namespace kestrix {

// One board field (or the selection cell): the tile lying on it, how far it
// is turned, in which steps it is active, and the picture composed from that.
struct TImgKarte
{
    int Tag = 0;        // tile id
    int CellNumber = 0; // 0..143; on the selection cell the target field
    int Rotation = 0;   // quarter turns counter-clockwise
    QString StepFlags = QStringLiteral("00000");
    QImage picture;
    bool visible = false;

    // Two fields are the same when they hold the same tile the same way; the
    // picture follows from that.
    bool operator==(const TImgKarte &other) const
    {
        return Tag == other.Tag && CellNumber == other.CellNumber && Rotation == other.Rotation
               && StepFlags == other.StepFlags;
    }
};

} // namespace kestrix
