#include "rules/TileCodes.h"

#include "catalogue/Catalogue.h"
#include "util/Utils.h"

namespace kestrix {

namespace {

// "W", "A", "N" or "C" + id5 + the local side digit.
QString sideKey(SideEntry entry, int tileId, int localSide)
{
    return QLatin1Char(char(entry)) + fiveDigitId(tileId) + QString::number(localSide);
}

} // namespace

BeltLayout::BeltLayout(const QString &text)
{
    if (text.size() >= Length)
        m_text = text;
}

// The code of local side s is the pattern's character s + 2, counted from 1.
SideCode BeltLayout::side(int localSide) const
{
    const qsizetype at = localSide + 1;
    if (at >= m_text.size())
        return SideCode::Nothing;
    switch (m_text[at].unicode()) {
    case u'1':
        return SideCode::Wall;
    case u'2':
        return SideCode::Input;
    case u'3':
        return SideCode::Output;
    default:
        return SideCode::Nothing;
    }
}

void BeltLayout::setSide(int localSide, SideCode code)
{
    static constexpr char16_t characters[] = {u'0', u'1', u'2', u'3'};
    const qsizetype at = localSide + 1;
    if (at < m_text.size())
        m_text[at] = QChar(characters[int(code)]);
}

bool TileCodes::hasSideEntry(SideEntry entry, int tileId, int localSide) const
{
    return m_catalogue.hasKey(sideKey(entry, tileId, localSide));
}

QString TileCodes::sideValue(SideEntry entry, int tileId, int localSide) const
{
    return m_catalogue.value(sideKey(entry, tileId, localSide));
}

QString TileCodes::attachedOnSide(int tileId, int localSide) const
{
    const QString attached = sideValue(SideEntry::Attached, tileId, localSide);
    return attached.isEmpty() ? sideValue(SideEntry::Needed, tileId, localSide) : attached;
}

bool TileCodes::hasNeededEntries(int tileId) const
{
    return m_catalogue.hasEntryPrefix(QLatin1Char(char(SideEntry::Needed)) + fiveDigitId(tileId));
}

BeltLayout TileCodes::beltPattern(int tileId) const
{
    return BeltLayout(m_catalogue.value(QStringLiteral("D") + fiveDigitId(tileId)));
}

int TileCodes::findBelt(const BeltLayout &pattern, int fallback) const
{
    return m_catalogue.findBeltByPattern(pattern.text(), fallback);
}

} // namespace kestrix
