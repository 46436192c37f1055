#include "util/PrivateFolder.h"
#include "util/Utils.h"

#include "support/EnvironmentValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrix;

TEST(toIntOrZero, AcceptsOnlyWholeNumbers)
{
    const struct { const char16_t *text; int value; } cases[] = {
        {u"42", 42},          {u" 42", 42},        {u"   -7", -7},      {u"42 ", 0},
        {u"-7", -7},          {u"+5", 5},          {u"$1F", 31},        {u"x1f", 31},
        {u"X10", 16},         {u"0x10", 16},       {u"0X10", 16},       {u"-$10", -16},
        {u"", 0},             {u"   ", 0},         {u"-", 0},           {u"$", 0},
        {u"0x", 0},           {u"12a", 0},         {u"\t4", 0},         {u"2147483647", 2147483647},
        {u"2147483648", 0},   {u"-2147483648", -2147483647 - 1},        {u"-2147483649", 0},
        {u"$FFFFFFFF", -1},   {u"$100000000", 0},  {u"00452", 452},     {u"1.5", 0},
        {u"\u0663", 0}, // a digit of another script is not a digit here
    };
    for (const auto &c : cases)
        EXPECT_EQ(toIntOrZero(QString::fromUtf16(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(BooleanTexts, OnlyTrueInAnyCaseCounts)
{
    EXPECT_TRUE(isTrueText(QStringLiteral("TrUe")));
    EXPECT_TRUE(isTrueText(QStringLiteral("true")));
    EXPECT_FALSE(isTrueText(QStringLiteral("TRUE ")));
    EXPECT_FALSE(isTrueText(QStringLiteral(" TRUE")));
    EXPECT_FALSE(isTrueText(QStringLiteral("1")));
    EXPECT_FALSE(isTrueText(QStringLiteral("yes")));
    EXPECT_FALSE(isTrueText(QString()));
    for (bool b : {false, true})
        EXPECT_EQ(isTrueText(boolToText(b)), b);
}

TEST(fileBaseName, CutsFolderAndLastExtension)
{
    const struct { const char *path; const char *base; } cases[] = {
        {"C:\\Boards\\Plan 1.zvb", "Plan 1"}, {"Plan", "Plan"},   {"a.b.c", "a.b"},
        {"C:\\Dir.x\\Plan", "Plan"},          {"/home/u/Plan.zvb", "Plan"},
        {"C:Plan.zvb", "Plan"},               {"/dir.d/", ""},    {".zvb", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fileBaseName(QString::fromUtf8(c.path)), QString::fromUtf8(c.base)) << c.path;
}

TEST(userFolderPath, FollowsUserprofileThenConfigFolder)
{
    {
        EnvironmentValue profile("userprofile", "/tmp/profile");
        EXPECT_EQ(userFolderPath(), QStringLiteral("/tmp/profile/Kestrix/"));
    }
    {
        // Relative: the folder of the start, fixed there and then.
        EnvironmentValue profile("userprofile", "rel/../profile");
        EXPECT_EQ(userFolderPath(), QDir::currentPath() + QStringLiteral("/profile/Kestrix/"));
    }
    EnvironmentValue profile("userprofile", QByteArray());
    EXPECT_TRUE(userProfileFolder().isEmpty());
    EnvironmentValue config("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(userFolderPath(), QStringLiteral("/tmp/cfg/Kestrix/"));

    // Without an absolute configuration folder or home, the home of the
    // password database; never the root or the current folder.
    const struct passwd *entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    const QString passwdFolder = QDir::cleanPath(QFile::decodeName(entry->pw_dir)) + QStringLiteral("/.config/Kestrix/");
    const struct { const char *config, *home; QString folder; } cases[] = {
        {"relative/cfg", "/tmp/home", QStringLiteral("/tmp/home/.config/Kestrix/")},
        {nullptr, nullptr, passwdFolder},
        {"", "", passwdFolder},
        {nullptr, "relative/home", passwdFolder},
    };
    for (const auto &c : cases) {
        EnvironmentValue configHome("XDG_CONFIG_HOME", c.config ? QByteArray(c.config) : QByteArray());
        EnvironmentValue home("HOME", c.home ? QByteArray(c.home) : QByteArray());
        EXPECT_EQ(userFolderPath(), c.folder) << (c.config ? c.config : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(splitByteLines, EveryLineEndCounts)
{
    const QList<QByteArray> lines = splitByteLines("a\r\nb\rc\nd\r\n\r\ne");
    EXPECT_EQ(lines, (QList<QByteArray>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(splitByteLines("x\r\n"), QList<QByteArray>{"x"});
    EXPECT_TRUE(splitByteLines("").isEmpty());
}

TEST(fiveDigitId, PadsToFiveDigits)
{
    EXPECT_EQ(fiveDigitId(1234), QStringLiteral("01234"));
    EXPECT_EQ(fiveDigitId(12), QStringLiteral("00012"));
    EXPECT_EQ(fiveDigitId(11234), QStringLiteral("11234"));
    EXPECT_EQ(fiveDigitId(123456), QStringLiteral("123456"));
}

// A save killed before its rename leaves its temporary file; the next save
// of the same file removes it, and nothing that merely looks alike.
TEST(writeWholeFile, RemovesOnlyItsOwnStaleTemporaryFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct { const char *name; bool stale; } files[] = {
        {"Kestrix.ini.kestrix-aB3xY9", true},  {"Kestrix.ini.kestrix-000000", true},
        {"Kestrix.ini.backup", false},         {"Kestrix.ini.kestrix-aB3xY", false},
        {"Kestrix.ini.kestrix-aB3xY9~", false}, {"Kestrix.ini.kestrix-aB3_Y9", false},
        {"Other.ini.kestrix-aB3xY9", false},   {"kestrix.ini.kestrix-aB3xY9", false},
    };
    for (const auto &f : files) {
        QFile file(dir.filePath(QString::fromUtf8(f.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << f.name;
    }
    writeWholeFile(dir.filePath(QStringLiteral("Kestrix.ini")), "[Options]\r\n");
    for (const auto &f : files)
        EXPECT_EQ(QFile::exists(dir.filePath(QString::fromUtf8(f.name))), !f.stale) << f.name;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 7);
}

// The file keeps its permissions, and a link keeps pointing at the file it
// names, which takes the new contents.
TEST(writeWholeFile, KeepsPermissionsAndLinks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("Plan.zvb"));
    const QString link = dir.filePath(QStringLiteral("Link.zvb"));
    ASSERT_NO_THROW(writeWholeFile(target, "old"));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    const QFile::Permissions permissions = QFile::permissions(target);
    ASSERT_TRUE(QFile::link(target, link));
    writeWholeFile(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
    EXPECT_EQ(QFile::permissions(target), permissions);
}

TEST(createPrivateFolder, MakesMissingFoldersForTheOwnerAloneAndRefusesAFileInThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const mode_t oldMask = ::umask(022);
    const QString deep = dir.filePath(QStringLiteral("a/b/Kestrix/"));
    createPrivateFolder(deep);
    ::umask(oldMask);
    for (const char *part : {"a", "a/b", "a/b/Kestrix"}) {
        struct stat info{};
        ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(QLatin1String(part))).constData(), &info), 0) << part;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << part;
    }
    // A folder that exists keeps its mode.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("a"))).constData(), 0755), 0);
    createPrivateFolder(deep);
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("a"))).permissions() & QFile::ReadOther, QFile::ReadOther);

    QFile file(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_THROW(createPrivateFolder(dir.filePath(QStringLiteral("plain/Kestrix"))), KestrixError);
}
