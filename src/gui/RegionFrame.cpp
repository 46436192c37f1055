#include "gui/RegionFrame.h"

#include "gui/CellGeometry.h"

#include <QPainter>
#include <QPen>

namespace kestrix {

namespace {

constexpr int CellSize = 57;
constexpr int Gap = CellPitch - CellSize;

} // namespace

RegionFrame::RegionFrame(QWidget *boardPanel) : QWidget(boardPanel)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(boardPanel->rect());
    hide();
}

void RegionFrame::showRegion(const std::optional<Region> &region, const QColor &colour)
{
    m_region = region;
    m_colour = colour;
    setVisible(region.has_value());
    raise();
    update();
}

// The line fills the gap around the fields, so it hides no field; its dashes
// leave the cursor's frame showing where the two meet.
void RegionFrame::paintEvent(QPaintEvent *)
{
    if (!m_region)
        return;
    const int first = m_region->firstCell();
    const int last = m_region->lastCell();
    const QRectF outer(QPointF(cellLeft(first) - Gap, cellTop(first) - Gap),
                       QPointF(cellLeft(last) + CellSize + Gap, cellTop(last) + CellSize + Gap));
    QPainter painter(this);
    QPen pen(m_colour, Gap, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({3, 2});
    painter.setPen(pen);
    painter.drawRect(outer.adjusted(Gap / 2.0, Gap / 2.0, -Gap / 2.0, -Gap / 2.0));
}

} // namespace kestrix
