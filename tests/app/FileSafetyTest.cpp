#include "catalogue/Catalogue.h"
#include "catalogue/ImageTransforms.h"
#include "catalogue/JpegWriter.h"
#include "document/BoardFile.h"
#include "document/Settings.h"
#include "editor/TileDefinition.h"
#include "language/Language.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include "support/QtPrinters.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrix;

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file below root with its bytes, but for what fills the disk.
QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() == u("filler"))
            continue;
        QFile file(path);
        files.insert(path.mid(root.size()), file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)");
    }
    return files;
}

// A folder whose file system is full: a small tmpfs of its own where the
// test may mount one, else a file size limit of nothing, which makes every
// write of this process fail as on a full disk.
class FullFileSystem
{
    QTemporaryDir m_dir; // first: root is made from it

public:
    FullFileSystem() : root(m_dir.path() + u("/fs"))
    {
        QDir().mkpath(root);
        m_mounted = ::mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=512k") == 0;
        root += u'/';
    }
    ~FullFileSystem()
    {
        release();
        if (m_mounted)
            ::umount2(QFile::encodeName(root).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool fill()
    {
        if (!m_mounted) {
            m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
            ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
            const rlimit none{0, m_oldLimit.rlim_max};
            return m_limited = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
        }
        QFile filler(root + u("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray chunk(4096, 'x');
        while (filler.write(chunk) == chunk.size()) {
        }
        return true;
    }
    void release()
    {
        if (!m_limited)
            return;
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldSignal);
        m_limited = false;
    }
    bool mounted() const { return m_mounted; }

    QString root;

private:
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit{};
    void (*m_oldSignal)(int) = SIG_DFL;
};

Catalogue catalogueOf(int lines)
{
    QList<QByteArray> list;
    for (int i = 0; i < lines; ++i)
        list.append("P" + QByteArray::number(10000 + i).right(5) + "=0100" + QByteArray::number(i % 10));
    Catalogue catalogue;
    catalogue.setLines(list);
    return catalogue;
}

} // namespace

// Each writer on a full disk reports the failure and leaves every file as it
// was, the file it replaces included; no temporary file stays behind.
TEST(FullDisk, EveryWriterReportsAndKeepsTheOldFile)
{
    const QImage picture = QImage(64, 64, QImage::Format_RGB888);
    const struct
    {
        const char *name;
        std::function<bool(const QString &root)> prepare;
        std::function<void(const QString &root)> write;
    } writers[] = {
        {"board", [](const QString &root) { return writeFile(root + u("Plan.zvb"), "01\r\n"); },
         [](const QString &root) { SaveBoardFile(root + u("Plan.zvb"), BoardCells{}); }},
        {"settings", [](const QString &root) { return writeFile(root + u("profile/Kestrix.ini"), "[Options]\r\n"); },
         [](const QString &root) { WriteSettings(Settings{}, root + u("profile/")); }},
        {"catalogue", [](const QString &root) { return writeFile(root + u("InitList.ini"), "P01234=01004\r\n"); },
         [](const QString &root) { catalogueOf(200).save(root + u("InitList.ini")); }},
        {"picture export", [](const QString &root) { return writeFile(root + u("Plan1.jpg"), "old picture"); },
         [&picture](const QString &root) { SaveJpeg(picture, root + u("Plan1.jpg")); }},
        {"tile renumbering",
         [](const QString &root) {
             return writeFile(root + u("program/InitList.ini"), "P01234=01004\r\n")
                    && writeFile(root + u("program/Images/01234.bmp"), "small")
                    && writeFile(root + u("program/Images/11234.bmp"), "large");
         },
         [](const QString &root) {
             Catalogue catalogue = catalogueOf(1);
             const QList<QByteArray> before = catalogue.lines();
             TileFileLine line{3, u("01234.bmp")};
             TileDefinition definition = ReadTileDefinition(catalogue, 1234);
             definition.number = u("01235");
             try {
                 ApplyTileDefinition(catalogue, root + u("program/"), line, definition);
             } catch (const KestrixError &) {
                 EXPECT_EQ(catalogue.lines(), before);
                 EXPECT_EQ(line.fileName, u("01234.bmp"));
                 throw;
             }
         }},
    };
    for (const auto &writer : writers) {
        SCOPED_TRACE(writer.name);
        FullFileSystem disk;
        ASSERT_TRUE(writer.prepare(disk.root));
        ASSERT_TRUE(disk.fill());
        const QMap<QString, QByteArray> before = tree(disk.root);
        EXPECT_THROW(writer.write(disk.root), KestrixError);
        disk.release();
        EXPECT_EQ(tree(disk.root), before);
        if (!disk.mounted())
            RecordProperty("full disk", "no tmpfs here: a file size limit of nothing stands in for it");
    }
}

// Every reader refuses what is not a short regular file, quickly and with
// the file's name, instead of hanging on it or reading without end.
TEST(HostileFiles, EveryReaderRefusesThemByName)
{
    const struct
    {
        const char *name;
        const char *file;
        std::function<void(const QString &program)> read;
    } readers[] = {
        {"board", "Plan.zvb", [](const QString &p) { LoadBoardFile(p + u("Plan.zvb")); }},
        {"catalogue", "InitList.ini", [](const QString &p) { Catalogue().load(p + u("InitList.ini")); }},
        {"language", "Language/XX.txt", [](const QString &p) { Language().LoadLanguage(p, u("XX")); }},
        {"settings", "Kestrix.ini", [](const QString &p) { ReadSettings(p + u("profile/"), p); }},
        {"picture", "Images/01234.bmp", [](const QString &p) { LoadBitmap(p + u("Images/01234.bmp")); }},
    };
    const struct
    {
        const char *name;
        std::function<bool(const QString &path)> make;
    } kinds[] = {
        {"FIFO", [](const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }},
        {"link to /dev/zero", [](const QString &path) { return QFile::link(u("/dev/zero"), path); }},
        {"folder", [](const QString &path) { return QDir().mkpath(path); }},
        {"huge file",
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.resize(qint64(100) << 20);
         }},
    };
    for (const auto &reader : readers) {
        for (const auto &kind : kinds) {
            SCOPED_TRACE(std::string(reader.name) + ", " + kind.name);
            QTemporaryDir dir;
            const QString program = dir.path() + u("/");
            const QString path = program + u(reader.file);
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            ASSERT_TRUE(kind.make(path));
            try {
                reader.read(program);
                ADD_FAILURE() << "read without an error";
            } catch (const KestrixError &error) {
                EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(path))) << error.what();
            }
        }
    }
}

