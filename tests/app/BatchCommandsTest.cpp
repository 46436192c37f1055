#include "app/BatchCommands.h"

#include "app/Editor.h"
#include "catalogue/CellPicture.h"
#include "catalogue/JpegWriter.h"
#include "document/BoardFile.h"
#include "document/Settings.h"
#include "language/Language.h"
#include "output/BoardQuarter.h"
#include "output/BoardThumbnail.h"
#include "output/WholeBoardPicture.h"
#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"

#include "support/Files.h"
#include "support/FullFolder.h"
#include "support/ImageCompare.h"
#include "support/PdfPlacement.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kestrix;

namespace {

const QString BinDir = QStringLiteral(KESTRIX_BIN_DIR "/");

QString bundledBoard(const char *name)
{
    return BinDir + QStringLiteral("Boards/") + QLatin1String(name);
}

// What the window has once it started on the bundled tile set and opened board.
void openBundledBoard(Editor &editor, const char *board)
{
    editor.setProgramFolder(BinDir);
    editor.loadResources(Resources::LanguageStep | Resources::CatalogueStep | Resources::StepMarksStep);
    editor.loadBoard(bundledBoard(board));
}

// The whole picture with every field's board picture stretched over its
// large picture's square: what a preview made from the board pictures
// approximates.
QImage stretchedBoardPictures(const BoardPictureSource &source)
{
    QImage image(WholeBoardSize, WholeBoardSize, BitmapFormat);
    image.fill(Qt::black);
    CellPicture cellPicture(source.catalogue, source.stepMarks, source.programFolder);
    QImage picture;
    for (int n = 0; n < CellCount; ++n) {
        const Field &cell = source.cells[size_t(n)];
        cellPicture.composeCellPicture(cell.tileId, 0, picture, cell.steps, cell.rotation);
        drawUnscaled(image, picture.scaled(253, 253, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                     wholeBoardCellOrigin(n));
    }
    return image;
}

// The largest mean difference over one field's area between two pictures
// of the whole board fitted into one square.
double worstFieldDifference(const QImage &a, const QImage &b)
{
    // The preview pixel holding a full-size pixel.
    const auto at = [side = a.width()](QPoint p) {
        return QPoint(p.x() * side / WholeBoardSize, p.y() * side / WholeBoardSize);
    };
    double worst = 0;
    for (int n = 0; n < CellCount; ++n) {
        const QRect field(at(wholeBoardCellOrigin(n)), at(wholeBoardCellOrigin(n) + QPoint(252, 252)));
        worst = std::max(worst, meanAbsoluteDifference(a.copy(field), b.copy(field)));
    }
    return worst;
}

// The bundled program folder with a user folder of its own whose settings
// choose German; the commands run in process.
class Batch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Settings settings;
        settings.OpLanguage = QStringLiteral("DE");
        writeSettings(settings, userFolder());
        settingsBefore = readFile(userFolder() + QStringLiteral("Kestrix.ini"));
        german.load(BinDir, QStringLiteral("DE"));
    }

    void TearDown() override
    {
        EXPECT_EQ(readFile(userFolder() + QStringLiteral("Kestrix.ini")), settingsBefore)
            << "the commands never write the settings";
    }

    QString userFolder() const { return dir.filePath(QStringLiteral("profile/Kestrix/")); }
    QString path(const QString &name) const { return dir.filePath(name); }

    int run(const QStringList &arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return runBatchCommand(parseCommandLine(arguments), {BinDir, userFolder()}, outStream, errStream);
    }

    // A board of ground plates with the tiles given on fields 0, 1, ...
    QString writeBoard(const QString &name, const QList<int> &tiles) const
    {
        BoardFields cells;
        for (int k = 0; k < CellCount; ++k)
            cells[size_t(k)].tileId = k < tiles.size() ? tiles[k] : 0;
        saveBoardFile(path(name), cells);
        return path(name);
    }

