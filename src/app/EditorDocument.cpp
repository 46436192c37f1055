#include "app/Editor.h"

#include "catalogue/ImageTransforms.h"
#include "document/BoardFile.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace kestrix {

QString Editor::boardDisplayName() const
{
    if (m_documentFileName == NewBoardName)
        return m_language.noFileName();
    return FileBaseName(m_documentFileName);
}

QString Editor::windowTitle() const
{
    return m_language.windowTitle(m_documentFileName, boardDisplayName());
}

bool Editor::askSaveChanges()
{
    if (!m_boardModified)
        return true;
    switch (showMessage(0, boardDisplayName())) {
    case Answer::Yes:
        // A board that was not saved after all (its dialog cancelled) is not
        // dropped: the command that asked stops.
        return saveBoard();
    case Answer::No:
        setBoardModified(false);
        return true;
    default:
        return false;
    }
}

bool Editor::askSaveFileName()
{
    m_boardSaveDialog.fileName = m_documentFileName == NewBoardName ? QString() : m_documentFileName;
    const QString path = m_prompter.askSaveFile(m_boardSaveDialog);
    if (path.isEmpty())
        return false;
    m_documentFileName = path;
    return true;
}

void Editor::refreshDocumentState()
{
    emit documentChanged();
    m_undoRing.clear();
    emit undoChanged(false);
    emit redoChanged(false);
    if (isBoardOpen())
        selectField(0);
}

void Editor::newBoard()
{
    if (!askSaveChanges())
        return;
    const int group = groundPlateGroup();
    const int plates = m_palette.GroundPlateCount(group);
    BoardCells board = m_cells;
    for (int k = 0; k < CellCount; ++k) {
        TImgKarte &cell = board[size_t(k)];
        const int wallSide = WallPositionSide(k);
        if (m_settings.OpKonventNeedWall && wallSide != -1) {
            cell.Tag = 8000 + 100 * group;
            cell.Rotation = wallSide;
        } else {
            // The plate first, then its rotation: a seeded generator gives
            // the same board again.
            cell.Tag = 100 * group + random(plates);
            cell.Rotation = random(4);
        }
        cell.StepFlags = QStringLiteral("00000");
        QImage &work = m_cellPicture.WorkBitmap();
        work = LoadBitmap(m_cellPicture.TilePictureFileName(cell.Tag));
        cell.picture = TurnBitmap(cell.Rotation, work);
        cell.visible = true;
    }
    replaceBoard(board, NewBoardName, composeFieldSelection(board[0]));
}

void Editor::openBoard()
{
    if (!askSaveChanges())
        return;
    m_openDialog.fileName.clear();
    const QString path = m_prompter.askOpenFile(m_openDialog);
    if (!path.isEmpty())
        LoadBoardFile(path);
}

bool Editor::saveBoard()
{
    if (!isBoardOpen())
        return false;
    const QString previousFileName = m_documentFileName;
    if (m_documentFileName == NewBoardName) {
        if (!askSaveFileName())
            return false;
    } else if (fileChangedOnDisk()) {
        MessageBox box = m_language.buildKeyMessage(QStringLiteral("SaveChangedOnDisk"), BoxType::Warning,
                                                    {Answer::Yes, Answer::No, Answer::Cancel},
                                                    QDir::toNativeSeparators(m_documentFileName));
        box.buttons[0].caption = m_language.text(QStringLiteral("SaveOverwrite"));
        box.buttons[1].caption = m_language.text(QStringLiteral("SaveElsewhere"));
        switch (m_prompter.message(box)) {
        case Answer::Yes:
            break;
        case Answer::No:
            if (!askSaveFileName())
                return false;
            break;
        default:
            return false;
        }
    }
    writeBoardFile(previousFileName);
    return true;
}

bool Editor::saveBoardAs()
{
    if (!isBoardOpen())
        return false;
    const QString previousFileName = m_documentFileName;
    if (!askSaveFileName())
        return false;
    writeBoardFile(previousFileName);
    return true;
}

