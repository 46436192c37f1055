#include "language/LanguageMenu.h"

#include "language/KeyValueText.h"
#include "util/Utils.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

QList<LanguageEntry> buildLanguageMenu(const QString &programFolder, const QString &languageCode)
{
    const QDir folder(QDir(programFolder).filePath(QStringLiteral("Language")));
    const QStringList names = folder.entryList({QStringLiteral("??.txt")}, QDir::Files | QDir::CaseSensitive,
                                                QDir::Name | QDir::IgnoreCase);
    QList<LanguageEntry> entries;
    for (const QString &name : names) {
        LanguageEntry entry;
        entry.code = fileBaseName(name);
        entry.caption = KeyValueText::readFile(folder.filePath(name)).firstLine();
        const QString picture = folder.filePath(entry.code + QStringLiteral(".bmp"));
        if (QFileInfo(picture).isFile())
            entry.picturePath = picture;
        entry.visible = entry.code != languageCode;
        entries.append(entry);
    }
    return entries;
}

QString chooseLanguageEntry(QList<LanguageEntry> &entries, qsizetype clickedIndex, const QString &languageCode)
{
    if (clickedIndex < 0 || clickedIndex >= entries.size())
        return languageCode;
    // A stored code that differs from its file's name in case has no entry;
    // the change goes on all the same.
    for (LanguageEntry &entry : entries) {
        if (entry.code == languageCode) {
            entry.visible = true;
            break;
        }
    }
    LanguageEntry &clicked = entries[clickedIndex];
    clicked.visible = false;
    return clicked.code.left(2);
}

} // namespace kestrix