    QTemporaryDir dir;
    QByteArray settingsBefore;
    Language german;
    QString out;
    QString err;
};

TEST_F(Batch, CheckGivesAVerdictPerBoardAndTheWorstStatus)
{
    const QString factory = bundledBoard("Factory.zvb");
    const QString once = writeBoard(QStringLiteral("Once.zvb"), {5012});
    const QString thrice = writeBoard(QStringLiteral("Thrice.zvb"), {5003, 5103, 5203});
    const QString missing = path(QStringLiteral("Missing.zvb"));
    const QString passed = german.buildMessage(1).text;
    const QString onceText = german.buildMessage(7, QStringLiteral("Once")).text;
    const QString thriceText = german.buildMessage(8, QStringLiteral("Thrice")).text;
    ASSERT_NE(passed, onceText);

    const struct {
        QStringList boards;
        int status;
        QStringList lines;
    } cases[] = {
        {{factory}, 0, {factory + QStringLiteral(": ") + passed}},
        {{factory, once}, 1, {factory + QStringLiteral(": ") + passed, once + QStringLiteral(": ") + onceText}},
        {{thrice, factory}, 1, {thrice + QStringLiteral(": ") + thriceText, factory + QStringLiteral(": ") + passed}},
        {{missing, factory}, 2, {factory + QStringLiteral(": ") + passed}},
        {{once, missing}, 2, {once + QStringLiteral(": ") + onceText}},
        // A folder is no board.
        {{dir.path() + QStringLiteral("/profile/Kestrix")}, 2, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.boards.join(u' ').toStdString());
        EXPECT_EQ(run(QStringList{QStringLiteral("--check")} + c.boards), c.status);
        EXPECT_EQ(out, c.lines.isEmpty() ? QString() : c.lines.join(u'\n') + u'\n');
        EXPECT_EQ(err.isEmpty(), c.status < 2) << err.toStdString();
    }
    run({QStringLiteral("--check"), missing});
    EXPECT_TRUE(err.startsWith(missing + QStringLiteral(": "))) << err.toStdString();
    EXPECT_EQ(err.count(u'\n'), 1);
}

// Each board's verdict stays on its line whatever its name holds: control
// characters are shown escaped, in the path and in the verdict, and so is a
// backslash, so no name can pass for another.
TEST_F(Batch, CheckShowsEachBoardOnOneLine)
{
    const struct
    {
        const char *name;
        const char *shown;
        const char *inVerdict; // a backslash ends a folder part there
    } names[] = {
        {"a\nb", "a\\nb", "a\\nb"},
        {"c\r\td", "c\\r\\td", "c\\r\\td"},
        {"e\x1b[2Jf", "e\\x1b[2Jf", "e\\x1b[2Jf"},
        {"g\\nh", "g\\\\nh", "nh"},
        {"i\xe2\x80\xa8j", "i\\u2028j", "i\\u2028j"},
    };
    QStringList boards;
    QString expected;
    for (const auto &n : names) {
        const QString name = QString::fromUtf8(n.name);
        boards.append(writeBoard(name + QStringLiteral(".zvb"), {5012}));
        expected += path(QString::fromUtf8(n.shown) + QStringLiteral(".zvb: "))
                    + german.buildMessage(7, QString::fromUtf8(n.inVerdict)).text + u'\n';
    }
    EXPECT_EQ(run(QStringList{QStringLiteral("--check")} + boards), 1);
    EXPECT_EQ(out, expected);

    EXPECT_EQ(run({QStringLiteral("--check"), path(QStringLiteral("gone\nboard.zvb"))}), 2);
    EXPECT_TRUE(err.startsWith(path(QStringLiteral("gone\\nboard.zvb: ")))) << err.toStdString();
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
}

