#include "gui/TileDefinitionDialog.h"

#include "gui/MainWindow.h"
#include "catalogue/Catalogue.h"
#include "language/Language.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include "support/NamedChild.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// Pictures 00000..00002, the belt 01234 and the plain tile 05678 without a
// large picture; the catalogue as the main window would have loaded it.
class PictureDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (int id : {0, 1, 2, 1234, 5678})
            ASSERT_TRUE(folder.writeTilePictures(id)) << id;
        ASSERT_TRUE(folder.remove(u("Images/15678.bmp")));
        ASSERT_TRUE(folder.write(u("InitList.ini"), "P01234=01004\r\nW012340=\r\nA012341=05678\r\n"
                                                     "D01234=212302\r\nN056782=00001\r\n"));
        editor.setProgramFolder(folder.programFolder());
        editor.loadResources(Resources::CatalogueStep);
    }

    std::unique_ptr<TileDefinitionDialog> open(int id) { return std::make_unique<TileDefinitionDialog>(editor, id); }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    Editor editor{prompter};
};

} // namespace

TEST_F(PictureDialog, LayoutAsDesigned)
{
    auto dialog = open(1234);
    EXPECT_EQ(dialog->size(), QSize(529, 355));
    EXPECT_EQ(dialog->windowTitle(), u("Bildbearbeitung 01234"));
    const Place places[] = {
        {"FLB", {8, 8, 145, 305}},           {"PageControl1", {160, 8, 361, 305}},
        {"Panel1", {248, 80, 177, 177}},     {"Image1", {0, 0, 177, 177}},
        {"Button1", {160, 324, 105, 25}},    {"CancelBtn", {448, 324, 75, 25}},
        {"Edit1", {64, 12, 73, 21}},         {"Edit2", {240, 12, 73, 21}},
        {"RadioGroup1", {8, 228, 337, 45}},  {"SideBox2_0", {168, 240, 25, 17}},
        {"SideBox7_3", {48, 128, 25, 17}},   {"SideEdit3_1", {268, 152, 65, 21}},
        {"SideEdit5_3", {4, 152, 65, 21}},
    };
    expectPlaces(*dialog, places);
    EXPECT_EQ(child<QLabel>(*dialog, "Label6")->geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(child<QLabel>(*dialog, "Label6")->width(), 73);
    EXPECT_FALSE(dialog->findChild<QLineEdit *>(u("SideEdit2_0"))) << "no fields on the Wand page";

    auto *pages = child<QTabWidget>(*dialog, "PageControl1");
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i)
        captions << pages->tabText(i);
    EXPECT_EQ(captions, (QStringList{u("Bild"), u("Wand"), u("Adds"), u("Nötig"), u("Zwingend"), u("Möglich"),
                                     u("Richtung")}));
    QStringList items;
    for (const QRadioButton *item : child<QGroupBox>(*dialog, "RadioGroup1")->findChildren<QRadioButton *>())
        items << item->text();
    EXPECT_EQ(items, (QStringList{u("nichts"), u("Laser"), u("Presse"), u("Zählerpresse"), u("Schieber 1"),
                                  u("Schieber 2"), u("kl. Flamme"), u("Laserkanone")}));
    EXPECT_EQ(child<QListWidget>(*dialog, "FLB")->currentRow(), 3);
    EXPECT_EQ(child<QLabel>(*dialog, "Image1")->pixmap().size(), QSize(16, 16));
}

TEST_F(PictureDialog, ShowsTheTileAndItsFieldsFollowTheirBoxes)
{
    auto dialog = open(1234);
    EXPECT_EQ(child<QLineEdit>(*dialog, "Edit1")->text(), u("01234"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "Edit2")->text(), u("01004"));
    EXPECT_TRUE(child<QCheckBox>(*dialog, "SideBox2_0")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*dialog, "SideBox6_1")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*dialog, "SideBox7_2")->isChecked());
    EXPECT_TRUE(dialog->findChildren<QRadioButton *>().at(2)->isChecked());

    auto *field = child<QLineEdit>(*dialog, "SideEdit3_1");
    EXPECT_EQ(field->text(), u("05678"));
    EXPECT_FALSE(field->isHidden());
    auto *box = child<QCheckBox>(*dialog, "SideBox3_2");
    auto *other = child<QLineEdit>(*dialog, "SideEdit3_2");
    EXPECT_TRUE(other->isHidden());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(other->isHidden());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(other->isHidden());
}

