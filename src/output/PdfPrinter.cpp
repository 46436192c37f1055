#include "output/PdfPrinter.h"

#include "util/KestrixError.h"

#include <QPageSize>

namespace kestrix {

namespace {

constexpr double DefaultMarginMm = 10.0;

} // namespace

PdfPrinter::PdfPrinter(const QPageLayout &layout, int resolution)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setCreator(QStringLiteral("Kestrix"));
    m_writer->setResolution(resolution);
    m_writer->setPageLayout(layout);
}

PdfPrinter::~PdfPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

PrintablePage PdfPrinter::portraitPage()
{
    m_writer->setPageOrientation(QPageLayout::Portrait);
    const QRect printable = m_writer->pageLayout().paintRectPixels(m_writer->resolution());
    return {printable.size(), m_writer->resolution()};
}

void PdfPrinter::printPage(const PrintPage &page)
{
    if (!m_painter.isActive()) {
        m_writer->setTitle(page.jobTitle);
        if (!m_painter.begin(m_writer.get()))
            throw KestrixError(ErrorTexts::PdfCreate, {});
    } else if (!m_writer->newPage()) {
        throw KestrixError(ErrorTexts::PdfPage, {});
    }
    paintPrintPage(m_painter, page);
}

QByteArray PdfPrinter::finish()
{
    if (!m_painter.isActive() && !m_painter.begin(m_writer.get()))
        throw KestrixError(ErrorTexts::PdfCreate, {});
    if (!m_painter.end())
        throw KestrixError(ErrorTexts::PdfFinish, {});
    return m_bytes;
}

void paintPrintPage(QPainter &painter, const PrintPage &page)
{
    painter.drawImage(page.target, page.picture);
    // The position names the line's top-left corner; text is drawn from its
    // base line.
    painter.drawText(page.footerAt + QPoint(0, painter.fontMetrics().ascent()), page.footer);
}

QPageLayout defaultPrintLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(DefaultMarginMm, DefaultMarginMm, DefaultMarginMm, DefaultMarginMm),
                       QPageLayout::Millimeter);
}

} // namespace kestrix
