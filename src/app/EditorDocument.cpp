#include "app/Editor.h"

#include "app/DeferredRandom.h"
#include "document/BoardFile.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>

namespace kestrix {

QString Editor::boardDisplayName() const
{
    if (m_document.state().isNewBoard())
        return m_language.noFileName();
    return fileBaseName(m_document.state().filePath());
}

QString Editor::windowTitle() const
{
    return m_language.windowTitle(isBoardOpen(), boardDisplayName());
}

bool Editor::askSaveChanges()
{
    if (!m_document.modified())
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
    m_boardSaveDialog.fileName = m_document.state().filePath();
    const QString path = m_prompter.askSaveFile(m_boardSaveDialog);
    if (path.isEmpty())
        return false;
    m_document.setState(DocumentState::boardFile(path));
    return true;
}

void Editor::refreshDocumentState()
{
    emit documentChanged();
    m_undoRing.clear();
    emit undoChanged(false);
    emit redoChanged(false);
    m_regions.drop();
    if (isBoardOpen())
        selectField(0);
}

void Editor::newBoard()
{
    if (!askSaveChanges())
        return;
    DeferredRandom random(m_random);
    const ComposedBoard board = composeBoard(newBoardFill(ruleSet(random)), &random);
    random.commitAll();
    replaceBoard(board, DocumentState::newBoard());
}

void Editor::openBoard()
{
    if (!askSaveChanges())
        return;
    m_openDialog.fileName.clear();
    const QString path = m_prompter.askOpenFile(m_openDialog);
    if (!path.isEmpty())
        loadBoard(path);
}

bool Editor::saveBoard()
{
    if (!isBoardOpen())
        return false;
    const DocumentState previousState = m_document.state();
    if (previousState.isNewBoard()) {
        if (!askSaveFileName())
            return false;
    } else if (m_document.fileChangedOnDisk() && !askSaveChangedFile()) {
        return false;
    }
    writeBoardFile(previousState);
    return true;
}

// The board's file changed on disk: Yes overwrites it, No asks for another
// name; false when nothing is to be written.
bool Editor::askSaveChangedFile()
{
    MessageBox box = m_language.buildKeyMessage(QStringLiteral("SaveChangedOnDisk"), BoxType::Warning,
                                                {Answer::Yes, Answer::No, Answer::Cancel},
                                                QDir::toNativeSeparators(m_document.state().filePath()));
    box.buttons[0].caption = m_language.text(QStringLiteral("SaveOverwrite"));
    box.buttons[1].caption = m_language.text(QStringLiteral("SaveElsewhere"));
    switch (m_prompter.message(box)) {
    case Answer::Yes:
        return true;
    case Answer::No:
        return askSaveFileName();
    default:
        return false;
    }
}

bool Editor::saveBoardAs()
{
    if (!isBoardOpen())
        return false;
    const DocumentState previousState = m_document.state();
    if (!askSaveFileName())
        return false;
    writeBoardFile(previousState);
    return true;
}

void Editor::closeBoard()
{
    if (!askSaveChanges())
        return;
    // No board is open from here, so the fields are hidden as they are shown.
    m_document.setState(DocumentState());
    for (int n = 0; n < CellCount; ++n)
        emit cellChanged(n);
    refreshDocumentState();
}

void Editor::setBoardModified(bool modified)
{
    m_document.setModified(modified);
}

// The whole file is read and every picture composed, the selection's too,
// before the open board is touched, so a file or picture that cannot be read
// changes nothing.
void Editor::loadBoard(const QString &path)
{
    const QByteArray bytes = readWholeFile(path, MaxBoardFileSize);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const BoardFields fields = kestrix::loadBoardFile(buffer);
    ComposedBoard board;
    try {
        board = composeBoard(fields);
    } catch (const KestrixError &error) {
        throw KestrixError(ErrorTexts::BoardOpen, {QDir::toNativeSeparators(path)}, error);
    }
    replaceBoard(board, DocumentState::boardFile(path));
    m_document.stampFile(path, bytes);
    rememberBoard(path);
    warnIfKeptElsewhere(path);
}

void Editor::reportUndecodableStartBoard(const QString &name)
{
    m_prompter.message(m_language.buildKeyMessage(QStringLiteral("StartBoardUndecodable"), BoxType::Error,
                                                  {Answer::Ok}, name));
}

// The fields' pictures in board order, then the selection's of field 0.
ComposedBoard Editor::composeBoard(const QList<FieldWrite> &writes, DeferredRandom *random)
{
    ComposedBoard board{writes, composeFieldPictures(writes, random), QImage()};
    board.selectionPicture = composeFieldSelection(writes.first().field);
    return board;
}

ComposedBoard Editor::composeBoard(const BoardFields &fields)
{
    QList<FieldWrite> writes;
    for (int k = 0; k < CellCount; ++k)
        writes.append({k, fields[size_t(k)], 0});
    return composeBoard(writes);
}

// A save that fails leaves the board under the name it had: a name chosen in
// the dialog counts only once the file is written.
void Editor::writeBoardFile(const DocumentState &previousState)
{
    const QString path = m_document.state().filePath();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    try {
        kestrix::saveBoardFile(buffer, m_cells);
        writeWholeFile(path, buffer.data());
    } catch (const KestrixError &) {
        m_document.setState(previousState);
        throw;
    }
    m_document.stampFile(path, buffer.data());
    setBoardModified(false);
    // The title shows the saved name; undo and the selected field stay.
    emit documentChanged();
    rememberBoard(path);
}

// The selection takes field 0 with its picture, which the caller composed
// with the board before: a picture that cannot be read leaves the open board
// as it was. The board counts as open before its fields are shown.
void Editor::replaceBoard(const ComposedBoard &board, const DocumentState &state)
{
    m_document.clearStamp();
    m_document.setState(state);
    writeFields(board.writes, board.pictures);
    setBoardModified(false);
    emit documentChanged();
    m_undoRing.clear();
    emit undoChanged(false);
    emit redoChanged(false);
    m_regions.drop();
    takeFieldIntoSelection(0, board.selectionPicture);
}

} // namespace kestrix
