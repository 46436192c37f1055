#include "output/BoardThumbnail.h"

#include "catalogue/CellPicture.h"
#include "catalogue/ImageTransforms.h"
#include "output/WholeBoardPicture.h"
#include "rules/TileIds.h"
#include "util/KestrixError.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <vector>

namespace kestrix {

namespace {

constexpr int Channels = 3;

// The sum of a target pixel's weighted channel values stays in 32 bits.
static_assert(qint64(WholeBoardSize) * WholeBoardSize * 255 <= 0xFFFFFFFFLL);
// From this side on, the rows falling wholly into one target row sum to 16
// bits.
constexpr int SmallestSide = 16;
static_assert((WholeBoardSize / SmallestSide + 1) * 255 <= 0xFFFF);

// The target pixel a source pixel starts in, and the part of the source
// pixel's side that falls into it; the rest falls into the next.
struct Share
{
    int target;
    quint32 weight;
};

// The side x side picture of the weighted sums (rows of side + 1 pixels, the
// last one a spill that is dropped), each divided by a target pixel's area on
// the common scale.
template<class Sum>
QImage averagedPicture(const std::vector<Sum> &sums, int side, quint64 area)
{
    QImage image(side, side, BitmapFormat);
    if (image.isNull())
        throw KestrixError(ErrorTexts::QuarterMemory, {});
    for (int y = 0; y < side; ++y) {
        const Sum *row = sums.data() + size_t(y) * size_t(side + 1) * Channels;
        uchar *to = image.scanLine(y);
        for (int k = 0; k < side * Channels; ++k)
            to[k] = uchar((row[k] + area / 2) / area);
    }
    return image;
}

// Shrinks the whole board's picture, given in pieces, to side x side pixels
// by area averaging. On a common scale a full-size pixel i spans
// [i * side, (i + 1) * side) and a target pixel j [j * W, (j + 1) * W), W the
// full side; as side < W a full-size pixel falls into at most two target
// pixels. Black (zero) needs no adding, so pieces are added where they lie.
class AreaAverage
{
public:
    explicit AreaAverage(int side)
        : m_side(side), m_sums(size_t(side + 1) * size_t(side + 1) * Channels)
    {
        m_shares.reserve(WholeBoardSize);
        for (qint64 i = 0; i < WholeBoardSize; ++i) {
            const qint64 target = i * side / WholeBoardSize;
            const qint64 end = std::min((i + 1) * side, (target + 1) * WholeBoardSize);
            m_shares.push_back({int(target), quint32(end - i * side)});
        }
    }

    // Adds picture (BitmapFormat) with its top-left corner at origin; it lies
    // inside the full-size square and overlaps no other piece.
    void add(const QImage &picture, QPoint origin);

    QImage result() const;

private:
    void addBand(const quint32 *band, int width, int originX, int targetRow);

