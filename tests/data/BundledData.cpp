#include "BundledData.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace kestrix::testdata {

QString BinDir()
{
    return QStringLiteral(KESTRIX_BIN_DIR);
}

QString ImagePath(const QString &name)
{
    return BinDir() + QStringLiteral("/Images/") + name + QStringLiteral(".bmp");
}

QString TilePicturePath(int number)
{
    return ImagePath(fiveDigitId(number));
}

QString fiveDigitId(int id)
{
    return QStringLiteral("%1").arg(id, 5, 10, QLatin1Char('0'));
}

std::optional<BmpHeader> ReadBmpHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(54);
    if (head.size() < 54 || !head.startsWith("BM"))
        return std::nullopt;
    auto le = [&head](int at, int bytes) {
        quint32 v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | quint8(head[at + i]);
        return v;
    };
    return BmpHeader{int(le(18, 4)), int(le(22, 4)), int(le(28, 2)), int(le(30, 4))};
}

const Catalogue &BundledCatalogue()
{
    static const Catalogue catalogue = [] {
        Catalogue c;
        c.load(BinDir() + QStringLiteral("/InitList.ini"));
        return c;
    }();
    return catalogue;
}

QList<int> CatalogueTileIds()
{
    QList<int> ids;
    for (const QByteArray &line : BundledCatalogue().lines()) {
        const QString text = QString::fromLatin1(line);
        const QString name = text.section(QLatin1Char('='), 0, 0);
        if (name.size() < 6 || !QStringLiteral("PSDWANC").contains(name.at(0)))
            continue;
        ids << name.mid(1, 5).toInt();
        if (QStringLiteral("ANC").contains(name.at(0)))
            ids << text.section(QLatin1Char('='), 1).toInt();
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QList<int> BeltIds()
{
    QList<int> ids;
    for (const QByteArray &line : BundledCatalogue().lines()) {
        if (line.startsWith('D'))
            ids << line.mid(1, 5).toInt();
    }
    return ids;
}

QList<Board> SampleBoards()
{
    QList<Board> boards;
    const QDir dir(BinDir() + QStringLiteral("/Boards"));
    for (const QString &name : dir.entryList({QStringLiteral("*.zvb")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Board board{name, {}};
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (board.cells.size() == 144)
                break;
            const int n = line.section(QLatin1Char(','), 0, 0).toInt();
            const QString flags = line.contains(QLatin1Char(',')) ? line.section(QLatin1Char(','), 1) : QStringLiteral("00000");
            board.cells.append({n / 10, n % 10, flags});
        }
        boards << board;
    }
    return boards;
}

std::optional<QString> LanguageFile::value(const QString &key) const
{
    for (const auto &[k, v] : entries) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return std::nullopt;
}

QList<LanguageFile> LanguageFiles()
{
    QList<LanguageFile> files;
    const QDir dir(BinDir() + QStringLiteral("/Language"));
    for (const QString &name : dir.entryList({QStringLiteral("??.txt")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(file.readAll());
        LanguageFile lang;
        lang.code = name.left(2);
        lang.validUtf8 = !utf8.hasError();
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString &line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        lang.name = lines.value(0);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
            if (eq >= 0)
                lang.entries.append({lines[i].left(eq), lines[i].mid(eq + 1)});
        }
        files << lang;
    }
    return files;
}

int Neighbour(int n, int d)
{
    switch (d) {
    case 0: return n > 131 ? -1 : n + 12;
    case 1: return (n + 1) % 12 == 0 ? -1 : n + 1;
    case 2: return n < 12 ? -1 : n - 12;
    case 3: return n % 12 == 0 ? -1 : n - 1;
    default: return -1;
    }
}

} // namespace kestrix::testdata
