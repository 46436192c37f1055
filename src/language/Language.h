#pragma once

#include "language/KeyValueText.h"
#include "language/MessageBox.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

namespace kestrix {

class KestrixError;

// The current language: its code, its file and the texts taken from it for
// the message boxes, the file dialogs, the step boxes and the window title.
// The windows look their captions up here by component name.
class Language
{
public:
    // ProgramFolder + "Language/" + code + ".txt".
    static QString languageFilePath(const QString &programFolder, const QString &code);

    // Code of the current language, at most two characters.
    const QString &code() const { return m_code; }

    // Makes code the current language, or "UK" when code has no file, and
    // takes its texts. Throws KestrixError naming the file when it cannot be
    // read; the code has then changed already, every text is kept.
    void load(const QString &programFolder, const QString &code);

    // The loaded file, for lookups of further keys.
    const KeyValueText &file() const { return m_file; }
    // The caption for a component; empty means the component keeps its text.
    QString caption(const QString &componentName) const { return text(componentName); }
    // The value of key; for the keys that language files written before them
    // may lack, the program's own German text when the file gives none.
    QString text(const QString &key) const;

    // The name of the Ctrl key; it carries its own separator.
    const QString &ctrlText() const { return m_ctrlText; }
    // The shown shortcut for Ctrl + letter.
    QString shortcutText(QChar letter) const { return m_ctrlText + letter; }

    QString boxTitle(BoxType type) const { return m_boxTitles[size_t(type)]; }
    QString buttonCaption(Answer answer) const { return m_buttonCaptions[size_t(answer)]; }

    // Filters as "description|pattern|description|pattern".
    const QString &openFilter() const { return m_openFilter; }        // OpenDialog1
    const QString &saveFilter() const { return m_saveFilter; }        // SaveDialog1
    const QString &pictureSaveFilter() const { return m_pictureSaveFilter; } // SaveDialog2

    // The message table: Text01, Text02, ... up to the first missing one.
    const QStringList &messages() const { return m_messages; }
    // Entry index; empty beyond the table.
    QString messageText(int index) const;
    // The box for message index with the title of its type and its buttons.
    // The messages that show a board name are filled with argument; the
    // others show their text as it stands. A text whose placeholders cannot
    // take the argument gives way to the program's own text of the entry.
    MessageBox buildMessage(int index, const QString &argument = QString()) const;
    // What is wrong with the language file's text of message index, for the
    // user; empty when the text is fine.
    QString messageFault(int index) const;
    // A box of type with buttons showing the text of key, its one placeholder
    // filled with argument. A text whose placeholders do not fit gives way
    // to the program's own text of the key.
    MessageBox buildKeyMessage(const QString &key, BoxType type, const QList<Answer> &buttons,
                               const QString &argument) const;

    // A file or system error in this language: the file's text for the
    // error's key filled with its arguments, its cause shown the same way.
    // Where the file lacks the key, or its text does not take the
    // arguments, the program's German text stands.
    QString errorText(const KestrixError &error) const;

    // The text of key with its "%s" filled with arguments; where the file's
    // text does not take them, the program's own German text of the key.
    QString filledText(const QString &key, const QStringList &arguments) const;
    // Board field cell (0..143) for the user: its row and column from 1.
    QString fieldName(int cell) const;
    const QString &byStepName() const { return m_byStepName; }
    // Caption of step box i (0..4): the ByStepName text, a blank, i + 1.
    QString stepBoxCaption(int i) const;
    const QString &noFileName() const { return m_noFileName; }
    const QString &title() const { return m_title; }
    // The main window's title: the Title text, followed by " - " and the
    // board's display name while a document is open.
    QString windowTitle(bool boardOpen, const QString &boardDisplayName) const;

private:
    QString m_code;
    KeyValueText m_file;
    QString m_ctrlText;
    std::array<QString, 4> m_boxTitles;      // by BoxType
    std::array<QString, 4> m_buttonCaptions; // by Answer
    QString m_openFilter;
    QString m_saveFilter;
    QString m_pictureSaveFilter;
    QStringList m_messages;
    QSet<int> m_faultyMessages; // indexes whose text cannot take the board name
    QString m_byStepName;
    QString m_noFileName;
    QString m_title;
};

} // namespace kestrix
