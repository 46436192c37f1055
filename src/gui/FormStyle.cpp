#include "gui/FormStyle.h"

#include <QProxyStyle>

namespace kestrix {

namespace {

class CompactStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        switch (metric) {
        case PM_CheckBoxLabelSpacing:
            return 3;
        case PM_TabBarTabHSpace:
            return 8;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

} // namespace

QStyle *FormStyle()
{
    // Follows the application's style; never deleted, so no widget outlives it.
    static QStyle *style = new CompactStyle;
    return style;
}

} // namespace kestrix