TEST_F(PictureDialog, ApplyWritesTheCatalogueAndANewNumberRenamesTheLine)
{
    QSignalSpy changed(&editor, &Editor::catalogueChanged);
    auto dialog = open(1234);
    child<QCheckBox>(*dialog, "SideBox4_3")->click();
    child<QLineEdit>(*dialog, "SideEdit4_3")->setText(u("00002"));
    child<QLineEdit>(*dialog, "Edit1")->setText(u("1240"));
    dialog->findChildren<QRadioButton *>().at(7)->click();
    child<QPushButton>(*dialog, "Button1")->click();

    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(editor.catalogue().value(u("N012403")), u("00002"));
    EXPECT_EQ(editor.catalogue().value(u("D01240")), u("212307"));
    EXPECT_EQ(readWholeFile(folder.programFolder() + u("InitList.ini"), Catalogue::MaxFileSize),
              "A012401=05678\r\nD01240=212307\r\nN012403=00002\r\nN056782=00001\r\nP01240=01004\r\nW012400=\r\n");
    EXPECT_EQ(child<QListWidget>(*dialog, "FLB")->item(3)->text(), u("01240.bmp"));
    EXPECT_EQ(dialog->windowTitle(), u("Bildbearbeitung 01240"));
}

TEST_F(PictureDialog, ATakenNumberIsRefusedInAnErrorBox)
{
    editor.loadResources(Resources::LanguageStep);
    QSignalSpy changed(&editor, &Editor::catalogueChanged);
    auto dialog = open(1234);
    child<QLineEdit>(*dialog, "Edit1")->setText(u("5678"));
    child<QPushButton>(*dialog, "Button1")->click();
    EXPECT_EQ(changed.count(), 0) << "a refusal changes nothing";
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].type, BoxType::Error);
    EXPECT_EQ(prompter.messages[0].text, u("Der Name '05678' ist bereits vergeben!"));
    ASSERT_EQ(prompter.messages[0].buttons.size(), 1);
    EXPECT_EQ(prompter.messages[0].buttons[0].answer, Answer::Ok);
    EXPECT_EQ(child<QListWidget>(*dialog, "FLB")->item(3)->text(), u("01234.bmp"));
}

TEST_F(PictureDialog, AMissingLargePicture)
{
    EXPECT_THROW(open(5678), KestrixError) << "at creation the dialog does not open";

    auto dialog = open(1234);
    child<QListWidget>(*dialog, "FLB")->setCurrentRow(4);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(u("15678.bmp"))) << prompter.errors[0].toStdString();
    EXPECT_EQ(dialog->windowTitle(), u("Bildbearbeitung 05678"));
    EXPECT_FALSE(child<QCheckBox>(*dialog, "SideBox2_0")->isChecked()) << "not the previous tile's wall";
    EXPECT_TRUE(child<QCheckBox>(*dialog, "SideBox4_2")->isChecked());
    EXPECT_TRUE(child<QLabel>(*dialog, "Image1")->pixmap().isNull());
}

TEST_F(PictureDialog, WithoutAPictureNothingIsSelected)
{
    auto dialog = open(4321);
    EXPECT_EQ(dialog->windowTitle(), u("Bildbearbeitung"));
    EXPECT_EQ(child<QListWidget>(*dialog, "FLB")->currentRow(), -1);
    EXPECT_TRUE(child<QTabWidget>(*dialog, "PageControl1")->isHidden());
    EXPECT_TRUE(child<QWidget>(*dialog, "Panel1")->isHidden());
    EXPECT_TRUE(child<QPushButton>(*dialog, "Button1")->isHidden());
}

TEST_F(PictureDialog, TheMainWindowOpensItAndSeesItsChanges)
{
    ASSERT_TRUE(folder.writeSettings("[Options]\r\nOpAdministration=TRUE\r\n"));
    MainWindow form(StartOptions{folder.programFolder(), folder.userFolder(), {}}, &prompter);
    ASSERT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();

    QString title;
    QTimer::singleShot(0, [&title] {
        auto *dialog = qobject_cast<TileDefinitionDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        child<QLineEdit>(*dialog, "Edit2")->setText(u("01009"));
        child<QPushButton>(*dialog, "Button1")->click();
        child<QPushButton>(*dialog, "CancelBtn")->click();
    });
    form.editor().requestTileDefinition(1234);
    EXPECT_EQ(title, u("Bildbearbeitung 01234"));
    EXPECT_EQ(form.editor().catalogue().value(u("P01234")), u("01009"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
