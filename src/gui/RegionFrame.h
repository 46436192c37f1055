#pragma once

#include "board/Region.h"

#include <QColor>
#include <QWidget>

#include <optional>

namespace kestrix {

// The region's frame: a dashed line in the cursor colour in the gaps around
// the region's fields, over the whole board panel; clicks pass through.
class RegionFrame : public QWidget
{
    Q_OBJECT

public:
    explicit RegionFrame(QWidget *boardPanel);

    const std::optional<Region> &region() const { return m_region; }
    void showRegion(const std::optional<Region> &region, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<Region> m_region;
    QColor m_colour;
};

} // namespace kestrix
