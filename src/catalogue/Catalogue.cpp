#include "catalogue/Catalogue.h"

namespace kestrix {

// Placeholder bodies until the catalogue is built.
void Catalogue::load(const QString &) {}
void Catalogue::setLines(const QList<QByteArray> &lines) { m_lines = lines; }
QString Catalogue::CatalogueValue(const QString &) const { return {}; }
bool Catalogue::CatalogueHasKey(const QString &) const { return false; }
bool Catalogue::HasEntryPrefix(const QString &) const { return false; }
int Catalogue::FindBeltByPattern(const QString &, int fallback) const { return fallback; }
void Catalogue::append(const QByteArray &line) { m_lines.append(line); }
void Catalogue::replace(qsizetype index, const QByteArray &line) { m_lines[index] = line; }
void Catalogue::remove(qsizetype index) { m_lines.removeAt(index); }
qsizetype Catalogue::find(const QString &) const { return -1; }
void Catalogue::sort() {}
void Catalogue::save(const QString &) const {}

} // namespace kestrix
