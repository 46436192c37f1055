#include "document/Settings.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;

namespace kestrix {

// Readable failures: the file text of the settings.
void PrintTo(const Settings &settings, std::ostream *os)
{
    *os << settingsText(settings).toStdString();
}

} // namespace kestrix

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

Settings with(void (*change)(Settings &))
{
    Settings s;
    change(s);
    return s;
}

} // namespace

TEST(parseSettings, ReadsLeniently)
{
    const struct
    {
        const char *name;
        QByteArray text;
        Settings expected;
    } cases[] = {
        {"empty file", "", Settings()},
        {"no bracket on the first line", "Options\r\nOpKonventBelt=TRUE\r\nOpGroundPlates=3\r\n", Settings()},
        {"empty first line", "\r\n[Options]\r\nOpKonventBelt=TRUE\r\n", Settings()},
        {"any case counts", "[x\nopkonventbelt=true\nOPKONVENTFIELD=True\n",
         with([](Settings &s) { s.OpKonventBelt = s.OpKonventField = true; })},
        {"yes and 1 are false", "[Options]\nOpKonventBelt=yes\nOpKonventField=1\nOpKonventNotWall=TRUE \n",
         Settings()},
        {"first line with the key wins", "[Options]\nOpKonventNeedWall=TRUE\nOpKonventNeedWall=FALSE\n",
         with([](Settings &s) { s.OpKonventNeedWall = true; })},
        {"blank before = is another key", "[Options]\nOpAdministration =TRUE\n", Settings()},
        {"non-numeric group gives 0", "[Options]\nOpGroundPlates=two\nOpCursorColor=12 \n", Settings()},
        {"numbers leniently", "[Options]\nOpGroundPlates= 3\nOpCursorColor=$FF\n",
         with([](Settings &s) { s.OpGroundPlates = 3; s.OpCursorColor = 255; })},
        {"system colour", "[Options]\rOpCursorColor=-2147483633\r",
         with([](Settings &s) { s.OpCursorColor = int(0x8000000F); })},
        {"three-letter language keeps two", "[Options]\nOpLanguage=DEU\n",
         with([](Settings &s) { s.OpLanguage = QStringLiteral("DE"); })},
        // Cutting after two UTF-16 units would keep half a character, which
        // no file can hold: what was read would not be what is written.
        {"a character beyond two units is left out", "[Options]\nOpLanguage=a\xf0\x9f\x98\x80\n",
         with([](Settings &s) { s.OpLanguage = QStringLiteral("a"); })},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseSettings(c.text), c.expected) << c.name;
}

TEST(settingsText, WritesTheElevenLinesExactly)
{
    Settings s;
    s.OpKonventNotWall = true;
    s.OpGroundPlates = 2;
    s.OpCursorColor = -2147483633;
    s.OpLanguage = QStringLiteral("DE");
    EXPECT_EQ(settingsText(s), QByteArray("[Options]\r\n"
                                          "OpKonventNeedWall=FALSE\r\n"
                                          "OpKonventNotWall=TRUE\r\n"
                                          "OpKonventBelt=FALSE\r\n"
                                          "OpKonventField=FALSE\r\n"
                                          "\r\n"
                                          "OpGroundPlates=2\r\n"
                                          "OpAdministration=FALSE\r\n"
                                          "OpCursorColor=-2147483633\r\n"
                                          "\r\n"
                                          "OpLanguage=DE\r\n"));
    EXPECT_EQ(parseSettings(settingsText(s)), s);
}

class SettingsFiles : public ::testing::Test
{
protected:
    QString path(const char *relative) const { return m_dir.filePath(QString::fromUtf8(relative)); }

    QTemporaryDir m_dir;
    const QString m_user = path("profile/deep/Kestrix/");
    const QString m_program = path("program/");
};

TEST_F(SettingsFiles, UserFileComesFirstThenTheProgramsThenDefaults)
{
    EXPECT_EQ(readSettings(m_user, m_program), Settings()); // neither file exists
    EXPECT_FALSE(QFileInfo::exists(path("profile"))) << "reading creates no folder";

    writeFile(m_program + QStringLiteral("Kestrix.ini"), "[Options]\r\nOpKonventBelt=TRUE\r\n");
    EXPECT_TRUE(readSettings(m_user, m_program).OpKonventBelt);

    writeFile(m_user + QStringLiteral("Kestrix.ini"), "[Options]\r\nOpKonventField=TRUE\r\n");
    const Settings s = readSettings(m_user, m_program);
    EXPECT_TRUE(s.OpKonventField);
    EXPECT_FALSE(s.OpKonventBelt);
}

TEST_F(SettingsFiles, WriteReplacesTheFileAndDropsExtraLines)
{
    const QString file = m_user + QStringLiteral("Kestrix.ini");
    writeFile(file, "[Options]\nOpCursorColor=-16777201\nOpLanguage=UKX\nSomethingElse=1\n; note\n");
    const Settings s = readSettings(m_user, m_program);
    writeSettings(s, m_user);
    EXPECT_EQ(readFile(file), settingsText(s));
    EXPECT_EQ(parseSettings(readFile(file)).OpCursorColor, -16777201);
    EXPECT_TRUE(readFile(file).endsWith("\r\nOpLanguage=UK\r\n"));
    EXPECT_EQ(QDir(m_user).entryList(QDir::Files), QStringList{QStringLiteral("Kestrix.ini")});
}

TEST_F(SettingsFiles, WriteFailureNamesTheFolder)
{
    writeFile(path("blocker"), "a file where the folder should be");
    const QString folder = path("blocker/Kestrix/");
    try {
        writeSettings(Settings(), folder);
        FAIL() << "writing into a file's path must fail";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(path("blocker/Kestrix")))) << error.what();
    }
}

TEST(effectiveGroundPlateGroup, OutOfRangeReadsAsZero)
{
    const struct { int stored, groups, effective; } cases[] = {
        {0, 3, 0}, {2, 3, 2}, {3, 3, 0}, {-1, 3, 0}, {1, 0, 0},
    };
    for (const auto &c : cases) {
        Settings s;
        s.OpGroundPlates = c.stored;
        EXPECT_EQ(effectiveGroundPlateGroup(s, c.groups), c.effective) << c.stored << " of " << c.groups;
    }
}

TEST(colorFromValue, PlainAndSystemColours)
{
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(0x804020), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(colorFromValue(int(0x8000000F)), QColor(240, 240, 240)); // button face
    EXPECT_EQ(colorFromValue(int(0x80000005)), QColor(255, 255, 255)); // window
    EXPECT_EQ(colorFromValue(int(0x8000000D)), QColor(0, 120, 215));   // highlight
    EXPECT_EQ(systemColorName(int(0x8000000F)), QStringLiteral("Button face"));
    EXPECT_TRUE(systemColorName(0x0000FF).isEmpty());
    // An index the system does not have paints with its low bytes.
    EXPECT_TRUE(systemColorName(int(0x800000FF)).isEmpty());
    EXPECT_EQ(colorFromValue(int(0x800000FF)), QColor(255, 0, 0));
}
