#include "app/BoardOutput.h"

#include "app/Resources.h"
#include "output/BoardExport.h"
#include "output/BoardPrinting.h"
#include "output/WholeBoardPicture.h"

namespace kestrix {

BoardOutput::BoardOutput(Prompter &prompter, const Resources &resources, const BoardFields &cells)
    : m_prompter(prompter), m_resources(resources), m_cells(cells)
{
    // As designed; the language file replaces the description.
    m_pictureSaveDialog.filter = QStringLiteral("JEPG-Bilddatei|*.jpg");
    m_pictureSaveDialog.defaultSuffix = QStringLiteral("jpg");
    m_pictureSaveDialog.confirmOverwrite = false;
    // The one file chosen is the one written.
    m_wholePictureSaveDialog.filter = QStringLiteral("PNG-Bilddatei|*.png");
    m_wholePictureSaveDialog.defaultSuffix = QStringLiteral("png");
}

BoardPictureSource BoardOutput::pictureSource() const
{
    return {m_cells, m_resources.catalogue(), m_resources.stepMarks(), m_resources.programFolder()};
}

void BoardOutput::exportPictures(const QString &chosen) const
{
    exportBoardQuarters(pictureSource(), chosen);
}

void BoardOutput::exportWholePicture(const QString &fileName) const
{
    exportWholeBoard(pictureSource(), WholeBoardMaxScale, fileName);
}

void BoardOutput::print(PagePrinter &printer, const QString &documentText) const
{
    printBoardPages(printer, pictureSource(),
                    {m_printDialog.fromPage, m_printDialog.toPage, m_resources.language().title(), documentText});
}

} // namespace kestrix
