#pragma once

#include "output/PagePrinter.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <memory>

namespace kestrix {

// Prints pages into one PDF document held in memory; the caller writes the
// finished bytes with the safe file write, so a full disk never leaves half
// a document behind. Text needs a QGuiApplication.
class PdfPrinter : public PagePrinter
{
public:
    PdfPrinter(const QPageLayout &layout, int resolution);
    ~PdfPrinter() override;

    PrintablePage portraitPage() override;
    // Every page after the first starts a new page of the same document.
    void printPage(const PrintPage &page) override;

    // Ends the document and gives its bytes; a document without pages has
    // one empty page. Throws KestrixError when the document cannot be made.
    QByteArray finish();

private:
    QByteArray m_bytes;
    QBuffer m_buffer{&m_bytes};
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};

// Draws the page's picture and footer with the painter's current font.
void paintPrintPage(QPainter &painter, const PrintPage &page);

// The layout of the printable page of the print command when no printer
// says otherwise: A4 portrait with margins of 10 mm.
QPageLayout defaultPrintLayout();

} // namespace kestrix
