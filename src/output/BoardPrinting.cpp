#include "output/BoardPrinting.h"

#include "output/PagePrinter.h"

#include <QLocale>
#include <QTime>

#include <algorithm>

namespace kestrix {

void printBoardPages(PagePrinter &printer, const BoardPictureSource &source, const BoardPrintJob &job)
{
    const PrintablePage printable = printer.portraitPage();
    // The quarters go to the printer from memory: a picture file on the way,
    // under a fixed name in a shared folder, could be a link that someone
    // laid to another file.
    for (int p = std::max(job.fromPage, 1); p <= std::min(job.toPage, BoardQuarterCount); ++p) {
        const QImage picture = renderBoardQuarter(source, p);
        const QString time = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        printer.printPage(layOutPrintPage(picture, p, job.toPage, job.title, job.documentText, time, printable));
    }
}

} // namespace kestrix