    int m_side;
    std::vector<Share> m_shares;
    std::vector<quint32> m_sums; // (side + 1)^2 pixels: the spill past the last is dropped
    std::vector<quint32> m_bands;
    std::vector<quint16> m_whole;
};

// Rows first: the picture's rows are summed, weighted, into one band per
// target row it touches; then each band is spread over the target columns.
// Most rows fall wholly into one target row: they are summed unweighted in
// 16 bits and weighted once per band.
void AreaAverage::add(const QImage &picture, QPoint origin)
{
    const int rowValues = picture.width() * Channels;
    const int firstRow = m_shares[size_t(origin.y())].target;
    const int bands = m_shares[size_t(origin.y() + picture.height() - 1)].target + 2 - firstRow;
    m_bands.assign(size_t(bands) * size_t(rowValues), 0);
    m_whole.assign(size_t(bands) * size_t(rowValues), 0);
    for (int y = 0; y < picture.height(); ++y) {
        const Share share = m_shares[size_t(origin.y() + y)];
        const uchar *from = picture.constScanLine(y);
        const size_t at = size_t(share.target - firstRow) * size_t(rowValues);
        if (share.weight == quint32(m_side)) {
            quint16 *whole = m_whole.data() + at;
            for (int k = 0; k < rowValues; ++k)
                whole[k] = quint16(whole[k] + from[k]);
            continue;
        }
        quint32 *band = m_bands.data() + at;
        const quint32 rest = quint32(m_side) - share.weight;
        for (int k = 0; k < rowValues; ++k) {
            band[k] += share.weight * from[k];
            band[k + rowValues] += rest * from[k];
        }
    }
    for (size_t k = 0; k < m_bands.size(); ++k)
        m_bands[k] += quint32(m_side) * m_whole[k];
    for (int row = 0; row < bands; ++row)
        addBand(m_bands.data() + size_t(row) * size_t(rowValues), picture.width(), origin.x(), firstRow + row);
}

// The sums of the current target pixel and of the part spilling into the
// next one stay in registers until the target moves on.
void AreaAverage::addBand(const quint32 *band, int width, int originX, int targetRow)
{
    quint32 *sums = m_sums.data() + size_t(targetRow) * size_t(m_side + 1) * Channels;
    int target = m_shares[size_t(originX)].target;
    std::array<quint32, Channels> current{};
    std::array<quint32, Channels> spill{};
    const auto flush = [&] {
        for (int c = 0; c < Channels; ++c)
            sums[size_t(target) * Channels + size_t(c)] += current[size_t(c)];
    };
    for (int x = 0; x < width; ++x, band += Channels) {
        const Share share = m_shares[size_t(originX + x)];
        if (share.target != target) {
            flush();
            target = share.target;
            current = spill;
            spill = {};
        }
        const quint32 rest = quint32(m_side) - share.weight;
        for (int c = 0; c < Channels; ++c) {
            current[size_t(c)] += share.weight * band[c];
            spill[size_t(c)] += rest * band[c];
        }
    }
    flush();
    ++target;
    current = spill;
    flush();
}

QImage AreaAverage::result() const
{
    return averagedPicture(m_sums, m_side, quint64(WholeBoardSize) * WholeBoardSize);
}

// The side of a field's board picture, and of its large picture: two
// drawings of the same art.
constexpr int BoardPictureSide = 57;
constexpr int LargePictureSide = 253;

// Fits the whole board's picture into side x side pixels from the fields'
// board pictures, each standing for its large picture stretched by
// LargePictureSide / BoardPictureSide. The common scale of AreaAverage
// grows by BoardPictureSide: a full-size pixel is BoardPictureSide * side
// long, a board picture's pixel LargePictureSide * side, a target pixel
// BoardPictureSide * W. While no board picture pixel is longer than a target
// pixel, it falls into at most two of them.
class BoardPictureAverage
{
public:
    explicit BoardPictureAverage(int side)
        : m_side(side), m_sums(size_t(side + 1) * size_t(side + 1) * Channels)
    {
        const qint64 targetLength = qint64(BoardPictureSide) * WholeBoardSize;
        m_shares.reserve(size_t(BoardSide) * BoardPictureSide);
        for (int field = 0; field < BoardSide; ++field) {
            const qint64 origin = wholeBoardCellOrigin(field).x();
            for (qint64 i = 0; i < BoardPictureSide; ++i) {
                const qint64 start = (BoardPictureSide * origin + LargePictureSide * i) * side;
                const qint64 target = start / targetLength;
                const qint64 end = std::min(start + pixelLength(), (target + 1) * targetLength);
                m_shares.push_back({int(target), quint32(end - start)});
            }
        }
    }

    // Whether a board picture's pixel is no longer than a target pixel.
    static bool fits(int side) { return side * LargePictureSide <= BoardPictureSide * WholeBoardSize; }

    // Adds the board picture (BitmapFormat, BoardPictureSide square) of
    // field n.
    void add(const QImage &picture, int n);

    QImage result() const;

private:
    quint32 pixelLength() const { return quint32(LargePictureSide * m_side); }
    const Share *shares(int line) const { return m_shares.data() + size_t(line) * BoardPictureSide; }

