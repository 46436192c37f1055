#pragma once

#include "TileCatalogue.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>

namespace kestrix::tiles {

inline constexpr int kBoardSize = 57;
inline constexpr int kLargeSize = 253;

// The whole bundled tile set: which tiles exist and how each is drawn.
class TileSet
{
public:
    explicit TileSet(TileCatalogue catalogue);

    // Every ground plate and every tile the catalogue names, ascending.
    // Throws std::runtime_error naming a tile that has no picture.
    QList<int> ids() const;
    void draw(QPainter &p, int id) const;
    QImage picture(int id, int size) const;

    // Ground-plate groups show a fanned stack of their plates on the palette,
    // on a key colour taken from the bottom-left pixel.
    static bool hasPalettePicture(int id);
    QImage palettePicture(int id) const;

    // Writes board, large and palette pictures, step-mark backgrounds and
    // glyphs into `imagesDir`; returns the number of files written.
    int writeImages(const QString &imagesDir) const;

    const TileCatalogue &catalogue() const { return m_catalogue; }

private:
    bool drawable(int id) const;

    TileCatalogue m_catalogue;
};

} // namespace kestrix::tiles
