#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace kestrix {

// A program folder laid out as the build lays out bin/, with just enough in
// it to start: an empty tile catalogue and a UK language file. Tests add the
// files they need; the user folder lies beside it.
class TestProgramFolder
{
public:
    TestProgramFolder()
    {
        QDir(programFolder()).mkpath(QStringLiteral("Language"));
        QDir(programFolder()).mkpath(QStringLiteral("Boards"));
        write(QStringLiteral("InitList.ini"), QByteArray());
        write(QStringLiteral("Language/UK.txt"), "English\r\nTitle=Zorvan - Editor\r\nMenu1_Ctrl=Ctrl+\r\n");
    }

    bool isValid() const { return m_dir.isValid(); }
    QString programFolder() const { return m_dir.path() + QStringLiteral("/program/"); }
    QString userFolder() const { return m_dir.path() + QStringLiteral("/profile/Kestrix/"); }

    // Writes a file of the program folder; false when it cannot.
    bool write(const QString &relativePath, const QByteArray &content) const
    {
        QFile file(programFolder() + relativePath);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    bool remove(const QString &relativePath) const { return QFile::remove(programFolder() + relativePath); }

    // Writes the user's settings file, making the user folder; false when it
    // cannot.
    bool writeSettings(const QByteArray &content) const
    {
        QDir().mkpath(userFolder());
        QFile file(settingsPath());
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    // The user's settings file as it stands; empty when there is none.
    QByteArray settings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The English language file the board tests share: a title, the name of
    // a new board and the question about unsaved changes.
    bool writeBoardLanguage() const
    {
        return write(QStringLiteral("Language/UK.txt"), "English\r\nTitle=Board Editor\r\nNoFileName=Untitled\r\n"
                                                          "Text01=Save the changes to %s?\r\n");
    }

    // That language file and pictures of ground plates 0 to 2 and of tile:
    // the program folder the main window tests start on.
    bool writeWindowBasics(int tile) const
    {
        if (!writeBoardLanguage())
            return false;
        for (int id : {0, 1, 2, tile}) {
            if (!writeTilePictures(id, qRgb(30 + id % 200, 90, 150)))
                return false;
        }
        return true;
    }

    // A tile picture as the fixture draws it: size x size in colour with a
    // black top-left pixel, so every turn gives a different picture.
    static QImage tilePicture(int size, QRgb colour)
    {
        QImage picture(size, size, QImage::Format_RGB888);
        picture.fill(colour);
        picture.setPixel(0, 0, qRgb(0, 0, 0));
        return picture;
    }

    // Writes tile id's board picture (8 x 8) and large picture (16 x 16) to
    // Images/; false when it cannot.
    bool writeTilePictures(int id, QRgb colour = qRgb(0x40, 0x80, 0xC0)) const
    {
        QDir(programFolder()).mkpath(QStringLiteral("Images"));
        const auto name = [](int n) { return QStringLiteral("Images/%1.bmp").arg(n, 5, 10, QLatin1Char('0')); };
        return tilePicture(8, colour).save(programFolder() + name(id), "BMP")
               && tilePicture(16, colour).save(programFolder() + name(id + 10000), "BMP");
    }

    // Writes picture as a bitmap file of the program folder, making its
    // folder; false when it cannot.
    bool writePicture(const QString &relativePath, const QImage &picture) const
    {
        const QString path = programFolder() + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        return picture.save(path, "BMP");
    }

private:
    QString settingsPath() const { return userFolder() + QStringLiteral("Kestrix.ini"); }

    QTemporaryDir m_dir;
};

} // namespace kestrix
