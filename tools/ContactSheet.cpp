#include "ContactSheet.h"

#include "FlagArt.h"
#include "Glyphs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <stdexcept>

namespace kestrix::tiles {

namespace {

const QColor kSheet(214, 214, 218);

QImage loadImage(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    return image.convertToFormat(QImage::Format_RGB32);
}

QString tileFile(const QString &binDir, int n)
{
    return binDir + QStringLiteral("/Images/%1.bmp").arg(n, 5, 10, QLatin1Char('0'));
}

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG"))
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

// Pixels of `top` that are not pure white replace those of `bottom`.
void overlayNonWhite(QImage &bottom, const QImage &top)
{
    for (int y = 0; y < qMin(bottom.height(), top.height()); ++y) {
        QRgb *dst = reinterpret_cast<QRgb *>(bottom.scanLine(y));
        const QRgb *src = reinterpret_cast<const QRgb *>(top.constScanLine(y));
        for (int x = 0; x < qMin(bottom.width(), top.width()); ++x) {
            if ((src[x] & 0xFFFFFF) != 0xFFFFFF)
                dst[x] = src[x];
        }
    }
}

QImage turned(const QImage &image, int rotation)
{
    return image.transformed(QTransform().rotate(-90.0 * rotation));
}

QString subField(const QString &name, const QString &text)
{
    const qsizetype at = text.indexOf(name + QLatin1Char(':'));
    if (at < 0)
        return {};
    const QString rest = text.mid(at + name.size() + 1);
    return rest.left(rest.indexOf(QLatin1Char('*')));
}

// The board picture of one field with its step marks, as the editor
// composes it.
QImage composeCell(const TileSet &tiles, const QString &binDir, int id, int rotation, const QString &flags)
{
    QImage cell = turned(loadImage(tileFile(binDir, id)), rotation);
    const QString s = tiles.catalogue().value(QStringLiteral("S%1").arg(id, 5, 10, QLatin1Char('0')));
    const int active = int(flags.left(5).count(QLatin1Char('1')));
    if (s.isEmpty() || active == 0)
        return cell;
    const int font = subField(QStringLiteral("Font"), s).toInt();
    const int bg = subField(QStringLiteral("BG"), s).toInt();
    const QString array = subField(QStringLiteral("Array"), s);
    QImage overlay(cell.size(), QImage::Format_RGB32);
    overlay.fill(Qt::white);
    const double q = cell.width() / 253.0;
    QPainter p(&overlay);
    int j = 0;
    for (int step = 1; step <= 5; ++step) {
        if (flags.mid(step - 1, 1) != QLatin1String("1"))
            continue;
        ++j;
        const int pair = s.startsWith(QLatin1Char('1')) ? (active - 1) * active / 2 + j - 1 : step - 1;
        const int x = array.mid(pair * 6, 3).toInt(), y = array.mid(pair * 6 + 3, 3).toInt();
        QImage mark = loadImage(binDir + QStringLiteral("/Images/BG%1.bmp").arg(bg, 3, 10, QLatin1Char('0')));
        overlayNonWhite(mark, loadImage(binDir + QStringLiteral("/Images/Font%1%2.bmp").arg(font, 3, 10, QLatin1Char('0')).arg(step)));
        const QRect target(QPoint(int(x * q), int(y * q)), QPoint(int((x + mark.width()) * q) - 1, int((y + mark.height()) * q) - 1));
        p.drawImage(target, mark);
    }
    p.end();
    overlayNonWhite(cell, turned(overlay, rotation));
    return cell;
}

// Each glyph set on each background, at full size and at board size, from y.
void drawMarkSheet(QPainter &p, const QString &binDir, int y)
{
    const int markPitch = kMarkSize + 6;
    for (int set = 1; set <= kGlyphSets; ++set) {
        for (int bg = 1; bg <= kBackgrounds; ++bg) {
            for (int step = 1; step <= 5; ++step) {
                QImage mark = loadImage(binDir + QStringLiteral("/Images/BG%1.bmp").arg(bg, 3, 10, QLatin1Char('0')));
                overlayNonWhite(mark, loadImage(binDir + QStringLiteral("/Images/Font%1%2.bmp").arg(set, 3, 10, QLatin1Char('0')).arg(step)));
                const int cx = 8 + ((bg - 1) * 5 + step - 1) * markPitch + (bg - 1) * 20;
                const int cy = y + (set - 1) * (markPitch + 24);
                p.drawImage(QPoint(cx, cy), mark);
                const int small = int(kMarkSize * 57 / 253.0);
                p.drawImage(QRect(cx, cy + kMarkSize + 4, small, small), mark);
            }
        }
    }
}

void writeBoardSheet(const TileSet &tiles, const QString &binDir, const QString &outDir)
{
    const QList<int> ids = tiles.ids();
    const int perRow = 14, pitch = 72;
    const int rows = int((ids.size() + perRow - 1) / perRow);
    QImage sheet(perRow * pitch + 16, rows * pitch + 360, QImage::Format_RGB32);
    sheet.fill(kSheet);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (int i = 0; i < ids.size(); ++i) {
        const QPoint at(8 + (i % perRow) * pitch, 8 + (i / perRow) * pitch);
        p.drawImage(at, loadImage(tileFile(binDir, ids[i])));
        p.drawText(QRect(at.x(), at.y() + 57, 57, 12), Qt::AlignCenter, QStringLiteral("%1").arg(ids[i], 5, 10, QLatin1Char('0')));
    }
    int y = 16 + rows * pitch;
    // Palette pictures as the palette shows them: the bottom-left colour
    // lets the panel through.
    int x = 8;
    for (int id : ids) {
        if (!TileSet::hasPalettePicture(id))
            continue;
        QImage pic = loadImage(tileFile(binDir, id + 20000));
        const QRgb key = pic.pixel(0, pic.height() - 1);
        for (int py = 0; py < pic.height(); ++py)
            for (int px = 0; px < pic.width(); ++px)
                if (pic.pixel(px, py) == key)
                    pic.setPixel(px, py, QColor(240, 240, 240).rgb());
        p.drawImage(QPoint(x, y), pic);
        x += pitch;
    }
    y += pitch;
    drawMarkSheet(p, binDir, y);
    y += kGlyphSets * (kMarkSize + 6 + 24);
    x = 8;
    for (const QString &code : flagCodes()) {
        const QImage flag = loadImage(binDir + QStringLiteral("/Language/") + code + QStringLiteral(".bmp"));
        p.drawImage(QRect(x, y, flag.width() * 3, flag.height() * 3), flag);
        p.drawImage(QPoint(x + flag.width() * 3 + 6, y), flag);
        x += 90;
    }
    p.end();
    save(sheet, outDir + QStringLiteral("/sheet-board.png"));
}

void writeLargeSheets(const TileSet &tiles, const QString &binDir, const QString &outDir)
{
    const QList<int> ids = tiles.ids();
    const int perRow = 6, perSheet = 24, pitch = 270;
    for (int first = 0; first < ids.size(); first += perSheet) {
        const int count = int(qMin<qsizetype>(perSheet, ids.size() - first));
        QImage sheet(perRow * pitch + 8, ((count + perRow - 1) / perRow) * (pitch + 10) + 8, QImage::Format_RGB32);
        sheet.fill(kSheet);
        QPainter p(&sheet);
        for (int i = 0; i < count; ++i) {
            const QPoint at(8 + (i % perRow) * pitch, 8 + (i / perRow) * (pitch + 10));
            p.drawImage(at, loadImage(tileFile(binDir, ids[first + i] + 10000)));
            p.drawText(QRect(at.x(), at.y() + 254, 253, 16), Qt::AlignCenter,
                       QStringLiteral("%1").arg(ids[first + i], 5, 10, QLatin1Char('0')));
        }
        p.end();
        save(sheet, outDir + QStringLiteral("/sheet-large-%1.png").arg(first / perSheet + 1));
    }
}

void writeBoardPreview(const TileSet &tiles, const QString &binDir, const QString &board, const QString &outDir)
{
    QFile file(board);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(board).toStdString());
    const QList<QByteArray> lines = file.readAll().split('\n');
    QImage sheet(714, 714, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    for (int k = 0; k < 144 && k < lines.size(); ++k) {
        const QString line = QString::fromLatin1(lines[k]).trimmed();
        const QString number = line.section(QLatin1Char(','), 0, 0);
        const QString flags = line.contains(QLatin1Char(',')) ? line.section(QLatin1Char(','), 1) : QStringLiteral("00000");
        const int n = number.toInt();
        p.drawImage(QPoint((k % 12) * 59 + 4, (k / 12) * 59 + 4), composeCell(tiles, binDir, n / 10, n % 10, flags));
    }
    p.end();
    save(sheet, outDir + QStringLiteral("/board-%1.png").arg(QFileInfo(board).completeBaseName()));
}

} // namespace

void writeContactSheets(const TileSet &tiles, const QString &binDir, const QString &outDir)
{
    if (!QDir().mkpath(outDir))
        throw std::runtime_error(QStringLiteral("cannot create %1").arg(outDir).toStdString());
    writeBoardSheet(tiles, binDir, outDir);
    writeLargeSheets(tiles, binDir, outDir);
    const QDir boards(binDir + QStringLiteral("/Boards"));
    for (const QString &name : boards.entryList({QStringLiteral("*.zvb")}, QDir::Files, QDir::Name))
        writeBoardPreview(tiles, binDir, boards.filePath(name), outDir);
}

} // namespace kestrix::tiles
