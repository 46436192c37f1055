#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestrix {

// The boards opened or saved last, most recent first, kept in a file of their
// own in the per-user folder beside the settings file: one full path a line.
class RecentBoards
{
public:
    static constexpr qsizetype MaxCount = 8;

    // userFolder + "RecentBoards.txt".
    static QString filePath(const QString &userFolder);

    const QStringList &paths() const { return m_paths; }

    // path, made absolute from the current folder, comes first; an older
    // entry of it goes, and the oldest beyond MaxCount. A path that cannot
    // stand on a line of the file is not kept.
    void add(const QString &path);
    // True when path was in the list.
    bool remove(const QString &path);

    // The list in a file's text: empty and relative lines, lines that repeat
    // a path and lines beyond MaxCount are left out.
    static RecentBoards parse(const QByteArray &text);
    QByteArray text() const;

    // The list of the file in userFolder; empty when there is none or it is
    // not a plain readable file. Never throws: the list is a convenience and
    // start-up does not depend on it.
    static RecentBoards read(const QString &userFolder);
    // Creates the user folder for its owner alone and replaces the file
    // through the safe save; throws KestrixError naming the folder or file
    // when it cannot be written. Without a user folder (a tool that
    // set none) the list stays in memory: it never lands in the current folder.
    void write(const QString &userFolder) const;

private:
    QStringList m_paths;
};

} // namespace kestrix
