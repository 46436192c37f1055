#pragma once

#include <array>

namespace kestrix {

// A text of the file and system layer: the language files give it under its
// key, and the program's own German text stands in where a file lacks the
// key. Each "%s" takes one argument (a path, the system's reason), in order.
struct ErrorText
{
    const char *key;
    const char *german; // UTF-8
};

namespace ErrorTexts {

inline constexpr ErrorText FileOpen{"SFileOpenError", "Datei %s kann nicht geöffnet werden (%s)"};
inline constexpr ErrorText FileNotFound{"SFileNotFound", "Datei %s kann nicht geöffnet werden (Datei nicht gefunden)"};
inline constexpr ErrorText FileNotRegular{"SFileNotRegular", "Datei %s kann nicht geöffnet werden (keine gewöhnliche Datei)"};
inline constexpr ErrorText FileTooLarge{"SFileTooLarge", "Datei %s kann nicht gelesen werden (größer als %s Bytes)"};
inline constexpr ErrorText FileCreate{"SFileCreateError", "Datei %s kann nicht angelegt werden"};
inline constexpr ErrorText FolderCreate{"SFolderCreateError", "Ordner %s kann nicht angelegt werden"};
inline constexpr ErrorText FileRead{"SFileReadError", "Datei %s kann nicht gelesen werden (%s)"};
inline constexpr ErrorText FileWrite{"SFileWriteError", "Datei %s kann nicht geschrieben werden (%s)"};
inline constexpr ErrorText FileRename{"SFileRenameError", "Datei %s kann nicht in %s umbenannt werden (%s)"};
inline constexpr ErrorText BoardWrite{"SBoardWriteError", "Die Karte kann nicht geschrieben werden (%s)"};
// The last argument is the error that stopped the opening.
inline constexpr ErrorText BoardTooLarge{"SBoardTooLarge", "Die Karte kann nicht gelesen werden (größer als %s Bytes)"};
inline constexpr ErrorText BoardOpen{"SBoardOpenError", "Die Karte %s kann nicht geöffnet werden: %s"};
inline constexpr ErrorText PictureRead{"SPictureReadError", "Bild %s kann nicht gelesen werden (%s)"};
inline constexpr ErrorText PictureIncomplete{"SPictureIncomplete", "Bild %s kann nicht gelesen werden (Bilddaten unvollständig)"};
inline constexpr ErrorText PictureTooLarge{"SPictureTooLarge", "Bild %s kann nicht gelesen werden (Bildmaße %s x %s zu groß)"};
inline constexpr ErrorText PictureEmpty{"SPictureEmpty", "Bild %s kann nicht gelesen werden (leere Datei)"};
inline constexpr ErrorText PictureConvert{"SPictureConvertError", "Datei %s kann nicht geschrieben werden (Bild nicht umsetzbar)"};
inline constexpr ErrorText Jpeg{"SJpegError", "JPEG-Bild kann nicht erzeugt werden (%s)"};
inline constexpr ErrorText QuarterMemory{"SQuarterMemoryError", "Zu wenig Speicher für das Bild eines Viertels der Platte"};
inline constexpr ErrorText Printer{"SPrinterError", "Der Drucker %s kann nicht drucken"};
inline constexpr ErrorText PrintJob{"SPrintJobError", "Der Druckauftrag für %s ist fehlgeschlagen"};
inline constexpr ErrorText PdfCreate{"SPdfCreateError", "Das PDF-Dokument kann nicht angelegt werden"};
inline constexpr ErrorText PdfPage{"SPdfPageError", "Das PDF-Dokument bekommt keine weitere Seite"};
inline constexpr ErrorText PdfFinish{"SPdfFinishError", "Das PDF-Dokument kann nicht abgeschlossen werden"};
inline constexpr ErrorText RecoveryNoFolder{"SRecoveryNoFolder", "Kein Benutzerordner für die gesicherten Änderungen"};
inline constexpr ErrorText RecoveryNoteIncomplete{"SRecoveryNoteIncomplete", "Datei %s nennt keine Karte und keine Zeit"};
inline constexpr ErrorText MessageFormat{"SMessageFormatError",
                                         "Die Meldung %s der Sprachdatei %s ist fehlerhaft: ihre Platzhalter passen nicht zu einem Text."};
inline constexpr ErrorText FileWriteProtected{"SFileWriteProtected",
                                              "Datei %s ist schreibgeschützt und wird nicht überschrieben"};
inline constexpr ErrorText FileIsFolder{"SFileIsFolder", "Datei %s kann nicht geschrieben werden (ein Ordner)"};
inline constexpr ErrorText FileWriteSpecial{"SFileWriteSpecial",
                                            "Datei %s kann nicht geschrieben werden (weder Datei noch Zeichengerät noch Pipe)"};
inline constexpr ErrorText FileNoReader{"SFileNoReader", "Datei %s kann nicht geschrieben werden (niemand liest aus der Pipe)"};
// The output first, then the file the command reads.
inline constexpr ErrorText OutputIsInput{"SOutputIsInput",
                                         "Die Ausgabe %s ist die Eingabedatei %s selbst und wird nicht überschrieben"};
inline constexpr ErrorText StandardOutput{"SStandardOutputError",
                                          "Die Ergebnisse können nicht auf die Standardausgabe geschrieben werden (%s)"};

// Every text above, for the checks of the language files.
inline constexpr std::array All{
    FileOpen, FileNotFound, FileNotRegular, FileTooLarge, FileCreate,
    FolderCreate, FileRead, FileWrite, FileRename, BoardWrite,
    BoardTooLarge, BoardOpen, PictureRead, PictureIncomplete, PictureTooLarge,
    PictureEmpty, PictureConvert, Jpeg, QuarterMemory, Printer,
    PrintJob, PdfCreate, PdfPage, PdfFinish, RecoveryNoFolder,
    RecoveryNoteIncomplete, MessageFormat, FileWriteProtected, FileIsFolder, FileWriteSpecial,
    FileNoReader, OutputIsInput, StandardOutput};

} // namespace ErrorTexts

} // namespace kestrix