    int m_side;
    std::vector<Share> m_shares; // per board row or column, one per picture pixel
    std::vector<quint64> m_sums; // (side + 1)^2 pixels: the spill past the last is dropped
    std::vector<quint32> m_bands;
};

// Rows first, into one band per target row touched; a band's weights add up
// to at most one target pixel's length, so its sums stay in 32 bits.
static_assert(qint64(BoardPictureSide) * WholeBoardSize * 255 <= 0xFFFFFFFFLL);
void BoardPictureAverage::add(const QImage &picture, int n)
{
    constexpr int RowValues = BoardPictureSide * Channels;
    const Share *rows = shares(n / BoardSide);
    const Share *columns = shares(n % BoardSide);
    const int firstRow = rows[0].target;
    const int bands = rows[BoardPictureSide - 1].target + 2 - firstRow;
    m_bands.assign(size_t(bands) * RowValues, 0);
    for (int y = 0; y < BoardPictureSide; ++y) {
        const uchar *from = picture.constScanLine(y);
        quint32 *band = m_bands.data() + size_t(rows[y].target - firstRow) * RowValues;
        const quint32 weight = rows[y].weight;
        const quint32 rest = pixelLength() - weight;
        for (int k = 0; k < RowValues; ++k) {
            band[k] += weight * from[k];
            band[k + RowValues] += rest * from[k];
        }
    }
    for (int row = 0; row < bands; ++row) {
        const quint32 *band = m_bands.data() + size_t(row) * RowValues;
        quint64 *sums = m_sums.data() + size_t(firstRow + row) * size_t(m_side + 1) * Channels;
        for (int x = 0; x < BoardPictureSide; ++x) {
            quint64 *to = sums + size_t(columns[x].target) * Channels;
            const quint64 weight = columns[x].weight;
            const quint64 rest = pixelLength() - weight;
            for (int c = 0; c < Channels; ++c) {
                to[c] += weight * band[x * Channels + c];
                to[c + Channels] += rest * band[x * Channels + c];
            }
        }
    }
}

QImage BoardPictureAverage::result() const
{
    const quint64 length = quint64(BoardPictureSide) * WholeBoardSize;
    return averagedPicture(m_sums, m_side, length * length);
}

// The board's fields grouped by what their composed pictures show, in the
// order the pictures first appear.
class FieldsByPicture
{
public:
    using Key = std::tuple<int, int, QString>; // tile id, quarter turns 0..3, steps

    explicit FieldsByPicture(const BoardFields &cells)
    {
        std::map<Key, size_t> seen;
        for (int n = 0; n < CellCount; ++n) {
            const Field &cell = cells[size_t(n)];
            const Key key{cell.tileId, ((cell.rotation % 4) + 4) % 4, cell.steps};
            const auto [at, added] = seen.emplace(key, m_groups.size());
            if (added)
                m_groups.push_back({n, {}});
            m_groups[at->second].fields.push_back(n);
        }
    }

    struct Group
    {
        int first; // a field showing the picture
        std::vector<int> fields;
    };
    const std::vector<Group> &groups() const { return m_groups; }

private:
    std::vector<Group> m_groups;
};

// From the board pictures; a null image when one of them cannot be read,
// as the whole picture does not need them, or is not a BoardPictureSide
// square, as nothing then says how it lies on its field.
QImage fromBoardPictures(const BoardPictureSource &source, const FieldsByPicture &fields, int side)
{
    BoardPictureAverage average(side);
    CellPicture cellPicture(source.catalogue, source.stepMarks, source.programFolder);
    QImage picture;
    for (const FieldsByPicture::Group &group : fields.groups()) {
        const Field &cell = source.cells[size_t(group.first)];
        try {
            cellPicture.composeCellPicture(cell.tileId, 0, picture, cell.steps, cell.rotation);
        } catch (const KestrixError &) {
            return {};
        }
        if (picture.size() != QSize(BoardPictureSide, BoardPictureSide))
            return {};
        for (const int n : group.fields)
            average.add(picture, n);
    }
    return average.result();
}

// From the large pictures, as the full-size picture is drawn.
QImage fromLargePictures(const BoardPictureSource &source, const FieldsByPicture &fields, int side)
{
    AreaAverage average(side);
    CellPicture cellPicture(source.catalogue, source.stepMarks, source.programFolder);
    QImage picture;
    for (const FieldsByPicture::Group &group : fields.groups()) {
        const Field &cell = source.cells[size_t(group.first)];
        cellPicture.composeCellPicture(cell.tileId, LargePictureOffset, picture, cell.steps, cell.rotation);
        if (picture.width() > QuarterCellPitch || picture.height() > QuarterCellPitch) {
            // Pictures that reach into the next field cover each other in
            // field order.
            AreaAverage whole(side);
            whole.add(renderWholeBoard(source), QPoint(0, 0));
            return whole.result();
        }
        if (picture.isNull())
            continue;
        for (const int n : group.fields)
            average.add(picture, wholeBoardCellOrigin(n));
    }
    return average.result();
}

} // namespace

// Each distinct picture is composed once and added wherever it lies, then
// dropped: only one is held at a time.
QImage renderBoardThumbnail(const BoardPictureSource &source, int side)
{
    if (side < SmallestSide || side >= WholeBoardSize)
        return scaledToFit(renderWholeBoard(source), side);
    const FieldsByPicture fields(source.cells);
    if (BoardPictureAverage::fits(side)) {
        if (QImage preview = fromBoardPictures(source, fields, side); !preview.isNull())
            return preview;
    }
    return fromLargePictures(source, fields, side);
}

} // namespace kestrix
