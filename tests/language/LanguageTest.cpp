#include "language/Language.h"
#include "language/LanguageMenu.h"

#include "support/Text.h"
#include "util/KestrixError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

class LanguageFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir(m_program).mkpath(QStringLiteral("Language"))); }

    void write(const char *name, const QByteArray &bytes)
    {
        QFile file(m_program + QStringLiteral("Language/") + u(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    const QString m_program = m_dir.path() + u'/';
};

const QByteArray uk = "English\r\n"
                      "Title=Zorvan Editor\r\n"
                      "NoFileName=Untitled\r\n"
                      "ByStepName=Step\r\n"
                      "Menu1_Ctrl=Ctrl+\r\n"
                      "Button1=\r\n"
                      "Menu1_Open=&Open...\r\n"
                      "SMsgDlgConfirm=Confirm\r\n"
                      "SMsgDlgError=Error\r\n"
                      "SMsgDlgInformation=Information\r\n"
                      "SMsgDlgYes=&Yes\r\n"
                      "SMsgDlgNo=&No\r\n"
                      "SMsgDlgOK=OK\r\n"
                      "SMsgDlgCancel=Cancel\r\n"
                      "SZVBFilter=Zorvan board\r\n"
                      "SDefaultFilter=All files\r\n"
                      "SZVJFilter=JPEG picture\r\n"
                      "Text01=Save changes to %s?\r\n"
                      "Text02=The board is fine.\r\n"
                      "Text03=Three\r\n"
                      "Text04=Four\r\n"
                      "Text06=Six\r\n"
                      "Text08=%s has a single element.\r\n";

} // namespace

TEST_F(LanguageFolder, MissingLanguageFallsBackToUkAndTakesItsTexts)
{
    write("UK.txt", uk);
    Language language;
    language.load(m_program, u("DE"));
    EXPECT_EQ(language.code(), u("UK"));
    EXPECT_EQ(language.title(), u("Zorvan Editor"));
    EXPECT_EQ(language.noFileName(), u("Untitled"));
    EXPECT_EQ(language.stepBoxCaption(0), u("Step 1"));
    EXPECT_EQ(language.shortcutText(u'O'), u("Ctrl+O"));
    EXPECT_EQ(language.caption(u("Menu1_Open")), u("&Open..."));
    EXPECT_TRUE(language.caption(u("Button1")).isEmpty()) << "an empty value keeps the caption";
    EXPECT_EQ(language.openFilter(), u("Zorvan board|*.zvb|All files|*.*"));
    EXPECT_EQ(language.saveFilter(), u("Zorvan board|*.zvb"));
    EXPECT_EQ(language.pictureSaveFilter(), u("JPEG picture|*.jpg"));
    EXPECT_EQ(language.messages(), QStringList({u("Save changes to %s?"), u("The board is fine."), u("Three"),
                                                u("Four")}));
    EXPECT_EQ(language.windowTitle(false, u("Untitled")), u("Zorvan Editor"));
    EXPECT_EQ(language.windowTitle(true, u("Untitled")), u("Zorvan Editor - Untitled"));
    EXPECT_EQ(language.boxTitle(BoxType::Warning), QString());
}

TEST_F(LanguageFolder, MessagesCarryTypeTitleButtonsAndArgument)
{
    write("UK.txt", uk);
    Language language;
    language.load(m_program, u("UK"));

    const MessageBox question = language.buildMessage(0, u("Plan 1"));
    EXPECT_EQ(question, (MessageBox{BoxType::Confirmation, u("Confirm"), u("Save changes to Plan 1?"),
                                    {{Answer::Yes, u("&Yes")}, {Answer::No, u("&No")},
                                     {Answer::Cancel, u("Cancel")}}}));
    const MessageBox passed = language.buildMessage(1);
    EXPECT_EQ(passed, (MessageBox{BoxType::Information, u("Information"), u("The board is fine."),
                                  {{Answer::Ok, u("OK")}}}));
    EXPECT_EQ(language.buildMessage(2).type, BoxType::Error);
    // Beyond the table (Text05 is missing): an empty text, also for a message
    // that takes the board name.
    EXPECT_EQ(language.buildMessage(4).text, QString());
    EXPECT_EQ(language.buildMessage(7, u("Plan 1")).text, QString());
    EXPECT_EQ(language.buildMessage(-1).text, QString());
}

TEST_F(LanguageFolder, MalformedMessagesFallBackToTheProgramsOwnText)
{
    write("XX.txt", "Hostile\nText01=%d changes in %s\nText02=%s%n%x 50%\nText03=ok\n"
                    "Text04=x\nText05=x\nText06=x\nText07=x\nText08=%s and %s\nText09=%s\n");
    Language language;
    language.load(m_program, u("XX"));
    for (const int index : {0, 7}) {
        const MessageBox box = language.buildMessage(index, u("Plan"));
        EXPECT_TRUE(box.text.contains(u("„Plan“"))) << box.text.toStdString();
        EXPECT_FALSE(box.text.contains(u'%')) << box.text.toStdString();
        EXPECT_EQ(box.type, index == 0 ? BoxType::Confirmation : BoxType::Error);
        const QString fault = language.messageFault(index);
        EXPECT_TRUE(fault.contains(u("Text0%1").arg(index + 1)) && fault.contains(u("XX.txt")))
            << fault.toStdString();
    }
    // Messages without an argument are shown as they stand.
    EXPECT_EQ(language.buildMessage(1).text, u("%s%n%x 50%"));
    EXPECT_EQ(language.buildMessage(8, u("%s")).text, u("%s"));
    for (const int index : {1, 8})
        EXPECT_TRUE(language.messageFault(index).isEmpty()) << index;
}

// Keys newer than a language file: its own text where it gives one, else the
// program's, also after a language that had them; placeholders checked as
// in the message table.
TEST_F(LanguageFolder, NewerKeysFallBackToTheProgramsTexts)
{
    write("UK.txt", uk + "Menu1_Redo=Redo\r\nRecoveryAsk=Restore %s?\r\nRecoveryTime=\r\n");
    write("DE.txt", "Deutsch\r\nRecoveryAsk=%d und %s\r\n");
    Language language;
    language.load(m_program, u("UK"));
    EXPECT_EQ(language.caption(u("Menu1_Redo")), u("Redo"));
    EXPECT_EQ(language.text(u("recoverytime")), u("Zuletzt gesichert:")) << "an empty value";
    const MessageBox ask = language.buildKeyMessage(u("RecoveryAsk"), BoxType::Confirmation,
                                                    {Answer::Yes, Answer::No}, u("Plan"));
    EXPECT_EQ(ask, (MessageBox{BoxType::Confirmation, u("Confirm"), u("Restore Plan?"),
                               {{Answer::Yes, u("&Yes")}, {Answer::No, u("&No")}}}));
    EXPECT_TRUE(language.buildKeyMessage(u("RecoveryOtherInstance"), BoxType::Warning, {Answer::Ok}, u("a%sb"))
                    .text.contains(u("„a%sb“")));

    language.load(m_program, u("DE"));
    EXPECT_EQ(language.caption(u("Menu1_Redo")), u("Wiederholen"));
    EXPECT_TRUE(language.buildKeyMessage(u("RecoveryAsk"), BoxType::Confirmation, {Answer::Yes}, u("Plan"))
                    .text.startsWith(u("Von der Platte „Plan“")))
        << "a text that cannot take the name gives way to the program's own";
    EXPECT_EQ(language.text(u("NoSuchKey")), QString());
}

TEST_F(LanguageFolder, SwitchingKeepsTheTableWithoutText01AndReplacesIt)
{
    write("UK.txt", uk);
    write("DE.txt", "Deutsch\nTitle =Falsch\nSMsgDlgOK=\nText02=Zwei\n");
    write("FR.txt", "Fran\xe7" "ais\nTitle=\xc9" "diteur\nText01=Un\n");
    Language language;
    language.load(m_program, u("UK"));
    language.load(m_program, u("DE"));
    EXPECT_EQ(language.code(), u("DE"));
    EXPECT_EQ(language.title(), QString()) << "a blank before = makes another key";
    EXPECT_EQ(language.buttonCaption(Answer::Ok), QString());
    EXPECT_EQ(language.messages().size(), 4) << "no Text01: the table stays";
    language.load(m_program, u("FR"));
    EXPECT_EQ(language.title(), u("Éditeur"));
    EXPECT_EQ(language.messages(), QStringList{u("Un")});
}

TEST_F(LanguageFolder, UnreadableLanguageKeepsTheTexts)
{
    write("UK.txt", uk);
    Language language;
    language.load(m_program, u("UK"));
    ASSERT_TRUE(QFile::remove(m_program + u("Language/UK.txt")));
    try {
        language.load(m_program, u("DE"));
        FAIL() << "no file for the language nor for UK";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(u("UK.txt"))) << error.what();
    }
    EXPECT_EQ(language.code(), u("UK"));
    EXPECT_EQ(language.title(), u("Zorvan Editor"));
}

