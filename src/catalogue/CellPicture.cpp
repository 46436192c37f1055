#include "catalogue/CellPicture.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ImageTransforms.h"
#include "catalogue/StepMarks.h"
#include "util/Utils.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace kestrix {

namespace {

// Step-mark positions and sizes are given for a picture this wide.
constexpr int ReferenceWidth = 253;
constexpr int StepCount = 5;
constexpr int CursorSize = 10;

bool stepActive(const QString &flags, int step)
{
    return step <= flags.size() && flags.at(step - 1) == QLatin1Char('1');
}

QString threeDigits(int number)
{
    return number < 0 ? QStringLiteral("-%1").arg(-qint64(number), 3, 10, QLatin1Char('0'))
                      : QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

int truncated(double value)
{
    return int(std::trunc(value));
}

// Nearest-neighbour stretch of mark onto the rectangle [left, right) x
// [top, bottom) of target, clipped to target. Each target pixel takes the
// source pixel under its centre: source = ((2 i + 1) * size) / (2 * extent).
void stretchInto(QImage &target, const QImage &mark, int left, int top, int right, int bottom)
{
    const qint64 extentX = qint64(right) - left;
    const qint64 extentY = qint64(bottom) - top;
    if (extentX <= 0 || extentY <= 0 || mark.isNull())
        return;
    const int fromX = std::max(left, 0);
    const int toX = std::min(right, target.width());
    const int fromY = std::max(top, 0);
    const int toY = std::min(bottom, target.height());
    if (fromX >= toX || fromY >= toY)
        return;

    std::vector<qsizetype> sourceOffsets;
    sourceOffsets.reserve(size_t(toX - fromX));
    for (int x = fromX; x < toX; ++x)
        sourceOffsets.push_back(qsizetype((2 * (x - qint64(left)) + 1) * mark.width() / (2 * extentX)) * 3);

    uchar *bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = fromY; y < toY; ++y) {
        const int sourceY = int((2 * (y - qint64(top)) + 1) * mark.height() / (2 * extentY));
        const uchar *sourceRow = mark.constScanLine(sourceY);
        uchar *to = bits + y * stride + qsizetype(fromX) * 3;
        for (const qsizetype offset : sourceOffsets) {
            std::memcpy(to, sourceRow + offset, 3);
            to += 3;
        }
    }
}

} // namespace

CellPicture::CellPicture(const Catalogue &catalogue, const StepMarkTables &stepMarks,
                         const QString &programFolder)
    : m_catalogue(catalogue), m_stepMarks(stepMarks), m_programFolder(programFolder)
{
}

QString CellPicture::tilePictureFileName(int n) const
{
    return m_programFolder + QStringLiteral("Images/") + fiveDigitId(n) + QStringLiteral(".bmp");
}

int CellPicture::countActiveSteps(const QString &flags)
{
    int count = 0;
    for (int step = 1; step <= StepCount; ++step)
        count += stepActive(flags, step) ? 1 : 0;
    return count;
}

int CellPicture::composeCellPicture(int id, int offset, QImage &cellPicture, const QString &flags,
                                   int rotation)
{
    // Board files may carry any number here; the picture is still shown.
    const int turn = ((rotation % 4) + 4) % 4;
    m_workBitmap = loadBitmap(tilePictureFileName(id + offset));
    cellPicture = turnBitmap(turn, m_workBitmap);

    const QString stepMarks = m_catalogue.value(QStringLiteral("S") + fiveDigitId(id));
    if (stepMarks.isEmpty())
        return 0;
    const int count = countActiveSteps(flags);
    if (count == 0)
        return 0;

    // A record is missing for an S entry the tables were not built from (a
    // lower-case line, a tile renumbered during the run): no marks then.
    const bool byCount = stepMarks.at(0) == QLatin1Char('1');
    const int *record = nullptr;
    if (byCount) {
        if (const ByCountRecord *found = findStepMarkRecord(m_stepMarks.byCount, id))
            record = found->data();
    } else if (const PerStepRecord *found = findStepMarkRecord(m_stepMarks.perStep, id)) {
        record = found->data();
    }
    if (!record)
        return 0;

    std::memset(m_workBitmap.bits(), 0xFF, size_t(m_workBitmap.sizeInBytes()));
    const float q = float(m_workBitmap.width()) / float(ReferenceWidth);
    const int font = record[1];
    const int background = record[2];
    int pair = 1;
    for (int step = 1; step <= StepCount; ++step) {
        if (!stepActive(flags, step))
            continue;
        const int at = byCount ? byCountPairIndex(count, pair) : perStepPairIndex(step);
        drawStepMark(step, font, background, record[at], record[at + 1], q);
        ++pair;
    }

    m_workBitmap = turnBitmap(turn, m_workBitmap);
    overlayNonWhite(cellPicture, m_workBitmap);
    return count;
}

QString CellPicture::stepMarkFileName(const QString &kind, int number, const QString &suffix) const
{
    return m_programFolder + QStringLiteral("Images/") + kind + threeDigits(number) + suffix
           + QStringLiteral(".bmp");
}

void CellPicture::drawStepMark(int step, int font, int background, int x, int y, float q)
{
    QImage mark = loadBitmap(stepMarkFileName(QStringLiteral("BG"), background, {}));
    const QImage glyph = loadBitmap(stepMarkFileName(QStringLiteral("Font"), font, QString::number(step)));
    overlayNonWhite(mark, glyph);

    const double scale = double(q);
    const int left = truncated(x * scale);
    const int top = truncated(y * scale);
    const int right = truncated((double(x) + mark.width()) * scale);
    const int bottom = truncated((double(y) + mark.height()) * scale);
    stretchInto(m_workBitmap, mark, left, top, right, bottom);
}

QImage CellPicture::paintCursor(const QColor &colour)
{
    QImage cursor(CursorSize, CursorSize, BitmapFormat);
    cursor.fill(colour);
    return cursor;
}

} // namespace kestrix
