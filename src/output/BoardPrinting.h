#pragma once

#include "output/BoardQuarter.h"

#include <QString>

namespace kestrix {

class PagePrinter;

// What printing is asked to print: the pages chosen, the application's title
// and the text naming the board in the footer.
struct BoardPrintJob
{
    int fromPage = 1;
    int toPage = BoardQuarterCount;
    QString title;
    QString documentText;
};

// Prints the pages job.fromPage..job.toPage that are board quarters in
// ascending order, each quarter as a print job of its own with the footer
// "title - documentText (page/toPage)      time", the time as the system
// writes it when the page is printed. Only the two numbers count: nothing is
// printed when toPage is below fromPage. Throws KestrixError when a picture
// cannot be read or the printer fails; the pages printed stay.
void printBoardPages(PagePrinter &printer, const BoardPictureSource &source, const BoardPrintJob &job);

} // namespace kestrix