void Editor::closeBoard()
{
    if (!askSaveChanges())
        return;
    for (int n = 0; n < CellCount; ++n) {
        m_cells[size_t(n)].visible = false;
        emit cellChanged(n);
    }
    m_documentFileName.clear();
    refreshDocumentState();
}

void Editor::setBoardModified(bool modified)
{
    m_boardModified = modified;
    if (!modified) {
        m_recovery.remove();
        m_recoveryKept.clear();
    }
}

// The whole file is read and every picture composed, the selection's too,
// before the open board is touched, so a file or picture that cannot be read
// changes nothing.
void Editor::LoadBoardFile(const QString &path)
{
    const QByteArray bytes = ReadWholeFile(path, MaxBoardFileSize);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const BoardFileFields fields = kestrix::LoadBoardFile(buffer);
    BoardCells board;
    QImage selectionPicture;
    try {
        board = composeBoard(fields);
        selectionPicture = composeFieldSelection(board[0]);
    } catch (const KestrixError &error) {
        throw KestrixError(ErrorTexts::BoardOpen, {QDir::toNativeSeparators(path)}, error);
    }
    replaceBoard(board, path, std::move(selectionPicture));
    stampFile(path, bytes);
    rememberBoard(path);
    warnIfKeptElsewhere(path);
}

void Editor::ReportUndecodableBoard(const QString &name)
{
    m_prompter.message(m_language.buildKeyMessage(QStringLiteral("StartBoardUndecodable"), BoxType::Error,
                                                  {Answer::Ok}, name));
}

BoardCells Editor::composeBoard(const BoardFileFields &fields)
{
    BoardCells board = m_cells;
    for (int k = 0; k < CellCount; ++k) {
        const BoardFileField &line = fields[size_t(k)];
        TImgKarte &cell = board[size_t(k)];
        cell.Tag = line.tileId;
        cell.Rotation = line.rotation;
        cell.StepFlags = line.stepFlags;
        m_cellPicture.RedrawCellPicture(cell.Tag, 0, cell.picture, cell.StepFlags, cell.Rotation);
        cell.visible = true;
    }
    return board;
}

// A save that fails leaves the board under the name it had: a name chosen in
// the dialog counts only once the file is written.
void Editor::writeBoardFile(const QString &previousFileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    try {
        kestrix::SaveBoardFile(buffer, m_cells);
        WriteWholeFile(m_documentFileName, buffer.data());
    } catch (const KestrixError &) {
        m_documentFileName = previousFileName;
        throw;
    }
    stampFile(m_documentFileName, buffer.data());
    setBoardModified(false);
    // The title shows the saved name; undo and the selected field stay.
    emit documentChanged();
    rememberBoard(m_documentFileName);
}

// The selection takes field 0 with its picture, which the caller composed
// with the board before the swap: a picture that cannot be read leaves the
// open board as it was.
void Editor::replaceBoard(BoardCells &board, const QString &documentFileName, QImage selectionPicture)
{
    m_cells.swap(board);
    m_fileStamp = FileStamp();
    for (int n = 0; n < CellCount; ++n)
        emit cellChanged(n);
    m_documentFileName = documentFileName;
    setBoardModified(false);
    emit documentChanged();
    m_undoRing.clear();
    emit undoChanged(false);
    emit redoChanged(false);
    takeFieldIntoSelection(0, std::move(selectionPicture));
}

void Editor::stampFile(const QString &path, const QByteArray &bytes)
{
    m_fileStamp = {path, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

// Two instances on one board: the one that saves second must not silently
// replace what the first wrote. The content decides, not the time: a file
// written again with the same bytes loses nothing when overwritten, and a
// coarse clock can give two different saves the same size and time. A file
// deleted meanwhile loses nothing either; one that cannot be read any more
// counts as changed.
bool Editor::fileChangedOnDisk() const
{
    if (m_fileStamp.path != m_documentFileName || !QFileInfo::exists(m_documentFileName))
        return false;
    try {
        const QByteArray bytes = ReadWholeFile(m_documentFileName, MaxBoardFileSize);
        return bytes.size() != m_fileStamp.size
               || QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) != m_fileStamp.hash;
    } catch (const KestrixError &) {
        return true;
    }
}

} // namespace kestrix