// An output that names a folder, or that is the board or another file the
// command reads (also through a link), is refused before anything is written.
TEST_F(Batch, OutputsThatAreFoldersOrInputsAreRefusedBeforeWriting)
{
    const QString board = path(QStringLiteral("B.zvb"));
    ASSERT_TRUE(QFile::copy(bundledBoard("Factory.zvb"), board));
    const QByteArray boardBytes = readFile(board);
    const QString folder = path(QStringLiteral("out"));
    const QString settings = userFolder() + QStringLiteral("Kestrix.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(board, path(QStringLiteral("link.pdf"))));
    ASSERT_TRUE(QFile::link(board, path(QStringLiteral("q (3).jpg"))));
    ASSERT_EQ(::link(QFile::encodeName(board).constData(), QFile::encodeName(path(QStringLiteral("hard.pdf"))).constData()), 0);
    const auto files = [this] {
        QStringList names;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            names.append(it.next());
        names.sort();
        return names;
    };
    const QStringList before = files();

    const struct
    {
        QStringList arguments;
        ErrorText text;
        QStringList names;
    } rows[] = {
        {{QStringLiteral("--print-pdf"), board, board}, ErrorTexts::OutputIsInput, {board, board}},
        {{QStringLiteral("--print-pdf"), board, path(QStringLiteral("link.pdf"))}, ErrorTexts::OutputIsInput,
         {path(QStringLiteral("link.pdf")), board}},
        {{QStringLiteral("--print-pdf"), board, path(QStringLiteral("hard.pdf"))}, ErrorTexts::OutputIsInput,
         {path(QStringLiteral("hard.pdf")), board}},
        {{QStringLiteral("--print-pdf"), board, settings}, ErrorTexts::OutputIsInput, {settings, settings}},
        {{QStringLiteral("--export"), board, path(QStringLiteral("q.jpg"))}, ErrorTexts::OutputIsInput,
         {path(QStringLiteral("q (3).jpg")), board}},
        {{QStringLiteral("--export"), board, folder + u'/'}, ErrorTexts::FileIsFolder, {folder + u'/'}},
        {{QStringLiteral("--export"), board, folder}, ErrorTexts::FileIsFolder, {folder}},
        {{QStringLiteral("--export"), board, path(QStringLiteral("new/"))}, ErrorTexts::FileIsFolder,
         {path(QStringLiteral("new/"))}},
        {{QStringLiteral("--print-pdf"), board, folder + u'/'}, ErrorTexts::FileIsFolder, {folder + u'/'}},
        {{QStringLiteral("--print-pdf"), board, folder}, ErrorTexts::FileIsFolder, {folder}},
        {{QStringLiteral("--export-png"), board, path(QStringLiteral("link.pdf"))}, ErrorTexts::OutputIsInput,
         {path(QStringLiteral("link.pdf")), board}},
        {{QStringLiteral("--export-png"), board, folder}, ErrorTexts::FileIsFolder, {folder}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        EXPECT_EQ(run(row.arguments), 2);
        EXPECT_EQ(err, german.errorText(KestrixError(row.text, row.names)) + u'\n');
        EXPECT_EQ(readFile(board), boardBytes);
        EXPECT_EQ(files(), before);
    }
}

// The command line, the menu command and one quarter after the other all
// give the same bytes.
TEST_F(Batch, ExportWritesWhatTheMenuCommandWrites)
{
    ScriptedPrompter prompter;
    Editor editor(prompter);
    openBundledBoard(editor, "Factory.zvb");
    prompter.files = {path(QStringLiteral("menu.jpg"))};
    editor.checkAndExportBoard();

    ASSERT_TRUE(QFile::copy(bundledBoard("Factory.zvb"), path(QStringLiteral("Factory.zvb"))));
    ASSERT_EQ(run({QStringLiteral("--export"), bundledBoard("Factory.zvb"), path(QStringLiteral("cli.x.jpg"))}), 0)
        << err.toStdString();
    ASSERT_EQ(run({QStringLiteral("--export"), path(QStringLiteral("Factory"))}), 0) << err.toStdString();
    EXPECT_TRUE(out.isEmpty());

    for (int q = 1; q <= 4; ++q) {
        SCOPED_TRACE(q);
        const QByteArray serial = convertToJpeg(renderBoardQuarter(editor.pictureSource(), q));
        EXPECT_EQ(readFile(path(QStringLiteral("menu (%1).jpg").arg(q))), serial);
        EXPECT_EQ(readFile(path(QStringLiteral("cli.x (%1).jpg").arg(q))), serial);
        EXPECT_EQ(readFile(path(QStringLiteral("Factory (%1).jpg").arg(q))), serial);
    }
}

// The command line and the menu command write the same picture; --scale
// resizes it.
TEST_F(Batch, ExportPngWritesWhatTheMenuCommandWrites)
{
    ScriptedPrompter prompter;
    Editor editor(prompter);
    openBundledBoard(editor, "Factory.zvb");
    prompter.files = {path(QStringLiteral("menu.png"))};
    editor.checkAndExportWholeBoard();

    ASSERT_EQ(run({QStringLiteral("--export-png"), bundledBoard("Factory"), path(QStringLiteral("cli.png"))}), 0)
        << err.toStdString();
    ASSERT_EQ(run({QStringLiteral("--export-png"), bundledBoard("Factory"), path(QStringLiteral("small.png")),
                   QStringLiteral("--scale"), QStringLiteral("25")}),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.isEmpty());

    const QImage whole = renderWholeBoard(editor.pictureSource());
    const QByteArray menu = readFile(path(QStringLiteral("menu.png")));
    EXPECT_EQ(readFile(path(QStringLiteral("cli.png"))), menu);
    EXPECT_EQ(QImage::fromData(menu, "PNG").convertToFormat(BitmapFormat), whole);
    EXPECT_EQ(QImage::fromData(readFile(path(QStringLiteral("small.png"))), "PNG").convertToFormat(BitmapFormat),
              scaledWholeBoard(whole, 25));
}

// A preview is the one picture fitted into its square, also of a board that
// fails the check; a board that cannot be read gives none. It is drawn at its
// size, not scaled down from the full picture: up to 57 pixels per field from
// the fields' board pictures, a separate drawing of the same art, above that
// from the large ones. On every field it stays close to the smoothly scaled
// picture of what it was drawn from; a field a few pixels out of place or
// showing another tile is farther off.
TEST_F(Batch, ThumbnailFitsTheWholePictureWhetherOrNotTheBoardPasses)
{
    ScriptedPrompter prompter;
    Editor editor(prompter);
    editor.setProgramFolder(BinDir);
    editor.loadResources(Resources::CatalogueStep);
    editor.loadResources(Resources::StepMarksStep);
    editor.loadBoard(bundledBoard("Unpaired.zvb"));
    const QImage whole = renderWholeBoard(editor.pictureSource());
    const auto preview = [this](const QString &name) {
        return QImage::fromData(readFile(path(name)), "PNG").convertToFormat(BitmapFormat);
    };

    ASSERT_EQ(run({QStringLiteral("--thumbnail"), bundledBoard("Unpaired"), path(QStringLiteral("t.png"))}), 0)
        << err.toStdString();
    EXPECT_TRUE(out.isEmpty() && err.isEmpty());
    EXPECT_EQ(preview(QStringLiteral("t.png")), renderBoardThumbnail(editor.pictureSource(), 256));
    EXPECT_EQ(preview(QStringLiteral("t.png")).size(), QSize(256, 256));
    ASSERT_EQ(run({QStringLiteral("--thumbnail"), bundledBoard("Unpaired"), path(QStringLiteral("s.png")),
                   QStringLiteral("16")}),
              0);
    EXPECT_EQ(preview(QStringLiteral("s.png")).size(), QSize(16, 16));

    Editor factory(prompter);
    openBundledBoard(factory, "Factory.zvb");
    const QImage factoryWhole = renderWholeBoard(factory.pictureSource());
    for (const auto &[board, picture] : {std::pair(&editor, whole), std::pair(&factory, factoryWhole)}) {
        const QImage stretched = stretchedBoardPictures(board->pictureSource());
        for (const int side : {16, 100, 256, 333, 709, 710, 1024}) {
            const QImage small = renderBoardThumbnail(board->pictureSource(), side);
            ASSERT_EQ(small.size(), QSize(side, side));
            const QImage &drawnFrom = side <= 709 ? stretched : picture;
            EXPECT_LT(worstFieldDifference(small, scaledToFit(drawnFrom, side)), 2.5) << side;
        }
    }

    const QString board = writeBoard(QStringLiteral("B.zvb"), {});
    EXPECT_EQ(run({QStringLiteral("--thumbnail"), board, board}), 2);
    EXPECT_EQ(run({QStringLiteral("--thumbnail"), path(QStringLiteral("Missing")), path(QStringLiteral("m.png"))}), 2);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("m.png"))));
}

