#include "BoardFixture.h"

#include "output/BoardQuarter.h"
#include "output/PagePrinter.h"

#include "support/QtPrinters.h"
#include "support/ReadOnlyMount.h"
#include "support/RecordingPrinter.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

using namespace kestrix;

namespace {

// A new board ("Untitled") with the messages of the board check.
class OutputFixture : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        ASSERT_TRUE(pictures.isValid());
        ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"),
                                 "English\r\nTitle=Board Editor\r\nNoFileName=Untitled\r\n"
                                 "Text01=Save the changes to %s?\r\nText02=The board is fine.\r\n"
                                 "Text03=a\r\nText04=b\r\nText05=c\r\nText06=d\r\nText07=e\r\n"
                                 "Text08=A pair has one tile on %s.\r\n"
                                 "Text09=A pair has too many tiles on %s.\r\n"));
        editor.loadResources(Resources::LanguageStep);
        editor.newBoard();
        ASSERT_EQ(editor.documentState(), DocumentState::newBoard());
        QObject::connect(&editor, &Editor::busyChanged, [this](bool busy) { busySignals.append(busy); });
        prompter.printer = &printer;
    }

    void place(std::initializer_list<std::pair<int, int>> tiles)
    {
        for (const auto &[field, id] : tiles)
            editor.cells()[size_t(field)].tileId = id;
    }

    QString picturePath(const QString &name) const { return pictures.filePath(name); }
    QStringList writtenPictures() const { return QDir(pictures.path()).entryList(QDir::Files, QDir::Name); }
    QString temporaryFile() const { return folder.programFolder() + QStringLiteral("~Temp.bmp"); }

    // A name in the open dialog's sense: saved under Boards/.
    void saveAs(const QString &name)
    {
        prompter.files = {boardPath(name)};
        ASSERT_TRUE(editor.saveBoardAs());
    }

    QTemporaryDir pictures;
    RecordingPrinter printer;
    QList<bool> busySignals;
};

// --- board check -------------------------------------------------------------------

TEST_F(OutputFixture, CheckPassesAnEmptyBoardWithItsMessage)
{
    editor.checkBoardAndReport();
    ASSERT_EQ(prompter.messages.size(), 1);
    const MessageBox &box = prompter.messages[0];
    EXPECT_EQ(box.type, BoxType::Information);
    EXPECT_EQ(box.text, QStringLiteral("The board is fine."));
    ASSERT_EQ(box.buttons.size(), 1);
    EXPECT_EQ(box.buttons[0].answer, Answer::Ok);
}

TEST_F(OutputFixture, CheckShowsTheMessageOfTheLowestFailingPair)
{
    const struct
    {
        const char *name;
        std::initializer_list<std::pair<int, int>> tiles;
        const char *message; // nullptr: the board passes
    } rows[] = {
        {"one pair", {{10, 5003}, {20, 5103}}, nullptr},
        {"three of a pair", {{10, 5003}, {20, 5103}, {30, 5203}}, "A pair has too many tiles on Untitled."},
        {"one alone", {{143, 5012}}, "A pair has one tile on Untitled."},
        {"pair 2 once, pair 5 thrice", {{0, 5105}, {1, 5205}, {2, 5305}, {3, 5002}}, "A pair has one tile on Untitled."},
        {"outside the group", {{0, 6005}, {1, 4005}}, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        editor.newBoard();
        place(row.tiles);
        prompter.messages.clear();
        EXPECT_EQ(editor.checkBoard(), row.message == nullptr);
        if (row.message) {
            ASSERT_EQ(prompter.messages.size(), 1);
            EXPECT_EQ(prompter.messages[0].type, BoxType::Error);
            EXPECT_EQ(prompter.messages[0].text, QString::fromUtf8(row.message));
        } else {
            EXPECT_TRUE(prompter.messages.isEmpty()) << "a passing check is silent";
        }
    }
}

TEST_F(OutputFixture, CheckNamesASavedBoardByItsFileName)
{
    saveAs(QStringLiteral("Platte.zvb"));
    place({{5, 5012}});
    prompter.messages.clear();
    editor.checkBoardAndReport();
    ASSERT_EQ(prompter.messages.size(), 1) << "only the error, no message that it passed";
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("A pair has one tile on Platte."));
}

TEST_F(OutputFixture, AFailingCheckStartsNeitherExportNorPrinting)
{
    place({{5, 5012}});
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    prompter.pageChoices = {{1, 4, 1, 4}};
    const Snapshot before = snapshot();
    editor.checkAndExportBoard();
    editor.checkAndPrintBoard();
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.saveRequests.isEmpty());
    EXPECT_TRUE(prompter.printRequests.isEmpty());
    EXPECT_TRUE(writtenPictures().isEmpty());
    EXPECT_TRUE(busySignals.isEmpty());
    EXPECT_TRUE(sameState(before, snapshot()));
}

