#pragma once

#include "board/Field.h"

#include <QImage>
#include <QList>

#include <array>

namespace kestrix {

// The selection cell: the tile prepared for its target field, how far it is
// turned, and the large picture it shows.
struct Selection
{
    int cell = 0; // the target field, 0..143
    int tileId = 0;
    int rotation = 0;
    QImage picture;

    // The picture follows from the rest.
    bool operator==(const Selection &other) const
    {
        return cell == other.cell && tileId == other.tileId && rotation == other.rotation;
    }
};

// The composed picture of every board field.
using FieldPictures = std::array<QImage, CellCount>;

// A whole board with its pictures and the selection's picture of field 0,
// composed before it replaces the open one.
struct ComposedBoard
{
    QList<FieldWrite> writes; // every field, field 0 first
    QList<QImage> pictures;
    QImage selectionPicture;
};

} // namespace kestrix
