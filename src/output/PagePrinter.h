#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace kestrix {

// One printed page: a board quarter stretched into its rectangle and one
// footer line, all in printer pixels of the printable page.
struct PrintPage
{
    QString jobTitle;
    QImage picture;
    QRect target;
    QPoint footerAt; // top-left corner of the footer line
    QString footer;
    int number = 1; // the board quarter on this page
};

// The printable page of a printer: its size in printer pixels and the
// printer's resolution in pixels per inch.
struct PrintablePage
{
    QSize size;
    int resolution = 600;
};

// The printer the user chose. The Editor lays the pages out; the window
// side prints them, so the board logic needs no printing toolkit.
class PagePrinter
{
public:
    virtual ~PagePrinter() = default;

    // Turns the page to portrait and gives the printable page.
    virtual PrintablePage portraitPage() = 0;
    // Prints the page as a print job of its own; the job ends also when
    // drawing fails. Throws KestrixError when the printer cannot print.
    virtual void printPage(const PrintPage &page) = 0;
};

// Printer pixels per picture pixel on a 600-dpi printer; other resolutions
// scale it, so a page has the same size on paper on every printer.
inline constexpr double PrintScale = 2.35;
inline constexpr int PrintScaleResolution = 600;

// Where a picture lies on the page: enlarged by PrintScale at the page's
// resolution (truncated) and centred, a half pixel going to the even
// neighbour. A picture that would not fit the page is made smaller until
// it fits, keeping its proportions; it is never made larger than that.
QRect printedRect(QSize pictureSize, const PrintablePage &page);

// The footer line's top-left corner: 100 pixels from the left and 90 above
// the bottom at 600 dpi, the same distances on paper at other resolutions.
QPoint footerPosition(const PrintablePage &page);

// The page of quarter number laid out for printing: the picture placed by
// printedRect, the footer "title - document (number/toPage)      time".
PrintPage layOutPrintPage(const QImage &picture, int number, int toPage, const QString &title,
                          const QString &documentText, const QString &time, const PrintablePage &page);

} // namespace kestrix
