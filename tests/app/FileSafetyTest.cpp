#include "catalogue/Catalogue.h"
#include "catalogue/ImageTransforms.h"
#include "catalogue/JpegWriter.h"
#include "document/BoardFile.h"
#include "document/RecentBoards.h"
#include "document/Settings.h"
#include "tiledefinition/TileDefinition.h"
#include "language/Language.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"
#include "support/Text.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <random>
#include <thread>

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrix;

namespace {

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
        if (!m_mounted)
            return m_limit.emplace(0).isSet();
        QFile filler(root + u("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray chunk(4096, 'x');
        while (filler.write(chunk) == chunk.size()) {
        }
        return true;
    }
    void release() { m_limit.reset(); }
    bool mounted() const { return m_mounted; }

    QString root;

private:
    bool m_mounted = false;
    std::optional<FileSizeLimit> m_limit;
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

// A writer of one file, named below root.
struct FileWriter
{
    const char *name;
    const char *file;
    std::function<void(const QString &root)> write;
};

const std::vector<FileWriter> &fileWriters()
{
    static const QImage picture = [] {
        QImage image(64, 64, QImage::Format_RGB888);
        image.fill(Qt::darkCyan);
        return image;
    }();
    static const std::vector<FileWriter> writers{
        {"board", "Plan.zvb", [](const QString &root) { saveBoardFile(root + u("Plan.zvb"), BoardFields{}); }},
        {"settings", "profile/Kestrix.ini", [](const QString &root) { writeSettings(Settings{}, root + u("profile/")); }},
        {"recent list", "profile/RecentBoards.txt",
         [](const QString &root) {
             RecentBoards recent;
             recent.add(u("/b/Plan.zvb"));
             recent.write(root + u("profile/"));
         }},
        {"catalogue", "InitList.ini", [](const QString &root) { catalogueOf(200).save(root + u("InitList.ini")); }},
        {"picture export", "Plan1.jpg", [](const QString &root) { saveJpeg(picture, root + u("Plan1.jpg")); }},
    };
    return writers;
}

// The key of the error at the end of the chain of causes.
QString innermostKey(const KestrixError &error)
{
    const KestrixError *inner = &error;
    while (inner->cause())
        inner = inner->cause();
    return inner->key();
}

mode_t typeOf(const QString &path, bool followLink = true)
{
    struct stat file{};
    const QByteArray name = QFile::encodeName(path);
    if ((followLink ? ::stat(name.constData(), &file) : ::lstat(name.constData(), &file)) != 0)
        return 0;
    return file.st_mode & S_IFMT;
}

} // namespace

// Each writer on a full disk reports the failure and leaves every file as it
// was, the file it replaces included; no temporary file stays behind.
TEST(FullDisk, EveryWriterReportsAndKeepsTheOldFile)
{
    struct Writer
    {
        const char *name;
        std::function<bool(const QString &root)> prepare;
        std::function<void(const QString &root)> write;
    };
    std::vector<Writer> writers;
    for (const FileWriter &writer : fileWriters()) {
        const QString file = u(writer.file);
        writers.push_back({writer.name, [file](const QString &root) { return writeFile(root + file, "old bytes\r\n"); },
                           writer.write});
    }
    writers.push_back(
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
             TileDefinition definition = readTileDefinition(catalogue, 1234);
             definition.number = u("01235");
             try {
                 applyTileDefinition(catalogue, root + u("program/"), line, definition);
             } catch (const KestrixError &) {
                 EXPECT_EQ(catalogue.lines(), before);
                 EXPECT_EQ(line.fileName, u("01234.bmp"));
                 throw;
             }
         }});
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