// A save killed at any moment leaves the complete old or the complete new
// file, never a mixture or a cut one, and at most one temporary file.
TEST(KilledSaves, LeaveTheOldOrTheNewFileWhole)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u("/");
    const QString boardPath = folder + u("Plan.zvb");
    const QString catalogePath = folder + u("InitList.ini");

    struct Version
    {
        BoardCells cells;
        Settings settings;
        Catalogue catalogue;
    };
    Version versions[2];
    for (int v = 0; v < 2; ++v) {
        for (int k = 0; k < CellCount; ++k)
            versions[v].cells[size_t(k)].Tag = v * 1000 + k;
        versions[v].settings.OpLanguage = v ? u("FR") : u("DE");
        versions[v].settings.OpGroundPlates = v;
        versions[v].catalogue = catalogueOf(v ? 3000 : 50);
    }
    const auto save = [&](const Version &version) {
        SaveBoardFile(boardPath, version.cells);
        WriteSettings(version.settings, folder);
        version.catalogue.save(catalogePath);
    };
    const auto expected = [&](const Version &version) {
        QByteArray board;
        QBuffer buffer(&board);
        buffer.open(QIODevice::WriteOnly);
        SaveBoardFile(buffer, version.cells);
        QByteArray catalogue;
        for (const QByteArray &line : version.catalogue.lines())
            catalogue += line + "\r\n";
        return QMap<QString, QByteArray>{{u("Plan.zvb"), board},
                                         {u("Kestrix.ini"), SettingsText(version.settings)},
                                         {u("InitList.ini"), catalogue}};
    };
    const QMap<QString, QByteArray> old = expected(versions[0]);
    const QMap<QString, QByteArray> fresh = expected(versions[1]);
    ASSERT_NO_THROW(save(versions[0]));

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, 4000);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                try {
                    save(versions[(i + 1) % 2]);
                } catch (...) {
                    ::_exit(1);
                }
            }
        }
        ::usleep(useconds_t(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saves failed in round " << round;
        for (auto it = old.cbegin(); it != old.cend(); ++it) {
            QFile file(folder + it.key());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(it.key());
            const QByteArray bytes = file.readAll();
            ASSERT_TRUE(bytes == it.value() || bytes == fresh[it.key()])
                << qPrintable(it.key()) << " in round " << round << ": " << bytes.size() << " bytes";
            ASSERT_LE(QDir(folder).entryList({it.key() + u(".*")}, QDir::Files).size(), 1);
        }
    }
}
