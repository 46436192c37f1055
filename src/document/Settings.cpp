#include "document/Settings.h"

#include "language/KeyValueText.h"
#include "util/KestrixError.h"
#include "util/PrivateFolder.h"
#include "util/Utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>

#include <sys/stat.h>

namespace kestrix {

namespace {

struct SystemColor
{
    const char *name;
    QRgb rgb;
};

// The system colours by index, with the colours a standard desktop gives them.
constexpr std::array<SystemColor, 31> systemColors{{
    {"Scroll bar", 0xC8C8C8},        {"Desktop", 0x000000},
    {"Active caption", 0x99B4D1},    {"Inactive caption", 0xBFCDDB},
    {"Menu", 0xF0F0F0},              {"Window", 0xFFFFFF},
    {"Window frame", 0x646464},      {"Menu text", 0x000000},
    {"Window text", 0x000000},       {"Caption text", 0x000000},
    {"Active border", 0xB4B4B4},     {"Inactive border", 0xF4F7FC},
    {"Application workspace", 0xABABAB}, {"Highlight", 0x0078D7},
    {"Highlight text", 0xFFFFFF},    {"Button face", 0xF0F0F0},
    {"Button shadow", 0xA0A0A0},     {"Gray text", 0x6D6D6D},
    {"Button text", 0x000000},       {"Inactive caption text", 0x000000},
    {"Button highlight", 0xFFFFFF},  {"3D dark shadow", 0x696969},
    {"3D light", 0xE3E3E3},          {"Info text", 0x000000},
    {"Info background", 0xFFFFE1},   {"System colour 25", 0x000000},
    {"Hot light", 0x0066CC},         {"Gradient active caption", 0xB9D1EA},
    {"Gradient inactive caption", 0xD7E4F2}, {"Menu highlight", 0x0078D7},
    {"Menu bar", 0xF0F0F0},
}};

const SystemColor *systemColor(int value)
{
    const auto bits = quint32(value);
    if ((bits & 0xFF000000u) != 0x80000000u)
        return nullptr;
    const quint32 index = bits & 0x00FFFFFFu;
    return index < systemColors.size() ? &systemColors[index] : nullptr;
}

// The language code: at most two characters, without cutting a character
// of two UTF-16 units in half.
QString languageCode(const QString &text)
{
    const qsizetype length = text.size() >= 2 && text[1].isHighSurrogate() ? 1 : 2;
    return text.left(length);
}

QByteArray line(const char *key, const QString &value)
{
    return QByteArray(key) + '=' + value.toUtf8() + "\r\n";
}

} // namespace

QString settingsFilePath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Kestrix.ini"));
}

Settings parseSettings(const QByteArray &text)
{
    const KeyValueText file(text);
    Settings settings;
    if (!file.firstLine().startsWith(u'['))
        return settings;
    auto value = [&file](const char *key) { return file.value(QString::fromLatin1(key)); };
    settings.OpKonventNeedWall = isTrueText(value("OpKonventNeedWall"));
    settings.OpKonventNotWall = isTrueText(value("OpKonventNotWall"));
    settings.OpKonventBelt = isTrueText(value("OpKonventBelt"));
    settings.OpKonventField = isTrueText(value("OpKonventField"));
    settings.OpGroundPlates = toIntOrZero(value("OpGroundPlates"));
    settings.OpAdministration = isTrueText(value("OpAdministration"));
    settings.OpCursorColor = toIntOrZero(value("OpCursorColor"));
    settings.OpLanguage = languageCode(value("OpLanguage"));
    return settings;
}

QByteArray settingsText(const Settings &settings)
{
    return "[Options]\r\n"
           + line("OpKonventNeedWall", boolToText(settings.OpKonventNeedWall))
           + line("OpKonventNotWall", boolToText(settings.OpKonventNotWall))
           + line("OpKonventBelt", boolToText(settings.OpKonventBelt))
           + line("OpKonventField", boolToText(settings.OpKonventField))
           + "\r\n"
           + line("OpGroundPlates", QString::number(settings.OpGroundPlates))
           + line("OpAdministration", boolToText(settings.OpAdministration))
           + line("OpCursorColor", QString::number(settings.OpCursorColor))
           + "\r\n"
           + line("OpLanguage", languageCode(settings.OpLanguage));
}

Settings readSettings(const QString &userFolder, const QString &programFolder)
{
    // Only a file that is not there at all gives way to the program's file:
    // anything else in its place (a folder, a FIFO, a file in the folder's
    // place) is a file that cannot be read.
    if (!userFolder.isEmpty()) {
        const QString userFile = settingsFilePath(userFolder);
        struct stat info{};
        if (::stat(QFile::encodeName(userFile).constData(), &info) == 0 || errno != ENOENT) {
            const QByteArray text = readWholeFile(userFile, KeyValueText::MaxFileSize);
            // A text file has no NUL byte; a file with one is not ours.
            if (text.contains('\0'))
                throw KestrixError(SettingsBinary, {QDir::toNativeSeparators(userFile)});
            return parseSettings(text);
        }
    }
    // A first run without the file beside the program starts with the
    // defaults rather than failing start-up.
    const QString programFile = settingsFilePath(programFolder);
    if (!QFileInfo::exists(programFile))
        return Settings();
    return parseSettings(readWholeFile(programFile, KeyValueText::MaxFileSize));
}

void writeSettings(const Settings &settings, const QString &userFolder)
{
    if (userFolder.isEmpty())
        return;
    createPrivateFolder(userFolder);
    writeWholeFile(settingsFilePath(userFolder), settingsText(settings));
}

int effectiveGroundPlateGroup(const Settings &settings, int groupCount)
{
    return settings.OpGroundPlates >= 0 && settings.OpGroundPlates < groupCount ? settings.OpGroundPlates
                                                                                : 0;
}

QColor colorFromValue(int value)
{
    if (const SystemColor *system = systemColor(value))
        return QColor::fromRgb(system->rgb);
    // Anything else paints with its low three bytes, as the system does.
    const auto bits = quint32(value);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QString systemColorName(int value)
{
    const SystemColor *system = systemColor(value);
    return system ? QString::fromLatin1(system->name) : QString();
}

} // namespace kestrix
