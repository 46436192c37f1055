#pragma once

#include <QString>

namespace kestrix {

// What the window holds: no board, a new board that has no file yet, or a
// board with the full path of its file.
class DocumentState
{
public:
    enum class Kind { NoBoard, NewBoard, BoardFile };

    DocumentState() = default;
    static DocumentState newBoard() { return DocumentState(Kind::NewBoard, QString()); }
    static DocumentState boardFile(const QString &path) { return DocumentState(Kind::BoardFile, path); }

    Kind kind() const { return m_kind; }
    bool isOpen() const { return m_kind != Kind::NoBoard; }
    bool isNewBoard() const { return m_kind == Kind::NewBoard; }
    bool hasFile() const { return m_kind == Kind::BoardFile; }
    // The board's file; empty unless hasFile().
    const QString &filePath() const { return m_path; }

    bool operator==(const DocumentState &other) const = default;

private:
    DocumentState(Kind kind, const QString &path) : m_kind(kind), m_path(path) {}

    Kind m_kind = Kind::NoBoard;
    QString m_path;
};

} // namespace kestrix
