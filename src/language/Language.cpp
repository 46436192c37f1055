#include "language/Language.h"

#include "language/MessageFormat.h"
#include "util/KestrixError.h"
#include "util/Placeholders.h"

#include <QDir>
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

} // namespace

QString Language::LanguageFilePath(const QString &programFolder, const QString &code)
{
    return QDir(programFolder).filePath(QStringLiteral("Language/") + code + QStringLiteral(".txt"));
}

void Language::LoadLanguage(const QString &programFolder, const QString &code)
{
    m_code = code.left(2);
    if (!QFileInfo::exists(LanguageFilePath(programFolder, m_code)))
        m_code = QStringLiteral("UK");
    KeyValueText file = KeyValueText::ReadFile(LanguageFilePath(programFolder, m_code));

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

    m_byStepName = file.value(QStringLiteral("ByStepName"));
    m_noFileName = file.value(QStringLiteral("NoFileName"));
    m_title = file.value(QStringLiteral("Title"));
    m_file = std::move(file);
}

QString Language::messageText(int index) const
{
    return index >= 0 && index < m_messages.size() ? m_messages[index] : QString();
}

MessageBox Language::BuildMessage(int index, const QString &argument) const
{
    const MessageKind kind = messageKind(index);
    MessageBox box;
    box.type = kind.type;
    box.title = boxTitle(kind.type);
    for (const Answer answer : kind.buttons)
        box.buttons.append({answer, buttonCaption(answer)});
    box.text = messageText(index);
    if (kind.takesArgument) {
        const std::optional<QString> text = FormatMessageText(box.text, argument);
        if (!text) {
            throw KestrixError(ErrorTexts::MessageFormat, {messageKey(index + 1), m_code + QStringLiteral(".txt")});
        }
        box.text = *text;
    }
    return box;
}

QString Language::errorText(const KestrixError &error) const
{
    const QString text = error.key().isEmpty() ? QString() : m_file.value(error.key());
    if (text.isEmpty())
        return error.text();
    QStringList arguments = error.arguments();
    if (const KestrixError *cause = error.cause())
        arguments.append(errorText(*cause));
    return FillPlaceholders(text, arguments).value_or(error.text());
}

QString Language::stepBoxCaption(int i) const
{
    return m_byStepName + u' ' + QString::number(i + 1);
}

QString Language::windowTitle(const QString &documentFileName, const QString &boardDisplayName) const
{
    return documentFileName.isEmpty() ? m_title : m_title + QStringLiteral(" - ") + boardDisplayName;
}

} // namespace kestrix
