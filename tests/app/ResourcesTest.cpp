#include "app/Editor.h"
#include "app/Resources.h"

#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

class ResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.write(u("Language/DE.txt"), "Deutsch\r\nTitle=Brett\r\n"));
        ASSERT_TRUE(folder.writeSettings("[Options]\r\nOpLanguage=DE\r\nOpCursorColor=255\r\n"));
        editor.setProgramFolder(folder.programFolder());
        editor.setUserFolder(folder.userFolder());
    }

    QString settingsPath() const { return folder.userFolder() + u("Kestrix.ini"); }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    Editor editor{prompter};
};

} // namespace

// Whichever steps are asked for, in whichever order they are named, they are
// taken in their fixed order; a step that fails ends the loading there.
TEST_F(ResourcesTest, StepsRunInTheirOrderAndAFailureEndsThem)
{
    QList<Resources::Step> taken;
    const auto record = [&taken](Resources::Step step) { taken.append(step); };
    editor.loadResources(Resources::StepMarksStep | Resources::LanguageStep | Resources::SettingsStep, record);
    EXPECT_EQ(taken, QList<Resources::Step>({Resources::SettingsStep, Resources::LanguageStep,
                                             Resources::StepMarksStep}));
    EXPECT_EQ(editor.language().title(), u("Brett")) << "the language the settings name";

    taken.clear();
    ASSERT_TRUE(folder.remove(u("InitList.ini")));
    EXPECT_THROW(editor.loadResources(Resources::AllSteps, record), KestrixError);
    EXPECT_EQ(taken, QList<Resources::Step>({Resources::SettingsStep, Resources::LanguageStep}));
    EXPECT_TRUE(editor.languageEntries().isEmpty()) << "no step after the catalogue was taken";
}

// The language that cannot be loaded is remembered, for the dialogs that
// show it, until a load works again.
TEST_F(ResourcesTest, ALanguageThatCannotBeLoadedIsRemembered)
{
    ASSERT_TRUE(folder.remove(u("Language/DE.txt")));
    ASSERT_TRUE(QDir(folder.programFolder()).mkpath(u("Language/DE.txt")));
    EXPECT_THROW(editor.loadResources(Resources::SettingsStep | Resources::LanguageStep), KestrixError);
    ASSERT_TRUE(editor.resources().languageError().has_value());
    EXPECT_TRUE(editor.resources().languageError()->text().contains(u("DE.txt")));

    ASSERT_TRUE(QDir(folder.programFolder()).rmdir(u("Language/DE.txt")));
    editor.loadResources(Resources::LanguageStep);
    EXPECT_FALSE(editor.resources().languageError().has_value());
    EXPECT_EQ(editor.settings().OpLanguage, u("UK")) << "the language actually loaded is stored";
}

// The options' command: the new values hold at once; they are written and
// signalled, unless the file cannot be written (the values stay for the run,
// nothing is signalled) or could not be read at start (nothing is written
// over it, the values hold and are signalled).
TEST_F(ResourcesTest, ChangedSettingsAreWrittenAndSignalled)
{
    editor.loadResources(Resources::SettingsStep);
    int changed = 0;
    QObject::connect(&editor, &Editor::settingsChanged, [&changed] { ++changed; });
    Settings settings = editor.settings();
    settings.OpKonventBelt = true;
    editor.changeSettings(settings);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(parseSettings(folder.settings()), settings);

    // A folder where the file should be: it cannot be written.
    ASSERT_TRUE(QFile::remove(settingsPath()));
    ASSERT_TRUE(QDir().mkpath(settingsPath() + u("/x")));
    settings.OpCursorColor = 0x00FF00;
    EXPECT_THROW(editor.changeSettings(settings), KestrixError);
    EXPECT_EQ(editor.settings(), settings);
    EXPECT_EQ(changed, 1);

    // Unreadable at start: kept as it is.
    editor.loadResources(Resources::SettingsStep);
    ASSERT_TRUE(editor.resources().settingsError().has_value());
    settings.OpKonventField = true;
    EXPECT_NO_THROW(editor.changeSettings(settings));
    EXPECT_EQ(editor.settings(), settings);
    EXPECT_EQ(changed, 2);
    EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
}
