// The error boxes of the main window speak the user's language: each file
// error, provoked through the window with the bundled language files, in
// English, French and German.

#include "gui/MainWindow.h"

#include "support/BundledLanguage.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"
#include "support/TestWindow.h"
#include "support/Text.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace kestrix;

namespace {

struct Window : TestWindow<>
{
    QString board = folder.programFolder() + u("Boards/Plan.zvb");
    QString picture = folder.programFolder() + u("Images/03000.bmp");

    void start(const QString &boardPath = QString())
    {
        create(boardPath);
        show();
    }
};

struct Provocation
{
    const char *name;
    std::function<void(Window &)> provoke;
};

const Provocation missingBoard{"missing board", [](Window &w) { w.start(w.board); }};
const Provocation missingPicture{"board with a missing picture", [](Window &w) {
                                     QByteArray bytes = "30000\r\n";
                                     for (int k = 1; k < 144; ++k)
                                         bytes += "10\r\n";
                                     w.folder.write(u("Boards/Plan.zvb"), bytes);
                                     w.start(w.board);
                                 }};
const Provocation saveIntoMissingFolder{"save into a missing folder", [](Window &w) {
                                            w.board = w.folder.programFolder() + u("Gone/Plan.zvb");
                                            w.start();
                                            w.trigger("Menu1_New");
                                            w.prompter.files = {w.board};
                                            w.trigger("Menu1_SaveAs");
                                        }};

// "{board}" and "{picture}" stand for the paths, "…" for the system's reason.
struct Case
{
    const char *code;
    const Provocation &provocation;
    const char *shown;
};

const Case cases[] = {
    {"UK", missingBoard, "File {board} cannot be opened (file not found)"},
    {"UK", missingPicture, "The board {board} cannot be opened: File {picture} cannot be opened (…)"},
    {"UK", saveIntoMissingFolder, "File {board} cannot be written (…)"},
    {"FR", missingBoard, "Le fichier {board} ne peut pas être ouvert (fichier introuvable)"},
    {"FR", missingPicture,
     "Le plateau {board} ne peut pas être ouvert : Le fichier {picture} ne peut pas être ouvert (…)"},
    {"FR", saveIntoMissingFolder, "Le fichier {board} ne peut pas être écrit (…)"},
    {"DE", missingBoard, "Datei {board} kann nicht geöffnet werden (Datei nicht gefunden)"},
    {"DE", missingPicture, "Die Karte {board} kann nicht geöffnet werden: Datei {picture} kann nicht geöffnet werden (…)"},
    {"DE", saveIntoMissingFolder, "Datei {board} kann nicht geschrieben werden (…)"},
};

TEST(ErrorLanguage, FileErrorsAreShownInTheUsersLanguage)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.provocation.name);
        Window w;
        ASSERT_TRUE(useBundledLanguage(w.folder, QLatin1String(c.code)));
        for (int id : {0, 1, 2})
            ASSERT_TRUE(w.folder.writeTilePictures(id));

        c.provocation.provoke(w);

        QString pattern = QRegularExpression::escape(u(c.shown));
        pattern.replace(QRegularExpression::escape(u("{board}")), QRegularExpression::escape(QDir::toNativeSeparators(w.board)));
        pattern.replace(QRegularExpression::escape(u("{picture}")),
                        QRegularExpression::escape(QDir::toNativeSeparators(w.picture)));
        pattern.replace(QRegularExpression::escape(u("…")), u(".+"));
        ASSERT_EQ(w.prompter.errors.size(), 1) << w.prompter.errors.join(u'\n').toStdString();
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(w.prompter.errors[0]).hasMatch())
            << w.prompter.errors[0].toStdString();
    }
}

} // namespace
