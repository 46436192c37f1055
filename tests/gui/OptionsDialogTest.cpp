#include "gui/OptionsDialog.h"
#include "app/Resources.h"
#include "support/NamedChild.h"
#include "support/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace kestrix;

namespace {

class OptionsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_program).mkpath(u("Language"));
        QDir(m_program).mkpath(u("Images"));
        writeLanguage("Deutsch\r\n"
                      "OpCaption=Einstellungen\r\n"
                      "OpGroupBox1=Bearbeiten\r\n"
                      "OpCheckBox2=<b>Keine</b> Wände\r\n"
                      "OpOKBtn=\r\n"
                      "ColorBox1=never shown\r\n"
                      "Image1=never shown\r\n"
                      "SColorMaroon=Weinrot\r\n"
                      "SColorCustom=Eigene...\r\n");
        // The first plate of groups 0 and 1; group 2 has only a later plate.
        for (const auto &[name, colour] : {std::pair{"Images/00000.bmp", Qt::green}, {"Images/00100.bmp", Qt::blue},
                                           {"Images/00201.bmp", Qt::red}}) {
            QImage plate(4, 4, QImage::Format_RGB32);
            plate.fill(colour);
            ASSERT_TRUE(plate.save(m_program + u(name)));
        }
        m_settings.OpKonventNotWall = true;
        m_settings.OpKonventField = true;
        m_settings.OpGroundPlates = 1;
        m_settings.OpCursorColor = 0x0000FF;
        m_settings.OpAdministration = true;
        m_settings.OpLanguage = u("DE");
    }

    void writeLanguage(const QByteArray &text)
    {
        QFile file(m_program + u("Language/DE.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The dialog on the resources loaded as at start from m_settings' file;
    // OK hands its settings to m_committed, or throws commitError.
    std::unique_ptr<OptionsDialog> create()
    {
        writeSettings(m_settings, m_user);
        m_resources.setProgramFolder(m_program);
        m_resources.setUserFolder(m_user);
        try {
            m_resources.load(Resources::SettingsStep | Resources::LanguageStep | Resources::PaletteStep);
        } catch (const KestrixError &) {
            // A language that cannot be loaded is the dialog's to report.
        }
        const auto commit = [this](const Settings &settings) {
            m_committed.append(settings);
            if (m_commitError)
                throw *m_commitError;
        };
        return std::make_unique<OptionsDialog>(m_resources, commit,
                                               [this](const KestrixError &error) { m_errors.append(error.text()); });
    }

    QTemporaryDir m_dir;
    const QString m_program = m_dir.path() + u("/program/");
    const QString m_user = m_dir.path() + u("/profile/Kestrix/");
    Settings m_settings;
    Resources m_resources;
    QList<Settings> m_committed;
    std::optional<KestrixError> m_commitError;
    QStringList m_errors;
};

} // namespace

TEST_F(OptionsDialogTest, LayoutAndCaptions)
{
    auto dialog = create();
    EXPECT_EQ(dialog->size(), QSize(328, 255));
    const Place places[] = {
        {"OpGroupBox1", {8, 8, 313, 81}},    {"OpGroupBox2", {8, 96, 313, 111}},
        {"ColorBox1", {16, 44, 105, 22}},    {"ComboBox1", {152, 44, 73, 21}},
        {"Image1", {248, 20, 49, 49}},       {"OpCheckBox4", {16, 84, 297, 17}},
        {"OpOKBtn", {87, 220, 75, 25}},      {"OpCancelBtn", {167, 220, 75, 25}},
    };
    expectPlaces(*dialog, places);
    EXPECT_EQ(child<QLabel>(*dialog, "OpLabel3")->pos(), QPoint(16, 18));

    EXPECT_EQ(dialog->windowTitle(), u("Einstellungen"));
    EXPECT_EQ(child<QGroupBox>(*dialog, "OpGroupBox1")->title(), u("Bearbeiten"));
    EXPECT_EQ(child<QGroupBox>(*dialog, "OpGroupBox2")->title(), u("Zorvan-Konventionen"));
    EXPECT_EQ(child<QCheckBox>(*dialog, "OpCheckBox2")->text(), u("<b>Keine</b> Wände"));
    EXPECT_EQ(child<QPushButton>(*dialog, "OpOKBtn")->text(), u("OK"));
    EXPECT_EQ(child<QLabel>(*dialog, "OpLabel2")->text(), u("Standard-Feld:"));
    EXPECT_TRUE(child<QLabel>(*dialog, "Image1")->text().isEmpty());
    // Colour names from the file, the built-in German where it has none.
    auto *colors = child<QComboBox>(*dialog, "ColorBox1");
    EXPECT_EQ(colors->itemText(0), u("Schwarz"));
    EXPECT_EQ(colors->itemText(1), u("Weinrot"));
    EXPECT_EQ(colors->currentText(), u("Rot"));
    EXPECT_EQ(colors->itemText(colors->count() - 1), u("Eigene..."));
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join(u'\n').toStdString();

    writeLanguage("Deutsch\r\nOpCaption=\r\n");
    EXPECT_TRUE(create()->windowTitle().isEmpty()) << "an empty OpCaption empties the title too";
}

TEST_F(OptionsDialogTest, ShowsTheSettings)
{
    m_settings.OpCursorColor = int(0x8000000F); // a system colour, not in the list
    auto dialog = create();
    const struct { const char *name; bool ticked; } boxes[] = {
        {"OpCheckBox1", false}, {"OpCheckBox2", true}, {"OpCheckBox3", false}, {"OpCheckBox4", true}};
    for (const auto &box : boxes)
        EXPECT_EQ(child<QCheckBox>(*dialog, box.name)->isChecked(), box.ticked) << box.name;
    auto *colors = child<QComboBox>(*dialog, "ColorBox1");
    EXPECT_EQ(colors->currentText(), u("Button face"));
    EXPECT_EQ(colors->currentData().toInt(), int(0x8000000F));
    auto *groups = child<QComboBox>(*dialog, "ComboBox1");
    EXPECT_EQ(groups->count(), 3);
    EXPECT_EQ(groups->itemText(2), u("3"));
    EXPECT_EQ(groups->currentIndex(), 1);
    // The preview shows the first plate of the chosen group.
    auto *preview = child<QLabel>(*dialog, "Image1");
    EXPECT_EQ(preview->pixmap().toImage().pixel(1, 1), qRgb(0, 0, 255));
    groups->setCurrentIndex(0);
    emit groups->activated(0);
    EXPECT_EQ(preview->pixmap().toImage().pixel(1, 1), qRgb(0, 255, 0));
}

TEST_F(OptionsDialogTest, OkHandsTheShownSettingsToTheCommand)
{
    m_settings.OpGroundPlates = 7; // no such group: nothing selected
    m_settings.OpCursorColor = -16777201;
    const Settings before = m_settings;
    auto dialog = create();
    EXPECT_EQ(child<QComboBox>(*dialog, "ComboBox1")->currentIndex(), -1);
    child<QCheckBox>(*dialog, "OpCheckBox1")->setChecked(true);
    child<QPushButton>(*dialog, "OpOKBtn")->click();

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    Settings expected = before;
    expected.OpKonventNeedWall = true;
    expected.OpGroundPlates = 0;
    EXPECT_EQ(m_committed, QList<Settings>({expected}));
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join(u'\n').toStdString();
}

TEST_F(OptionsDialogTest, CancelChangesNothing)
{
    const Settings before = m_settings;
    auto dialog = create();
    child<QCheckBox>(*dialog, "OpCheckBox2")->setChecked(false);
    child<QComboBox>(*dialog, "ColorBox1")->setCurrentIndex(0);
    child<QComboBox>(*dialog, "ComboBox1")->setCurrentIndex(0);
    child<QPushButton>(*dialog, "OpCancelBtn")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(m_committed.isEmpty());
    EXPECT_EQ(m_resources.settings(), before);
}

TEST_F(OptionsDialogTest, UnreadableLanguageFileOpensTheDialogAsDesigned)
{
    // There, but not a file that can be read.
    ASSERT_TRUE(QFile::remove(m_program + u("Language/DE.txt")));
    ASSERT_TRUE(QDir(m_program).mkpath(u("Language/DE.txt")));
    auto dialog = create();
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(u("DE.txt"))) << m_errors[0].toStdString();
    EXPECT_EQ(dialog->windowTitle(), u("Optionen..."));
    EXPECT_FALSE(child<QCheckBox>(*dialog, "OpCheckBox2")->isChecked());
    EXPECT_EQ(child<QComboBox>(*dialog, "ColorBox1")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(*dialog, "ComboBox1")->count(), 0);

    child<QPushButton>(*dialog, "OpOKBtn")->click();
    ASSERT_EQ(m_committed.size(), 1);
    EXPECT_FALSE(m_committed[0].OpKonventNotWall);
    EXPECT_EQ(m_committed[0].OpGroundPlates, 0);
    EXPECT_EQ(m_committed[0].OpCursorColor, 0);
    EXPECT_TRUE(m_committed[0].OpAdministration);
}

TEST_F(OptionsDialogTest, MissingPreviewKeepsThePreviousPicture)
{
    auto dialog = create();
    auto *image = child<QLabel>(*dialog, "Image1");
    const qint64 shown = image->pixmap().cacheKey();
    auto *groups = child<QComboBox>(*dialog, "ComboBox1");
    groups->setCurrentIndex(2);
    emit groups->activated(2);
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(u("00200.bmp"))) << m_errors[0].toStdString();
    EXPECT_EQ(image->pixmap().cacheKey(), shown);
}

TEST_F(OptionsDialogTest, AFailedCommandIsReportedAndTheDialogCloses)
{
    m_commitError = KestrixError(ErrorTexts::FileCreate, {u("Kestrix.ini")});
    auto dialog = create();
    child<QCheckBox>(*dialog, "OpCheckBox3")->setChecked(true);
    child<QPushButton>(*dialog, "OpOKBtn")->click();
    EXPECT_EQ(m_errors.size(), 1);
    EXPECT_EQ(m_committed.size(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