TEST_F(Batch, ExportAndPrintingStopAtAFailingCheck)
{
    const QString once = writeBoard(QStringLiteral("Once.zvb"), {5012});
    EXPECT_EQ(run({QStringLiteral("--export"), once, path(QStringLiteral("o.jpg"))}), 1);
    EXPECT_EQ(err, once + QStringLiteral(": ") + german.buildMessage(7, QStringLiteral("Once")).text + u'\n');
    EXPECT_EQ(run({QStringLiteral("--print-pdf"), once, path(QStringLiteral("o.pdf"))}), 1);
    EXPECT_EQ(run({QStringLiteral("--export-png"), once, path(QStringLiteral("o.png"))}), 1);
    EXPECT_EQ(err, once + QStringLiteral(": ") + german.buildMessage(7, QStringLiteral("Once")).text + u'\n');
    EXPECT_EQ(run({QStringLiteral("--export"), path(QStringLiteral("Missing"))}), 2);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("o (*"), QStringLiteral("o.*")}, QDir::Files), QStringList());
}

TEST_F(Batch, PrintPdfLaysOutThePagesOfThePrintCommand)
{
    ASSERT_EQ(run({QStringLiteral("--print-pdf"), bundledBoard("Factory.zvb"), path(QStringLiteral("b.pdf")),
                   QStringLiteral("--pages"), QStringLiteral("2-3")}),
              0)
        << err.toStdString();
    const QByteArray pdf = readFile(path(QStringLiteral("b.pdf")));
    EXPECT_EQ(testpdf::PageCount(pdf), 2);
    const QList<QSizeF> sizes = testpdf::PictureSizesMm(pdf);
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(sizes[0].width(), 156.7, 0.5); // quarter 2 stands upright
    EXPECT_NEAR(sizes[0].height(), 171.6, 0.5);
    EXPECT_NEAR(sizes[1].width(), 171.6, 0.5);
    EXPECT_NEAR(sizes[1].height(), 156.7, 0.5);
}