// What a writer's name leads to keeps its kind: a character device or a FIFO
// with a reader receives the bytes, also through a link; a folder, a socket,
// a block device, a FIFO without a reader and a write-protected file are
// refused by name and stay as they were; a file of another owner keeps its
// owner. No temporary file stays behind. The devices are nodes of the test's
// own, so a faulty writer replaces nothing of the system.
TEST(SpecialTargets, EveryWriterKeepsWhatTheNameLeadsTo)
{
    const bool root = ::geteuid() == 0;
    int reader = -1;
    const auto node = [](const QString &path, mode_t kind, dev_t device) {
        return ::mknod(QFile::encodeName(path).constData(), kind | 0666, device) == 0;
    };
    const auto link = [](const QString &target, const QString &path) { return QFile::link(target, path); };
    // Without the right to make nodes the system's own stand in: a writer
    // without root cannot replace them.
    const auto nullDevice = [&](const QString &spare) {
        return node(spare, S_IFCHR, makedev(1, 3)) ? spare : root ? QString() : u("/dev/null");
    };
    const auto fullDevice = [&](const QString &spare) {
        return node(spare, S_IFCHR, makedev(1, 7)) ? spare : root ? QString() : u("/dev/full");
    };
    const struct
    {
        const char *name;
        // Makes path; spare is a free name beside it. False: not possible here.
        std::function<bool(const QString &path, const QString &spare)> make;
        const char *error; // the key of the error, nullptr: written
        mode_t kind;       // of what path leads to afterwards
    } targets[] = {
        {"character device", [&](const QString &path, const QString &) { return node(path, S_IFCHR, makedev(1, 3)); },
         nullptr, S_IFCHR},
        {"link to a character device",
         [&](const QString &path, const QString &spare) {
             const QString device = nullDevice(spare);
             return !device.isEmpty() && link(device, path);
         },
         nullptr, S_IFCHR},
        {"link to a full device",
         [&](const QString &path, const QString &spare) {
             const QString device = fullDevice(spare);
             return !device.isEmpty() && link(device, path);
         },
         "SFileWriteError", S_IFCHR},
        {"FIFO with a reader",
         [&](const QString &path, const QString &) {
             if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
                 return false;
             reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
             return reader >= 0;
         },
         nullptr, S_IFIFO},
        {"FIFO without a reader",
         [](const QString &path, const QString &) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         "SFileNoReader", S_IFIFO},
        {"socket",
         [](const QString &path, const QString &) {
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const QByteArray name = QFile::encodeName(path);
             if (fd < 0 || size_t(name.size()) >= sizeof address.sun_path)
                 return false;
             std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
             const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
             ::close(fd);
             return bound;
         },
         "SFileWriteSpecial", S_IFSOCK},
        // A major number for local use, with no driver behind it.
        {"block device", [&](const QString &path, const QString &) { return node(path, S_IFBLK, makedev(240, 0)); },
         "SFileWriteSpecial", S_IFBLK},
        {"folder", [](const QString &path, const QString &) { return QDir().mkdir(path); }, "SFileIsFolder", S_IFDIR},
        {"write-protected file",
         [](const QString &path, const QString &) {
             return writeFile(path, "old bytes") && QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
         },
         "SFileWriteProtected", S_IFREG},
        {"file of another owner",
         [root](const QString &path, const QString &) {
             return root && writeFile(path, "old bytes")
                    && ::chown(QFile::encodeName(path).constData(), 1234, 1234) == 0
                    && ::chmod(QFile::encodeName(path).constData(), 0640) == 0;
         },
         nullptr, S_IFREG},
    };
    for (const FileWriter &writer : fileWriters()) {
        // What the writer writes into a plain new file.
        QTemporaryDir plain;
        writer.write(plain.path() + u("/"));
        const QByteArray expected = [&] {
            QFile file(plain.filePath(u(writer.file)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        ASSERT_FALSE(expected.isEmpty()) << writer.name;

        for (const auto &target : targets) {
            SCOPED_TRACE(std::string(writer.name) + ", " + target.name);
            QTemporaryDir dir;
            const QString root = dir.path() + u("/");
            const QString path = root + u(writer.file);
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            struct stat before{};
            if (!target.make(path, root + u("spare")) || ::stat(QFile::encodeName(path).constData(), &before) != 0) {
                RecordProperty(target.name, "cannot be made here");
                continue;
            }
            const mode_t linkKind = typeOf(path, false);
            try {
                writer.write(root);
                EXPECT_EQ(target.error, nullptr) << "written";
            } catch (const KestrixError &error) {
                EXPECT_EQ(innermostKey(error).toStdString(), target.error ? target.error : "(none)") << error.what();
                EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(path))) << error.what();
            }
            struct stat after{};
            ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
            EXPECT_EQ(after.st_mode & S_IFMT, target.kind);
            EXPECT_EQ(typeOf(path, false), linkKind) << "a link stays a link";
            // Only a regular file is replaced, and only when it is written.
            if (target.error || target.kind != S_IFREG) {
                EXPECT_EQ(after.st_ino, before.st_ino) << "replaced";
            }
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
            EXPECT_EQ(after.st_mode, before.st_mode);
            if (reader >= 0) {
                QByteArray received(int(expected.size()) + 1, '\0');
                EXPECT_EQ(::read(reader, received.data(), size_t(received.size())), expected.size());
                received.resize(expected.size());
                EXPECT_EQ(received, expected);
                ::close(reader);
                reader = -1;
            }
            if (target.kind == S_IFREG) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_EQ(file.readAll(), target.error ? QByteArray("old bytes") : expected);
            }
            const QString folder = QFileInfo(path).path();
            EXPECT_EQ(QDir(folder).entryList({QFileInfo(path).fileName() + u(".kestrix-*")}, QDir::AllEntries | QDir::Hidden),
                      QStringList());
        }
    }
}

