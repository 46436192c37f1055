#pragma once

#include "output/PagePrinter.h"

#include <QString>

class QPrinter;

namespace kestrix {

// Prints the board's pages on a printer of the window system, each page a
// print job of its own.
class BoardPrinter : public PagePrinter
{
public:
    // The printer must outlive this object.
    explicit BoardPrinter(QPrinter &printer) : m_printer(printer) {}

    PrintablePage portraitPage() override;
    void printPage(const PrintPage &page) override;

    // The file a page goes to when the printer prints into chosenFile.
    static QString pageFileName(const QString &chosenFile, int page);

private:
    QString printerText() const;
    void printIntoFile(const PrintPage &page, const QString &file);

    QPrinter &m_printer;
};

} // namespace kestrix
