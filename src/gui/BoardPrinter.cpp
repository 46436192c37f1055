#include "gui/BoardPrinter.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

namespace kestrix {

QSize BoardPrinter::portraitPageSize()
{
    m_printer.setPageOrientation(QPageLayout::Portrait);
    // The painter's device without full-page mode: the printable page.
    return QSize(m_printer.width(), m_printer.height());
}

// Each page is a job of its own; printed into a file, each job gets a file of
// its own, named like the exported pictures: "Board.pdf" gives
// "Board (1).pdf" and so on, so a later page never replaces an earlier one.
QString BoardPrinter::PageFileName(const QString &chosenFile, int page)
{
    const QFileInfo info(chosenFile);
    const QString suffix = info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" (") + QString::number(page)
                               + u')' + (suffix.isEmpty() ? QString() : u'.' + suffix));
}

void BoardPrinter::printPage(const PrintPage &page)
{
    const QString chosenFile = m_printer.outputFileName();
    const auto restore = qScopeGuard([&] { m_printer.setOutputFileName(chosenFile); });
    if (!chosenFile.isEmpty())
        m_printer.setOutputFileName(PageFileName(chosenFile, page.number));
    m_printer.setDocName(page.jobTitle);
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw KestrixError(ErrorTexts::Printer, {printerText()});
    painter.drawImage(page.target, page.picture);
    // The position names the line's top-left corner; text is drawn from its
    // base line.
    painter.drawText(page.footerAt + QPoint(0, painter.fontMetrics().ascent()), page.footer);
    if (!painter.end() || m_printer.printerState() == QPrinter::Error)
        throw KestrixError(ErrorTexts::PrintJob, {printerText()});
}

// A printer by its name; printing into a file by the file's path.
QString BoardPrinter::printerText() const
{
    return m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                : QDir::toNativeSeparators(m_printer.outputFileName());
}

} // namespace kestrix
