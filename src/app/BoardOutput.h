#pragma once

#include "app/Prompter.h"
#include "output/BoardCheck.h"
#include "output/BoardQuarter.h"

#include <QString>

namespace kestrix {

class PagePrinter;
class Resources;

// The board's way out of the editor: the pair check, the JPEG export and
// printing, with the picture save dialog and the print dialog, which are
// kept for the whole run so that they offer the choices made last. It reads
// the board and the resources it was given; the Editor shows its messages
// and the wait cursor.
class BoardOutput
{
public:
    BoardOutput(Prompter &prompter, const Resources &resources, const BoardFields &cells);

    Prompter::FileRequest &pictureSaveDialog() { return m_pictureSaveDialog; }
    Prompter::FileRequest &wholePictureSaveDialog() { return m_wholePictureSaveDialog; }
    Prompter::PageRange &printDialog() { return m_printDialog; }
    // What the board's pictures are drawn from.
    BoardPictureSource pictureSource() const;

    BoardCheckResult check() const { return checkBoardPairs(m_cells); }
    // The picture file name chosen in the picture save dialog; empty when
    // it was cancelled.
    QString askPictureFile() { return m_prompter.askSaveFile(m_pictureSaveDialog); }
    // Writes the four quarters as JPEG files beside chosen: its name without
    // the last extension + " (n).jpg". Throws KestrixError naming the file
    // that cannot be written; the files written before it stay.
    void exportPictures(const QString &chosen) const;
    // The PNG file chosen for the whole board in one picture; empty when
    // the dialog was cancelled.
    QString askWholePictureFile() { return m_prompter.askSaveFile(m_wholePictureSaveDialog); }
    // Writes the whole board at full size as one PNG file through the safe
    // save. Throws KestrixError; an earlier file of the name stays then.
    void exportWholePicture(const QString &fileName) const;
    // The printer chosen in the print dialog with its pages; null when it
    // was cancelled.
    PagePrinter *askPrinter() { return m_prompter.askPrint(m_printDialog); }
    // Prints the pages chosen last, the footer naming documentText. Throws
    // KestrixError when a picture cannot be read or the printer fails.
    void print(PagePrinter &printer, const QString &documentText) const;

private:
    Prompter &m_prompter;
    const Resources &m_resources;
    const BoardFields &m_cells;
    Prompter::FileRequest m_pictureSaveDialog;
    Prompter::FileRequest m_wholePictureSaveDialog;
    Prompter::PageRange m_printDialog;
};

} // namespace kestrix
