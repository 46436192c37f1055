#include "language/KeyValueText.h"
#include "language/MessageFormat.h"
#include "support/Text.h"
#include "util/Placeholders.h"

#include <gtest/gtest.h>

using namespace kestrix;

TEST(KeyValueText, LooksKeysUpLikeTheLanguageFiles)
{
    const KeyValueText text(QByteArray("English\r\n"
                                       "title=X\r\n"
                                       "Title=second\n"
                                       "Title =blank\r"
                                       "Button1=\n"
                                       "Spaced=  two  blanks  \n"
                                       "Eq=a=b\n"
                                       "NoEquals\n"
                                       "=nameless\n"
                                       "Last=end"));
    EXPECT_EQ(text.firstLine(), u("English"));
    const struct { const char *key; const char *value; } cases[] = {
        {"Title", "X"},          {"TITLE", "X"},        {"Title ", "blank"}, {"Button1", ""},
        {"Spaced", "  two  blanks  "}, {"Eq", "a=b"},   {"NoEquals", ""},    {"English", ""},
        {"", "nameless"},        {"Last", "end"},       {"Missing", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(text.value(u(c.key)), u(c.value)) << c.key;
    EXPECT_EQ(text.lines().size(), 10);
}

TEST(decodeText, Utf8ElseWindows1252)
{
    const struct { QByteArray bytes; const char *text; } cases[] = {
        {"Gr\xc3\xbc\xc3\x9f" "e", "Grüße"},   // UTF-8
        {"Gr\xfc\xdf" "e", "Grüße"},           // Windows-1252
        {"\x80 \x9f \x81", "€ Ÿ \xc2\x81"},    // the bytes where 1252 is not Latin-1
        {"ok \xc3", "ok Ã"},                   // UTF-8 cut off at the end
        {"\xef\xbb\xbf" "Deutsch", "Deutsch"}, // byte order mark dropped
    };
    for (const auto &c : cases)
        EXPECT_EQ(decodeText(c.bytes), u(c.text)) << c.text;
    EXPECT_EQ(decodeText(QByteArray("a\0b", 3)), QString::fromUtf16(u"a\0b", 3));
}

TEST(KeyValueText, HostileBytesGiveTexts)
{
    QByteArray bytes = "Name\n" + QByteArray(4 << 20, 'x') + "=huge\n";
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    bytes += "\nKey=%s%n%x%%%\n";
    const KeyValueText text(bytes);
    EXPECT_EQ(text.value(QString(4 << 20, u'x')), u("huge"));
    EXPECT_EQ(text.value(u("Key")), u("%s%n%x%%%"));
}

TEST(formatMessageText, FillsOneStringPlaceholderOnly)
{
    const struct { const char *text; const char *result; } fitting[] = {
        {"Save changes to %s?", "Save changes to Plan 1?"}, {"%S", "Plan 1"},
        {"100%% sure: %s", "100% sure: Plan 1"},             {"No placeholder", "No placeholder"},
        {"%%s", "%s"},                                       {"", ""},
    };
    for (const auto &c : fitting)
        EXPECT_EQ(formatMessageText(u(c.text), u("Plan 1")), u(c.result)) << c.text;

    for (const char *text : {"%d", "%s and %s", "50%", "%1", "%5s", "%-s", "%.3s", "%0:s", "%%%", "%n", "%x"})
        EXPECT_FALSE(formatMessageText(u(text), u("Plan 1")).has_value()) << text;
    // The argument is never read as a format.
    EXPECT_EQ(formatMessageText(u("[%s]"), u("%s %d %%")), u("[%s %d %%]"));
}

TEST(fillPlaceholders, TakesTheArgumentsInOrderAndNoMore)
{
    const QStringList two{u("a.zvb"), u("%s 50%")};
    EXPECT_EQ(fillPlaceholders(u("File %s (%s)"), two), u("File a.zvb (%s 50%)"));
    EXPECT_EQ(fillPlaceholders(u("File %s only"), two), u("File a.zvb only"));
    EXPECT_EQ(fillPlaceholders(u("No arguments"), {}), u("No arguments"));
    for (const char *text : {"%s %s %s", "%s %d", "%1 %2"})
        EXPECT_FALSE(fillPlaceholders(u(text), two).has_value()) << text;
}
