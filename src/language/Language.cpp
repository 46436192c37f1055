#include "language/Language.h"

#include "language/MessageFormat.h"
#include "util/KestrixError.h"
#include "util/Placeholders.h"

#include <QDir>
#include <QHash>
#include <QFileInfo>

namespace kestrix {

namespace {

struct MessageKind
{
    BoxType type;
    QList<Answer> buttons;
    bool takesArgument;
};

// How each entry of the message table is shown.
MessageKind messageKind(int index)
{
    switch (index) {
    case 0: // unsaved changes
        return {BoxType::Confirmation, {Answer::Yes, Answer::No, Answer::Cancel}, true};
    case 1: // board check passed
        return {BoxType::Information, {Answer::Ok}, false};
    case 2: case 3: case 4: case 5: case 6: // tile application refused
        return {BoxType::Error, {Answer::Ok}, false};
    case 7: case 8: // board check failed
        return {BoxType::Error, {Answer::Ok}, true};
    default:
        return {BoxType::Information, {Answer::Ok}, false};
    }
}

QString messageKey(int n)
{
    return QStringLiteral("Text%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The program's own texts of the messages that take the board name, for a
// language file whose text of one of them cannot take it.
QString builtInMessage(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("Die Platte „%s“ wurde geändert. Sollen die Änderungen gespeichert werden?");
    case 7:
        return QStringLiteral("Die Platte „%s“ ist nicht fertig: Ein Paarelement liegt nur einmal darauf.");
    case 8:
        return QStringLiteral("Die Platte „%s“ ist nicht fertig: Ein Paarelement liegt dreimal oder öfter darauf.");
    default:
        return QStringLiteral("%s");
    }
}

// Keys that came after the first language files; a file without them still
// gives every text.
// The program's German texts of those keys, the keys in lower case.
constexpr struct
{
    const char *key;
    const char *text;
} BuiltInTexts[] = {
    {"menu1_redo", "Wiederholen"},
    {"menu1_saveaswholepic", "Als Bild speichern (ganzes Brett)..."},
    {"savedialog3", "Platte als ein Bild speichern"},
    {"spngfilter", "PNG-Bilddatei"},
    {"recoveryask",
     "Von der Platte „%s“ sind ungesicherte Änderungen übrig geblieben, weil das Programm "
                "nicht regulär beendet wurde. Sollen sie wiederhergestellt werden? Bei „Nein“ werden "
                "sie verworfen."},
    {"recoverytime", "Zuletzt gesichert:"},
    {"recoveryunreadableask",
     "Diese gesicherten Änderungen können nicht gelesen werden. Sollen sie entfernt werden? Bei "
                "„Nein“ bleiben sie für den nächsten Start erhalten.%s"},
    {"recoveryotherinstance",
     "Ein anderes laufendes Exemplar des Programms hat ungesicherte Änderungen an der Platte „%s“. "
                "Wer zuletzt speichert, überschreibt die Änderungen des anderen."},
    {"recoverylistask",
     "Von diesen Platten sind ungesicherte Änderungen übrig geblieben, weil das Programm nicht "
                "regulär beendet wurde. Die gewählte Platte wird wiederhergestellt, die übrigen bleiben für "
                "den nächsten Start erhalten."},
    {"recoveryrestore", "Wiederherstellen"},
    {"recoverydiscard", "Gewählte verwerfen"},
    {"recoverydiscardall", "Alle verwerfen"},
    {"recoverykeep", "Später"},
    {"settingsunreadable",
     "Bis zum Ende des Programms gelten die Standardeinstellungen; die Datei bleibt, wie sie ist, und "
                "wird nicht überschrieben. Reparieren oder entfernen Sie sie, damit Einstellungen wieder gespeichert werden."},
    {"recentmissing",
     "Die Karte „%s“ gibt es nicht mehr. Sie wird aus der Liste der zuletzt geöffneten Karten genommen."},
    {"recentfolder",
     "„%s“ ist keine Karte mehr, sondern ein Ordner. Der Eintrag wird aus der Liste der zuletzt geöffneten "
                "Karten genommen."},
    {"recentspecial",
     "„%s“ ist keine Karte mehr, sondern eine besondere Datei (etwa eine Pipe oder ein Gerät), die nicht "
                "geöffnet wird. Der Eintrag wird aus der Liste der zuletzt geöffneten Karten genommen."},
    {"savechangedondisk",
     "Die Datei „%s“ wurde geändert, seit sie geöffnet oder zuletzt gespeichert wurde, vielleicht in einem "
                "anderen Fenster dieses Programms. Soll sie überschrieben werden, oder soll die Karte unter einem anderen "
                "Namen gespeichert werden?"},
    {"startboardundecodable",
     "Der beim Start genannte Kartenname „%s“ ist kein gültiger Dateiname dieses Systems. Es wird keine "
                "Karte geöffnet."},
    {"menu1_copy", "Kopieren"},
    {"menu1_cut", "Ausschneiden"},
    {"menu1_paste", "Einfügen"},
    {"menu1_delete", "Löschen"},
    {"menu1_turnright", "Rechts drehen"},
    {"menu1_turnleft", "Links drehen"},
    {"menu1_selectall", "Alles auswählen"},
    {"regionfield", "Zeile %s, Spalte %s"},
    {"regionseparates",
     "Der Rand der Auswahl trennt das Element auf dem Feld in %s von einem seiner Zusatzfelder. Wählen Sie "
                "das Element mit allen seinen Feldern aus oder keines davon."},
    {"regionoffboard", "Der eingefügte Bereich reicht über den Rand der Platte hinaus."},
    {"regionnotsquare", "Nur ein quadratischer Bereich kann gedreht werden."},
    {"regionclipboard",
     "Die Zwischenablage enthält keinen Bereich einer Platte, den dieses Programm einfügen kann."},
    {"keyboardmove", "Zielfeld ein Feld weiter setzen, wie ein Klick darauf"},
    {"keyboardspan", "Bereich vom Zielfeld aus um ein Feld aufziehen oder verkleinern"},
    {"keyrowstart", "Erstes Feld der Zeile"},
    {"keyrowend", "Letztes Feld der Zeile"},
    {"keyfirstfield", "Erstes Feld der Platte"},
    {"keylastfield", "Letztes Feld der Platte"},
    {"keyapply", "Auswahl auf das Zielfeld übernehmen"},
    {"keyturnclockwise", "Auswahl im Uhrzeigersinn drehen"},
    {"keyturncounterclockwise", "Auswahl gegen den Uhrzeigersinn drehen"},
    {"keyturnhalf", "Auswahl halb herum drehen"},
    {"keystep", "Schritt der Ziffer an- oder abwählen"},
    {"keyallsteps", "„Alle Schritte“ an- oder abwählen"},
    {"keypreviouspage", "Vorige Seite der Palette"},
    {"keynextpage", "Nächste Seite der Palette"},
    {"keynextpart", "Nächster Bereich: Platte, Auswahl, Palette"},
    {"keypreviouspart", "Voriger Bereich"},
    {"keydropregion", "Bereich aufheben"},
    {"keynextcontrol", "Nächstes Bedienelement"},
    {"keypreviouscontrol", "Voriges Bedienelement"},
    {"keypalettemove", "Fokus zum vorigen oder nächsten Element der Seite"},
    {"keypalettefirst", "Erstes Element der Seite"},
    {"keypalettelast", "Letztes Element der Seite"},
    {"keypick", "Element mit dem Fokus wählen, wie ein Klick darauf"},
    {"keynameleft", "Pfeil links"},
    {"keynameright", "Pfeil rechts"},
    {"keynameup", "Pfeil oben"},
    {"keynamedown", "Pfeil unten"},
    {"keynamehome", "Pos1"},
    {"keynameend", "Ende"},
    {"keynamepageup", "Bild auf"},
    {"keynamepagedown", "Bild ab"},
    {"keynamereturn", "Eingabe"},
    {"keynameenter", "Enter (Ziffernblock)"},
    {"keynamespace", "Leertaste"},
    {"keynametab", "Tab"},
    {"keynamedelete", "Entf"},
    {"keynameescape", "Esc"},
    {"keynameshift", "Umschalt+"},
    {"accboard", "Platte"},
    {"accselectionpanel", "Auswahl"},
    {"accpalette", "Palette"},
    {"accselection", "Auswahl: %s"},
    {"accfield", "Zeile %s, Spalte %s: %s"},
    {"acctile", "%s, gedreht um %s°"},
    {"accsteps", ", Schritte %s"},
    {"keysplaceboard", "Platte"},
    {"keysplacepalette", "Palette"},
    {"keysplacewindow", "Fenster"},
    {"keyscolumnplace", "Bereich"},
    {"keyscolumnkeys", "Tasten"},
    {"keyscolumncommand", "Befehl"},
    {"menu1_keys", "Tastenkürzel..."},
    {"saveoverwrite",
     "Überschreiben"},
    {"saveelsewhere",
     "Speichern unter..."},
};

QString builtInText(const QString &key)
{
    const QByteArray wanted = key.toLower().toUtf8();
    for (const auto &entry : BuiltInTexts) {
        if (wanted == entry.key)
            return QString::fromUtf8(entry.text);
    }
    return QString();
}

} // namespace

QString Language::languageFilePath(const QString &programFolder, const QString &code)
{
    return QDir(programFolder).filePath(QStringLiteral("Language/") + code + QStringLiteral(".txt"));
}

void Language::load(const QString &programFolder, const QString &code)
{
    m_code = code.left(2);
    if (!QFileInfo::exists(languageFilePath(programFolder, m_code)))
        m_code = QStringLiteral("UK");
    KeyValueText file = KeyValueText::readFile(languageFilePath(programFolder, m_code));

    m_ctrlText = file.value(QStringLiteral("Menu1_Ctrl"));
    m_boxTitles[size_t(BoxType::Warning)] = file.value(QStringLiteral("SMsgDlgWarning"));
    m_boxTitles[size_t(BoxType::Error)] = file.value(QStringLiteral("SMsgDlgError"));
    m_boxTitles[size_t(BoxType::Information)] = file.value(QStringLiteral("SMsgDlgInformation"));
    m_boxTitles[size_t(BoxType::Confirmation)] = file.value(QStringLiteral("SMsgDlgConfirm"));
    m_buttonCaptions[size_t(Answer::Yes)] = file.value(QStringLiteral("SMsgDlgYes"));
    m_buttonCaptions[size_t(Answer::No)] = file.value(QStringLiteral("SMsgDlgNo"));
    m_buttonCaptions[size_t(Answer::Ok)] = file.value(QStringLiteral("SMsgDlgOK"));
    m_buttonCaptions[size_t(Answer::Cancel)] = file.value(QStringLiteral("SMsgDlgCancel"));

    const QString boardFilter = file.value(QStringLiteral("SZVBFilter"));
    m_openFilter = boardFilter + QStringLiteral("|*.zvb|") + file.value(QStringLiteral("SDefaultFilter"))
                   + QStringLiteral("|*.*");
    m_saveFilter = boardFilter + QStringLiteral("|*.zvb");
    m_pictureSaveFilter = file.value(QStringLiteral("SZVJFilter")) + QStringLiteral("|*.jpg");

    // A file without Text01 keeps the messages of the language before it.
    QStringList messages;
    for (int n = 1;; ++n) {
        QString text = file.value(messageKey(n));
        if (text.isEmpty())
            break;
        messages.append(std::move(text));
    }
    if (!messages.isEmpty())
        m_messages = std::move(messages);
    m_faultyMessages.clear();
    for (int index = 0; index < m_messages.size(); ++index) {
        if (messageKind(index).takesArgument && !formatMessageText(m_messages[index], QString()))
            m_faultyMessages.insert(index);
    }

    m_byStepName = file.value(QStringLiteral("ByStepName"));
    m_noFileName = file.value(QStringLiteral("NoFileName"));
    m_title = file.value(QStringLiteral("Title"));
    m_file = std::move(file);
}

QString Language::text(const QString &key) const
{
    const QString value = m_file.value(key);
    return value.isEmpty() ? builtInText(key) : value;
}

MessageBox Language::buildKeyMessage(const QString &key, BoxType type, const QList<Answer> &buttons,
                                     const QString &argument) const
{
    MessageBox box;
    box.type = type;
    box.title = boxTitle(type);
    for (const Answer answer : buttons)
        box.buttons.append({answer, buttonCaption(answer)});
    // A text whose placeholders do not fit gives way to the program's own, so
    // a bad language file never stands between the user and a question.
    std::optional<QString> text = formatMessageText(this->text(key), argument);
    if (!text)
        text = formatMessageText(builtInText(key), argument);
    if (!text)
        text = builtInText(key);
    box.text = *text;
    return box;
}

QString Language::filledText(const QString &key, const QStringList &arguments) const
{
    if (std::optional<QString> filled = fillPlaceholders(text(key), arguments))
        return *filled;
    return fillPlaceholders(builtInText(key), arguments).value_or(arguments.join(u' '));
}

QString Language::fieldName(int cell) const
{
    return filledText(QStringLiteral("RegionField"), {QString::number(cell / 12 + 1), QString::number(cell % 12 + 1)});
}

QString Language::messageText(int index) const
{
    return index >= 0 && index < m_messages.size() ? m_messages[index] : QString();
}

MessageBox Language::buildMessage(int index, const QString &argument) const
{
    const MessageKind kind = messageKind(index);
    MessageBox box;
    box.type = kind.type;
    box.title = boxTitle(kind.type);
    for (const Answer answer : kind.buttons)
        box.buttons.append({answer, buttonCaption(answer)});
    box.text = messageText(index);
    if (kind.takesArgument) {
        const QString text = m_faultyMessages.contains(index) ? builtInMessage(index) : box.text;
        box.text = formatMessageText(text, argument).value_or(argument);
    }
    return box;
}

QString Language::messageFault(int index) const
{
    if (!m_faultyMessages.contains(index))
        return {};
    return QStringLiteral("Die Meldung %1 der Sprachdatei %2 ist fehlerhaft: ihre Platzhalter passen nicht "
                          "zu einem Text. Sie erscheint mit dem eingebauten Text.")
        .arg(messageKey(index + 1), m_code + QStringLiteral(".txt"));
}

QString Language::errorText(const KestrixError &error) const
{
    const QString text = error.key().isEmpty() ? QString() : m_file.value(error.key());
    if (text.isEmpty())
        return error.text();
    QStringList arguments = error.arguments();
    if (const KestrixError *cause = error.cause())
        arguments.append(errorText(*cause));
    return fillPlaceholders(text, arguments).value_or(error.text());
}

QString Language::stepBoxCaption(int i) const
{
    return m_byStepName + u' ' + QString::number(i + 1);
}

QString Language::windowTitle(bool boardOpen, const QString &boardDisplayName) const
{
    return boardOpen ? m_title + QStringLiteral(" - ") + boardDisplayName : m_title;
}

} // namespace kestrix
