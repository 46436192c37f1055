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

// The printer the user chose. The Editor lays the pages out; the window
// side prints them, so the board logic needs no printing toolkit.
class PagePrinter
{
public:
    virtual ~PagePrinter() = default;

    // Turns the page to portrait and gives the printable page in printer
    // pixels.
    virtual QSize portraitPageSize() = 0;
    // Prints the page as a print job of its own; the job ends also when
    // drawing fails. Throws KestrixError when the printer cannot print.
    virtual void printPage(const PrintPage &page) = 0;
};

// Printer pixels per picture pixel, whatever the printer's resolution.
inline constexpr double PrintScale = 2.35;

// Where a picture of pictureSize lies on a page of pageSize: enlarged by
// PrintScale (truncated) and centred, a half pixel going to the even
// neighbour. A picture larger than the page sticks out on every side.
QRect PrintedRect(QSize pictureSize, QSize pageSize);

// The footer line's top-left corner on a page of pageSize.
QPoint FooterPosition(QSize pageSize);

} // namespace kestrix
