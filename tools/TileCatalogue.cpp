#include "TileCatalogue.h"

#include <QFile>

#include <algorithm>
#include <stdexcept>

namespace kestrix::tiles {

namespace {

int idOfKey(const QString &name)
{
    bool ok = false;
    const int id = name.mid(1, 5).toInt(&ok);
    return ok ? id : -1;
}

} // namespace

TileCatalogue TileCatalogue::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    TileCatalogue cat;
    const QByteArray text = file.readAll();
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QString name = QString::fromLatin1(line.left(eq));
        const QString value = QString::fromLatin1(line.mid(eq + 1));
        if (!cat.m_first.contains(name.toLower()))
            cat.m_first.insert(name.toLower(), value);
        const QChar family = name.isEmpty() ? QChar() : name.at(0).toUpper();
        if (!QStringLiteral("PSDWANC").contains(family) || idOfKey(name) < 0)
            continue;
        cat.m_ids.insert(idOfKey(name));
        if (QStringLiteral("ANC").contains(family)) {
            bool ok = false;
            const int target = value.toInt(&ok);
            if (ok)
                cat.m_ids.insert(target);
        }
    }
    return cat;
}

QString TileCatalogue::value(const QString &key) const
{
    return m_first.value(key.toLower());
}

bool TileCatalogue::hasKey(const QString &key) const
{
    return m_first.contains(key.toLower());
}

QList<int> TileCatalogue::wallSides(int id) const
{
    QList<int> sides;
    for (int s = 0; s < 4; ++s) {
        if (hasKey(QStringLiteral("W%1%2").arg(id, 5, 10, QLatin1Char('0')).arg(s)))
            sides << s;
    }
    return sides;
}

QList<int> TileCatalogue::tileIds() const
{
    QList<int> ids(m_ids.begin(), m_ids.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace kestrix::tiles