// A reader that leaves a FIFO before all is written makes the write fail
// with a message, instead of the signal for it ending the program.
TEST(SpecialTargets, AReaderLeavingEarlyIsAnErrorNotTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, 0);
    // More than the pipe holds: the writer still writes when the reader,
    // having read its first byte, leaves.
    std::thread leaving([reader] {
        char byte = 0;
        while (::read(reader, &byte, 1) == 0) {
        }
        ::close(reader);
    });
    try {
        writeWholeFile(path, QByteArray(8 << 20, 'x'));
        ADD_FAILURE() << "written";
    } catch (const KestrixError &error) {
        EXPECT_TRUE(error.text().contains(qt_error_string(EPIPE))) << error.what();
    }
    // Should the write have failed before its first byte, the reader waits
    // for one still.
    const int wake = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
    if (wake >= 0) {
        [[maybe_unused]] const ssize_t woken = ::write(wake, "x", 1);
        ::close(wake);
    }
    leaving.join();
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
        {"board", "Plan.zvb", [](const QString &p) { loadBoardFile(p + u("Plan.zvb")); }},
        {"catalogue", "InitList.ini", [](const QString &p) { Catalogue().load(p + u("InitList.ini")); }},
        {"language", "Language/XX.txt", [](const QString &p) { Language().load(p, u("XX")); }},
        {"settings", "Kestrix.ini", [](const QString &p) { readSettings(p + u("profile/"), p); }},
        {"picture", "Images/01234.bmp", [](const QString &p) { loadBitmap(p + u("Images/01234.bmp")); }},
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
        BoardFields cells;
        Settings settings;
        Catalogue catalogue;
    };
    Version versions[2];
    for (int v = 0; v < 2; ++v) {
        for (int k = 0; k < CellCount; ++k)
            versions[v].cells[size_t(k)].tileId = v * 1000 + k;
        versions[v].settings.OpLanguage = v ? u("FR") : u("DE");
        versions[v].settings.OpGroundPlates = v;
        versions[v].catalogue = catalogueOf(v ? 3000 : 50);
    }
    const auto save = [&](const Version &version) {
        saveBoardFile(boardPath, version.cells);
        writeSettings(version.settings, folder);
        version.catalogue.save(catalogePath);
    };
    const auto expected = [&](const Version &version) {
        QByteArray board;
        QBuffer buffer(&board);
        buffer.open(QIODevice::WriteOnly);
        saveBoardFile(buffer, version.cells);
        QByteArray catalogue;
        for (const QByteArray &line : version.catalogue.lines())
            catalogue += line + "\r\n";
        return QMap<QString, QByteArray>{{u("Plan.zvb"), board},
                                         {u("Kestrix.ini"), settingsText(version.settings)},
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