TEST_F(OutputFixture, AMessageThatCannotBeFormattedIsNamedOnceAndStillShown)
{
    ASSERT_TRUE(folder.write(QStringLiteral("Language/UK.txt"),
                             "English\r\nNoFileName=Untitled\r\nText01=a\r\nText02=b\r\nText03=c\r\nText04=d\r\n"
                             "Text05=e\r\nText06=f\r\nText07=g\r\nText08=%d tiles on %s\r\nText09=h\r\n"));
    editor.loadResources(Resources::LanguageStep);
    place({{5, 5012}});
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    for (int run = 0; run < 2; ++run) {
        EXPECT_NO_THROW(editor.checkAndExportBoard());
        ASSERT_EQ(prompter.errors.size(), 1) << "named once";
        EXPECT_TRUE(prompter.errors.first().contains(QStringLiteral("Text08")));
        ASSERT_EQ(prompter.messages.size(), run + 1);
        EXPECT_TRUE(prompter.messages.last().text.contains(QStringLiteral("„Untitled“")));
        EXPECT_TRUE(prompter.saveRequests.isEmpty()) << "the check failed: nothing is exported";
    }
}

// --- export ---------------------------------------------------------------------------

TEST_F(OutputFixture, ExportWritesTheFourQuartersBesideTheChosenName)
{
    addTiles({5003, 5103});
    place({{0, 5003}, {143, 5103}});
    editor.cells()[0].rotation = 0;
    ASSERT_NO_THROW(editor.redrawCell(0));
    // An existing file of the same name is replaced without a question.
    ASSERT_TRUE(writeFile(picturePath(QStringLiteral("Platte (1).jpg")), "old"));
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    const Snapshot before = snapshot();

    editor.checkAndExportBoard();

    ASSERT_EQ(prompter.saveRequests.size(), 1);
    EXPECT_EQ(prompter.saveRequests[0].defaultSuffix, QStringLiteral("jpg"));
    EXPECT_FALSE(prompter.saveRequests[0].confirmOverwrite);
    EXPECT_EQ(writtenPictures(), (QStringList{QStringLiteral("Platte (1).jpg"), QStringLiteral("Platte (2).jpg"),
                                              QStringLiteral("Platte (3).jpg"), QStringLiteral("Platte (4).jpg")}));
    const QSize sizes[] = {{1725, 1575}, {1575, 1725}, {1725, 1575}, {1575, 1725}};
    for (int n = 1; n <= 4; ++n) {
        const QImage jpeg(picturePath(QStringLiteral("Platte (%1).jpg").arg(n)), "JPG");
        EXPECT_EQ(jpeg.size(), sizes[n - 1]) << n;
    }
    // The colours survive the encoding: field 0's tile, the frame, the strip.
    const QImage first(picturePath(QStringLiteral("Platte (1).jpg")), "JPG");
    const QColor tile = first.pixelColor(50 + 8, 50 + 8);
    const QColor expected(colourOf(5003));
    EXPECT_NEAR(tile.red(), expected.red(), 8);
    EXPECT_NEAR(tile.green(), expected.green(), 8);
    EXPECT_NEAR(tile.blue(), expected.blue(), 8);
    EXPECT_LT(qGray(first.pixel(20, 20)), 10);
    EXPECT_GT(qGray(first.pixel(1650, 800)), 245);

    EXPECT_EQ(busySignals, (QList<bool>{true, false}));
    EXPECT_TRUE(prompter.messages.isEmpty()) << "a passing check is silent";
    EXPECT_TRUE(sameState(before, snapshot()));
}

TEST_F(OutputFixture, ExportTakesOffOnlyTheLastExtension)
{
    prompter.files = {picturePath(QStringLiteral("a.b.jpg"))};
    editor.exportBoardPictures();
    EXPECT_EQ(writtenPictures(), (QStringList{QStringLiteral("a.b (1).jpg"), QStringLiteral("a.b (2).jpg"),
                                              QStringLiteral("a.b (3).jpg"), QStringLiteral("a.b (4).jpg")}));
}

TEST_F(OutputFixture, ACancelledExportWritesNothing)
{
    editor.checkAndExportBoard();
    EXPECT_EQ(prompter.saveRequests.size(), 1);
    EXPECT_TRUE(writtenPictures().isEmpty());
    EXPECT_TRUE(busySignals.isEmpty());
}

