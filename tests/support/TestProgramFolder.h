#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
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

private:
    QTemporaryDir m_dir;
};

} // namespace kestrix
