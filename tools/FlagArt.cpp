#include "FlagArt.h"

#include "Canvas.h"

#include <QPainter>
#include <QPolygonF>

#include <stdexcept>

namespace kestrix::tiles {

namespace {

constexpr int kWidth = 16, kHeight = 12, kFactor = 8;

void stripes(QPainter &p, const QList<QColor> &colours, bool vertical)
{
    const qreal n = colours.size();
    for (int i = 0; i < colours.size(); ++i) {
        const QRectF r = vertical ? QRectF(kWidth * i / n, 0, kWidth / n, kHeight)
                                  : QRectF(0, kHeight * i / n, kWidth, kHeight / n);
        p.fillRect(r, colours[i]);
    }
}

void unionFlag(QPainter &p)
{
    const QColor blue(1, 33, 105), red(200, 16, 46);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), blue);
    const QLineF diagonals[] = {QLineF(0, 0, kWidth, kHeight), QLineF(0, kHeight, kWidth, 0)};
    for (const QLineF &d : diagonals) {
        p.setPen(QPen(Qt::white, 2.4));
        p.drawLine(d);
        p.setPen(QPen(red, 0.9));
        p.drawLine(d);
    }
    p.fillRect(QRectF(0, kHeight / 2.0 - 2, kWidth, 4), Qt::white);
    p.fillRect(QRectF(kWidth / 2.0 - 2, 0, 4, kHeight), Qt::white);
    p.fillRect(QRectF(0, kHeight / 2.0 - 1.2, kWidth, 2.4), red);
    p.fillRect(QRectF(kWidth / 2.0 - 1.2, 0, 2.4, kHeight), red);
}

} // namespace

QStringList flagCodes()
{
    return {QStringLiteral("DE"), QStringLiteral("FR"), QStringLiteral("UK")};
}

QImage flagPicture(const QString &code)
{
    QImage canvas(kWidth * kFactor, kHeight * kFactor, QImage::Format_RGB32);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kFactor, kFactor);
        if (code == QLatin1String("DE"))
            stripes(p, {QColor(0, 0, 0), QColor(221, 0, 0), QColor(255, 206, 0)}, false);
        else if (code == QLatin1String("FR"))
            stripes(p, {QColor(0, 35, 149), QColor(255, 255, 255), QColor(237, 41, 57)}, true);
        else if (code == QLatin1String("UK"))
            unionFlag(p);
        else
            throw std::runtime_error(QStringLiteral("no flag for language %1").arg(code).toStdString());
        // A thin frame keeps the white and pale flags apart from the menu.
        p.setPen(QPen(QColor(90, 90, 90), 1.0 / kFactor * 6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0, 0, kWidth, kHeight));
    }
    return averageDown(canvas, kFactor);
}

} // namespace kestrix::tiles