TEST_F(OutputFixture, AFileThatCannotBeWrittenEndsTheExport)
{
    // A folder in the place of the second file.
    ASSERT_TRUE(QDir(pictures.path()).mkdir(QStringLiteral("Platte (2).jpg")));
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    try {
        editor.checkAndExportBoard();
        FAIL() << "no error";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("Platte (2).jpg"))) << error.text().toStdString();
    }
    EXPECT_TRUE(QFileInfo(picturePath(QStringLiteral("Platte (1).jpg"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(picturePath(QStringLiteral("Platte (3).jpg"))));
    EXPECT_FALSE(QFileInfo::exists(picturePath(QStringLiteral("Platte (4).jpg"))));
    EXPECT_EQ(busySignals, (QList<bool>{true, false})) << "the wait cursor goes also on error";
}

TEST_F(OutputFixture, AMissingTilePictureEndsTheExport)
{
    addTiles({Tile});
    place({{100, Tile}}); // quarter 4
    ASSERT_TRUE(folder.remove(QStringLiteral("Images/14045.bmp")));
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    EXPECT_THROW(editor.exportBoardPictures(), KestrixError);
    EXPECT_EQ(writtenPictures().size(), 3);
    EXPECT_EQ(busySignals, (QList<bool>{true, false}));

    // Quarters are drawn side by side, but none after a failing one is
    // written: here only quarter 1 comes before the failing quarter 2.
    for (const QString &name : writtenPictures())
        ASSERT_TRUE(QFile::remove(picturePath(name)));
    place({{100, editor.cells()[101].tileId}, {6, Tile}});
    prompter.files = {picturePath(QStringLiteral("Platte.jpg"))};
    EXPECT_THROW(editor.exportBoardPictures(), KestrixError);
    EXPECT_EQ(writtenPictures(), QStringList{QStringLiteral("Platte (1).jpg")});
}

// --- printing ---------------------------------------------------------------------------

// The footer is the title, the document, the page and the time of printing.
::testing::AssertionResult footerIs(const QString &footer, const QString &start, const QDateTime &from,
                                    const QDateTime &to)
{
    if (!footer.startsWith(start))
        return ::testing::AssertionFailure() << footer.toStdString() << " does not start with " << start.toStdString();
    const QString time = footer.mid(start.size());
    for (QDateTime t = from.addSecs(-1); t <= to.addSecs(1); t = t.addSecs(1)) {
        if (time == QLocale::system().toString(t.time(), QLocale::LongFormat))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the time in " << footer.toStdString() << " is not the time of printing";
}

TEST_F(OutputFixture, PrintsTheChosenPagesEachAsAJob)
{
    apply(OtherTile, {7}); // a change, which printing leaves alone
    ASSERT_EQ(editor.cells()[7].tileId, OtherTile);
    prompter.pageChoices = {{1, 4, 2, 3}};
    const Snapshot before = snapshot();
    const QDateTime start = QDateTime::currentDateTime();

    editor.checkAndPrintBoard();

    const QDateTime end = QDateTime::currentDateTime();
    ASSERT_EQ(prompter.printRequests.size(), 1);
    EXPECT_EQ(prompter.printRequests[0].fromPage, 1);
    EXPECT_EQ(prompter.printRequests[0].toPage, 4);
    ASSERT_EQ(printer.jobs.size(), 2);
    // Quarter 2 has its strip below the square, quarter 3 left of it; a
    // field's large picture starts 50 pixels inside an outer edge of the
    // board and 1 pixel inside a centre line.
    const struct
    {
        QSize size;
        QPoint strip, square;
        int field;
        QPoint fieldAt;
    } pages[] = {
        {{1575, 1725}, {800, 1650}, {200, 200}, 7, {1 + 254, 50}},
        {{1725, 1575}, {75, 800}, {400, 200}, 78, {150 + 1, 1}},
    };
    for (int i = 0; i < 2; ++i) {
        const int page = i + 2;
        SCOPED_TRACE(page);
        const PrintPage &job = printer.jobs[i];
        EXPECT_EQ(job.jobTitle, QStringLiteral("Untitled"));
        EXPECT_EQ(job.number, page);
        EXPECT_TRUE(footerIs(job.footer, QStringLiteral("Board Editor - Untitled (%1/3)      ").arg(page), start, end));
        ASSERT_EQ(job.picture.size(), pages[i].size);
        EXPECT_EQ(job.picture.pixel(pages[i].strip), qRgb(255, 255, 255));
        EXPECT_EQ(job.picture.pixel(pages[i].square), qRgb(0, 0, 0));
        EXPECT_EQ(job.picture.pixel(pages[i].fieldAt + QPoint(8, 8)), colourOf(editor.cells()[size_t(pages[i].field)].tileId));
        EXPECT_EQ(job.target, printedRect(job.picture.size(), {printer.pageSize, printer.resolution}));
        EXPECT_EQ(job.footerAt, QPoint(100, 6800 - 90));
    }
    EXPECT_EQ(printer.jobs[0].target, QRect(550, 1374, 3701, 4053));
    EXPECT_EQ(printer.jobs[1].target, QRect(374, 1550, 4053, 3701));
    EXPECT_FALSE(QFileInfo::exists(temporaryFile()));
    EXPECT_EQ(busySignals, (QList<bool>{true, false}));
    EXPECT_TRUE(sameState(before, snapshot()));

    // The dialog offers the pages chosen last.
    editor.checkAndPrintBoard();
    ASSERT_EQ(prompter.printRequests.size(), 2);
    EXPECT_EQ(prompter.printRequests[1].fromPage, 2);
    EXPECT_EQ(prompter.printRequests[1].toPage, 3);
    EXPECT_EQ(printer.jobs.size(), 2) << "the second dialog was cancelled";
}

TEST_F(OutputFixture, PrintsAllFourPagesOfASavedBoard)
{
    saveAs(QStringLiteral("Platte.zvb"));
    prompter.pageChoices = {{1, 4, 1, 4}};
    const QDateTime start = QDateTime::currentDateTime();
    editor.printBoard();
    const QDateTime end = QDateTime::currentDateTime();
    ASSERT_EQ(printer.jobs.size(), 4);
    for (int page = 1; page <= 4; ++page) {
        EXPECT_EQ(printer.jobs[page - 1].jobTitle, QStringLiteral("Platte.zvb"));
        EXPECT_TRUE(footerIs(printer.jobs[page - 1].footer,
                             QStringLiteral("Board Editor - %1 (%2/4)      ").arg(boardPath(QStringLiteral("Platte.zvb"))).arg(page),
                             start, end));
    }
    EXPECT_FALSE(QFileInfo::exists(temporaryFile()));
}

TEST_F(OutputFixture, PrintsNothingForAnEmptyRangeOrACancelledDialog)
{
    prompter.pageChoices = {{1, 4, 3, 2}};
    editor.printBoard();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(temporaryFile()));
    editor.printBoard();
    EXPECT_EQ(prompter.printRequests.size(), 2);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(busySignals, (QList<bool>{true, false})) << "the cancelled dialog started nothing";
}

TEST_F(OutputFixture, AFailingPrinterKeepsThePagesPrinted)
{
    printer.failingJob = 2;
    prompter.pageChoices = {{1, 4, 1, 4}};
    EXPECT_THROW(editor.printBoard(), KestrixError);
    EXPECT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(busySignals, (QList<bool>{true, false}));
    EXPECT_FALSE(QFileInfo::exists(temporaryFile())) << "printing writes no file, also when it fails";
}

// Printing goes from memory: a link laid in the program folder under the
// name the page picture used to take is not followed, and each page is,
// pixel for pixel, the picture the way through a bitmap file gave.
TEST_F(OutputFixture, PrintingWritesNoFileNotEvenThroughALink)
{
    const auto writeFile = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const QString victim = picturePath(QStringLiteral("victim.txt"));
    ASSERT_TRUE(writeFile(victim, "keep me"));
    ASSERT_TRUE(QFile::link(victim, temporaryFile()));
    const auto entries = [this] {
        return QDir(folder.programFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    };
    const QStringList before = entries();
    prompter.pageChoices = {{1, 4, 1, 4}};
    editor.printBoard();
    ASSERT_EQ(printer.jobs.size(), 4);
    QFile kept(victim);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
    EXPECT_EQ(entries(), before);
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        QByteArray bitmap;
        QBuffer buffer(&bitmap);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(renderBoardQuarter(editor.pictureSource(), page).save(&buffer, "BMP"));
        ASSERT_TRUE(writeFile(picturePath(QStringLiteral("page.bmp")), bitmap));
        EXPECT_EQ(printer.jobs[page - 1].picture, loadBitmap(picturePath(QStringLiteral("page.bmp"))));
    }
}

} // namespace

TEST_F(OutputFixture, PrintsFromAReadOnlyProgramFolder)
{
    ReadOnlyMount mount;
    if (!mount.mounted())
        GTEST_SKIP() << "no read-only folder can be mounted here (mounting needs root): " << mount.error();
    ASSERT_TRUE(QDir(mount.path()).mkpath(QStringLiteral("Images")));
    for (const QString &name : QDir(folder.programFolder() + QStringLiteral("Images")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(folder.programFolder() + QStringLiteral("Images/") + name,
                                mount.path() + QStringLiteral("Images/") + name));
    ASSERT_TRUE(mount.makeReadOnly());
    ASSERT_TRUE(QDir().mkpath(folder.userFolder()));

    // The same page, printed from the writable folder and from the read-only one.
    prompter.pageChoices = {{1, 4, 2, 2}, {1, 4, 2, 2}};
    editor.printBoard();
    editor.setProgramFolder(mount.path());
    editor.printBoard();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(printer.jobs[1].picture, printer.jobs[0].picture);
    EXPECT_FALSE(QFileInfo::exists(folder.userFolder() + QStringLiteral("~Temp.bmp")));
}