TEST_F(Batch, AFullDiskIsReportedAndKeepsTheOldFiles)
{
    FullFolder full(QStringLiteral("b (1).jpg"), "old");
    if (!full.isValid())
        GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(run({QStringLiteral("--export"), bundledBoard("Factory.zvb"), full.filePath(QStringLiteral("b.jpg"))}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("b (1).jpg"))) << err.toStdString();
    EXPECT_EQ(readFile(full.filePath(QStringLiteral("b (1).jpg"))), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(full.filePath(QStringLiteral("b (2).jpg"))));

    EXPECT_EQ(run({QStringLiteral("--print-pdf"), bundledBoard("Factory.zvb"), full.filePath(QStringLiteral("b.pdf"))}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("b.pdf"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(full.filePath(QStringLiteral("b.pdf"))));
}

// --- the program itself --------------------------------------------------------------

struct Finished
{
    int status = -1;
    bool crashed = true;
    QString out;
    QString err;
};

// Runs the built program with no display at all and the user folder given.
Finished runProgram(const QStringList &arguments, const QString &userFolder,
                    const std::function<void()> &inChild = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("userprofile"), userFolder);
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(BinDir + QStringLiteral("kestrix"), arguments);
    Finished finished;
    if (!process.waitForFinished(120000))
        return finished;
    finished.crashed = process.exitStatus() != QProcess::NormalExit;
    finished.status = process.exitCode();
    finished.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    finished.err = QString::fromLocal8Bit(process.readAllStandardError());
    return finished;
}

TEST_F(Batch, TheProgramRunsTheCommandsWithoutADisplay)
{
    const QString profile = dir.filePath(QStringLiteral("profile"));
    const Finished check = runProgram({QStringLiteral("--check"), bundledBoard("Factory.zvb"), bundledBoard("Unpaired.zvb")},
                                      profile);
    EXPECT_FALSE(check.crashed);
    EXPECT_EQ(check.status, 1) << check.err.toStdString();
    EXPECT_EQ(check.out.count(u'\n'), 2);
    EXPECT_TRUE(check.out.contains(german.buildMessage(1).text)) << check.out.toStdString();

    const Finished pdf = runProgram({QStringLiteral("--print-pdf"), bundledBoard("Factory.zvb"), path(QStringLiteral("p.pdf"))},
                                    profile);
    EXPECT_FALSE(pdf.crashed);
    EXPECT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_EQ(testpdf::PageCount(readFile(path(QStringLiteral("p.pdf")))), 4);

    const Finished usage = runProgram({QStringLiteral("--export")}, profile);
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.err.count(u'\n'), 1) << usage.err.toStdString();
}

