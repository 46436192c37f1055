#include "output/BoardPrinter.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace kestrix {

QSize BoardPrinter::portraitPageSize()
{
    m_printer.setPageOrientation(QPageLayout::Portrait);
    // The painter's device without full-page mode: the printable page.
    return QSize(m_printer.width(), m_printer.height());
}

void BoardPrinter::printPage(const PrintPage &page)
{
    m_printer.setDocName(page.jobTitle);
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw KestrixError(QStringLiteral("Der Drucker %1 kann nicht drucken").arg(printerText()));
    painter.drawImage(page.target, page.picture);
    // The position names the line's top-left corner; text is drawn from its
    // base line.
    painter.drawText(page.footerAt + QPoint(0, painter.fontMetrics().ascent()), page.footer);
    if (!painter.end() || m_printer.printerState() == QPrinter::Error)
        throw KestrixError(QStringLiteral("Der Druckauftrag für %1 ist fehlgeschlagen").arg(printerText()));
}

// A printer by its name; printing into a file by the file's path.
QString BoardPrinter::printerText() const
{
    return m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                : QDir::toNativeSeparators(m_printer.outputFileName());
}

} // namespace kestrix
