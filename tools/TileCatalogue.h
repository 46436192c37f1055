#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace kestrix::tiles {

// The generator's view of InitList.ini: the entries it draws from (belt
// patterns, walls) and the ids of every tile that must have pictures.
class TileCatalogue
{
public:
    // Throws std::runtime_error naming the file when it cannot be read.
    static TileCatalogue load(const QString &path);

    // Value of the first line with that name, names compared without regard
    // to case; empty when there is none.
    QString value(const QString &key) const;
    bool hasKey(const QString &key) const;

    // Local sides 0..3 that carry a W entry.
    QList<int> wallSides(int id) const;
    // Every tile named by a key or by the value of an A, N or C entry.
    QList<int> tileIds() const;

private:
    QHash<QString, QString> m_first;
    QSet<int> m_ids;
};

} // namespace kestrix::tiles