TEST_F(LanguageFolder, MenuListsTwoLetterFilesInNameOrder)
{
    write("UK.txt", uk);
    write("DE.txt", "Deutsch\r\nTitle=Editor\r\n");
    write("fr.txt", "Fran\xe7" "ais");
    write("DE.bmp", "BM");
    write("ABC.txt", "Three letters");
    write("X.txt", "One letter");
    write("ES.TXT", "Wrong case");
    write(".e.txt", "Hidden");
    QDir(m_program).mkpath(u("Language/IT.txt"));

    const QString dir = m_program + u("Language/");
    const QList<LanguageEntry> entries = buildLanguageMenu(m_program, u("UK"));
    EXPECT_EQ(entries, (QList<LanguageEntry>{{u("DE"), u("Deutsch"), dir + u("DE.bmp"), true},
                                             {u("fr"), u("Français"), QString(), true},
                                             {u("UK"), u("English"), QString(), false}}));
}

TEST_F(LanguageFolder, ChoosingALanguageSwapsTheHiddenEntry)
{
    QList<LanguageEntry> entries{{u("DE"), u("Deutsch"), QString(), true},
                                 {u("UK"), u("English"), QString(), false}};
    EXPECT_EQ(chooseLanguageEntry(entries, 0, u("UK")), u("DE"));
    EXPECT_TRUE(entries[1].visible);
    EXPECT_FALSE(entries[0].visible);

    // A stored code in other letter case has no entry: the change goes on.
    entries[1].visible = false;
    EXPECT_EQ(chooseLanguageEntry(entries, 0, u("de")), u("DE"));
    EXPECT_FALSE(entries[0].visible);
    EXPECT_FALSE(entries[1].visible);

    const QList<LanguageEntry> before = entries;
    EXPECT_EQ(chooseLanguageEntry(entries, 2, u("DE")), u("DE"));
    EXPECT_EQ(entries, before);
}

