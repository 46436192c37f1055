#pragma once

#include <QList>
#include <QString>

namespace kestrix {

// One entry of the language menu, for one language file.
struct LanguageEntry
{
    QString code;        // the file's base name, two characters
    QString caption;     // the file's first line
    QString picturePath; // the language's picture; empty when it has none
    bool visible = true; // the current language's entry is hidden

    friend bool operator==(const LanguageEntry &, const LanguageEntry &) = default;
};

// One entry per file of two characters + ".txt" in ProgramFolder/Language,
// in name order. Throws KestrixError when a file cannot be read.
QList<LanguageEntry> buildLanguageMenu(const QString &programFolder, const QString &languageCode);

// The choice of entry clickedIndex while languageCode is current: shows the
// current language's entry again, hides the clicked one and returns the new
// code. The caller then stores the code in the settings, writes them and
// loads the language. An index outside the entries changes nothing and
// returns languageCode.
QString chooseLanguageEntry(QList<LanguageEntry> &entries, qsizetype clickedIndex, const QString &languageCode);

} // namespace kestrix
