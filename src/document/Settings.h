#pragma once

#include "util/ErrorTexts.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <array>

namespace kestrix {

// The eight user settings, held for the whole run. The member initialisers
// are the defaults: they hold before the file is read and for every key the
// file does not give.
struct Settings
{
    bool OpKonventNeedWall = false;
    bool OpKonventNotWall = false;
    bool OpKonventBelt = false;
    bool OpKonventField = false;
    int OpGroundPlates = 0;
    bool OpAdministration = false;
    int OpCursorColor = 0; // 0x00BBGGRR; negative for a system colour
    QString OpLanguage;    // at most two characters

    friend bool operator==(const Settings &, const Settings &) = default;
};

// folder + "Kestrix.ini".
QString settingsFilePath(const QString &folder);

// The settings in a file's text: all defaults unless its first line begins
// with "["; keys anywhere, first match, without regard to case.
Settings parseSettings(const QByteArray &text);
// The eleven lines of the file, each ending with CR LF.
QByteArray settingsText(const Settings &settings);

// A per-user settings file with binary data in it: not a file of ours.
inline constexpr ErrorText SettingsBinary{"SSettingsBinary",
                                          "Datei %s ist keine Einstellungsdatei (sie enthält Binärdaten)"};

// Reads the per-user file; where there is none, the file beside the program;
// without that either, the defaults. Creates nothing. Without a user folder
// (empty) only the program's file counts. Throws KestrixError naming the file
// when a file is there but cannot be read, is not a plain file, is too large
// or holds binary data.
Settings readSettings(const QString &userFolder, const QString &programFolder);
// Creates the user folder for its owner alone and replaces the per-user file
// through the safe save; without a user folder nothing is written. Throws
// KestrixError naming the folder or file when it cannot be written.
void writeSettings(const Settings &settings, const QString &userFolder);

// The ground-plate group to use: the stored one when such a group exists,
// else 0.
int effectiveGroundPlateGroup(const Settings &settings, int groupCount);

// The colour a stored colour value paints: a plain 0x00BBGGRR colour, or for
// a system colour (0x80000000 + index) the system's usual colour of that kind.
QColor colorFromValue(int value);
// The name of a system colour value; empty for any other value.
QString systemColorName(int value);

// The colours the options dialog offers by name. The language files name
// them under their keys; the German name stands where a file does not.
struct NamedColor
{
    const char *key;
    const char *german; // UTF-8
    int value;          // 0x00BBGGRR
};
inline constexpr std::array<NamedColor, 16> NamedColors{{
    {"SColorBlack", "Schwarz", 0x000000},      {"SColorMaroon", "Kastanienbraun", 0x000080},
    {"SColorGreen", "Grün", 0x008000},         {"SColorOlive", "Olivgrün", 0x008080},
    {"SColorNavy", "Marineblau", 0x800000},    {"SColorPurple", "Purpur", 0x800080},
    {"SColorTeal", "Blaugrün", 0x808000},      {"SColorGray", "Grau", 0x808080},
    {"SColorSilver", "Silber", 0xC0C0C0},      {"SColorRed", "Rot", 0x0000FF},
    {"SColorLime", "Hellgrün", 0x00FF00},      {"SColorYellow", "Gelb", 0x00FFFF},
    {"SColorBlue", "Blau", 0xFF0000},          {"SColorFuchsia", "Fuchsia", 0xFF00FF},
    {"SColorAqua", "Türkis", 0xFFFF00},        {"SColorWhite", "Weiß", 0xFFFFFF},
}};
// The list's last item, which asks for any colour.
inline constexpr NamedColor CustomColor{"SColorCustom", "Benutzerdefiniert...", 0};

} // namespace kestrix