namespace {

TEST_F(LanguageFolder, ErrorsInTheLanguageWithTheGermanStandingIn)
{
    write("UK.txt", uk + "SFileOpenError=Cannot open %s: %s\r\n"
                         "SBoardOpenError=Board %s: %s\r\n"
                         "SFileWriteError=%s %s %s\r\n"
                         "SPrinterError=\r\n");
    Language language;
    language.load(m_program, u("UK"));
    const KestrixError unreadable(ErrorTexts::FileRead, {u("f"), u("%s")});
    const struct { KestrixError error; const char *shown; } cases[] = {
        {KestrixError(ErrorTexts::FileOpen, {u("a.zvb"), u("No such file")}), "Cannot open a.zvb: No such file"},
        {KestrixError(ErrorTexts::BoardOpen, {u("b.zvb")}, KestrixError(ErrorTexts::FileOpen, {u("p.bmp"), u("gone")})),
         "Board b.zvb: Cannot open p.bmp: gone"},
        // A text that does not take the arguments, an empty one, a missing one.
        {KestrixError(ErrorTexts::FileWrite, {u("c"), u("disk full")}), "Datei c kann nicht geschrieben werden (disk full)"},
        {KestrixError(ErrorTexts::Printer, {u("P1")}), "Der Drucker P1 kann nicht drucken"},
        {unreadable, "Datei f kann nicht gelesen werden (%s)"},
        {KestrixError(ErrorTexts::BoardOpen, {u("e")}, unreadable), "Board e: Datei f kann nicht gelesen werden (%s)"},
        {KestrixError(u("As it stands")), "As it stands"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(language.errorText(c.error), u(c.shown)) << c.shown;
    EXPECT_EQ(cases[1].error.text(), u("Die Karte b.zvb kann nicht geöffnet werden: "
                                       "Datei p.bmp kann nicht geöffnet werden (gone)"));
}

} // namespace