// Verdicts that cannot be written are no success: a full or closed standard
// output ends the check with status 2 and a message on the error stream. A
// closed one stays closed for the verdicts: no file the program opens takes
// its number.
TEST_F(Batch, TheProgramReportsVerdictsThatGoNowhere)
{
    const struct
    {
        const char *name;
        std::function<void()> inChild;
        int reason;
    } outputs[] = {
        {"full",
         [] {
             const int full = ::open("/dev/full", O_WRONLY);
             ::dup2(full, STDOUT_FILENO);
         },
         ENOSPC},
        {"closed", [] { ::close(STDOUT_FILENO); }, EBADF},
    };
    for (const auto &output : outputs) {
        SCOPED_TRACE(output.name);
        const Finished check = runProgram({QStringLiteral("--check"), bundledBoard("Factory.zvb")},
                                          dir.filePath(QStringLiteral("profile")), output.inChild);
        EXPECT_FALSE(check.crashed);
        EXPECT_EQ(check.status, 2);
        EXPECT_EQ(check.err,
                  german.errorText(KestrixError(ErrorTexts::StandardOutput, {qt_error_string(output.reason)})) + u'\n');
    }
}

// A write beyond the file-size limit is an error like any other; the signal
// the system sends for it must not end the program.
TEST_F(Batch, AFileSizeLimitIsReportedNotFatal)
{
    const Finished limited = runProgram({QStringLiteral("--export"), bundledBoard("Factory.zvb"), path(QStringLiteral("l.jpg"))},
                                        dir.filePath(QStringLiteral("profile")), [] {
                                            const rlimit limit{64 * 1024, 64 * 1024};
                                            ::setrlimit(RLIMIT_FSIZE, &limit);
                                        });
    EXPECT_FALSE(limited.crashed);
    EXPECT_EQ(limited.status, 2);
    EXPECT_TRUE(limited.err.contains(QStringLiteral("l (1).jpg"))) << limited.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("l (1).jpg"))));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
