#include "gui/BoardPrinter.h"

#include "output/PdfPrinter.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace kestrix {

PrintablePage BoardPrinter::portraitPage()
{
    m_printer.setPageOrientation(QPageLayout::Portrait);
    // The painter's device without full-page mode: the printable page.
    return {QSize(m_printer.width(), m_printer.height()), m_printer.resolution()};
}

// Each page is a job of its own; printed into a file, each job gets a file of
// its own, named like the exported pictures: "Board.pdf" gives
// "Board (1).pdf" and so on, so a later page never replaces an earlier one.
QString BoardPrinter::pageFileName(const QString &chosenFile, int page)
{
    const QFileInfo info(chosenFile);
    const QString suffix = info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" (") + QString::number(page)
                               + u')' + (suffix.isEmpty() ? QString() : u'.' + suffix));
}

void BoardPrinter::printPage(const PrintPage &page)
{
    m_printer.setDocName(page.jobTitle);
    if (!m_printer.outputFileName().isEmpty()) {
        printIntoFile(page, pageFileName(m_printer.outputFileName(), page.number));
        return;
    }
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw KestrixError(ErrorTexts::Printer, {printerText()});
    paintPrintPage(painter, page);
    if (!painter.end() || m_printer.printerState() == QPrinter::Error)
        throw KestrixError(ErrorTexts::PrintJob, {printerText()});
}

// The page is made in memory with the printer's page and resolution and
// written with the safe file write: a full disk is reported and leaves no
// cut document.
void BoardPrinter::printIntoFile(const PrintPage &page, const QString &file)
{
    PdfPrinter pdf(m_printer.pageLayout(), m_printer.resolution());
    pdf.printPage(page);
    writeWholeFile(file, pdf.finish());
}

// A printer by its name; printing into a file by the file's path.
QString BoardPrinter::printerText() const
{
    return m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                : QDir::toNativeSeparators(m_printer.outputFileName());
}

} // namespace kestrix
