#include "app/Editor.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QLocale>

namespace kestrix {

namespace {

QByteArray boardBytes(const BoardCells &cells)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveBoardFile(buffer, cells);
    return buffer.data();
}

} // namespace

void Editor::WriteRecovery()
{
    // A board without unsaved changes keeps nothing: clearing the flag
    // removed the copy.
    if (!isBoardOpen() || !m_boardModified)
        return;
    const QByteArray board = boardBytes(m_cells);
    const QByteArray kept = m_documentFileName.toUtf8() + '\n' + board;
    if (kept == m_recoveryKept && !m_recovery.boardPath().isEmpty())
        return;
    try {
        m_recovery.write(board, m_documentFileName, QDateTime::currentDateTimeUtc());
    } catch (const KestrixError &) {
        const bool reported = m_recoveryFailing;
        m_recoveryFailing = true;
        if (reported)
            return;
        throw;
    }
    m_recoveryFailing = false;
    m_recoveryKept = kept;
}

void Editor::OfferRecovery()
{
    const QList<RecoveryFile> files = m_recovery.leftovers();
    try {
        for (const RecoveryFile &file : files)
            offerRecoveryFile(file);
    } catch (...) {
        m_recovery.releaseLeftovers();
        throw;
    }
    m_recovery.releaseLeftovers();
}

void Editor::offerRecoveryFile(const RecoveryFile &file)
{
    RecoveryNote note;
    BoardCells board;
    QImage selectionPicture;
    try {
        note = RecoveryStore::readNote(file.notePath);
        board = composeBoard(RecoveryStore::readBoard(file.boardPath));
        selectionPicture = composeFieldSelection(board[0]);
    } catch (const KestrixError &error) {
        MessageBox box = m_language.BuildKeyMessage(QStringLiteral("RecoveryUnreadable"), BoxType::Error,
                                                    {Answer::Ok}, QDir::toNativeSeparators(file.boardPath));
        box.text += QStringLiteral("\n\n") + error.text();
        m_recovery.discard(file);
        m_prompter.message(box);
        return;
    }

    const QString name = note.documentFileName == NewBoardName ? m_language.noFileName()
                                                                : FileBaseName(note.documentFileName);
    MessageBox box = m_language.BuildKeyMessage(QStringLiteral("RecoveryAsk"), BoxType::Confirmation,
                                                {Answer::Yes, Answer::No}, name);
    box.text += QStringLiteral("\n\n") + m_language.text(QStringLiteral("RecoveryTime")) + u' '
                + QLocale().toString(note.written.toLocalTime(), QLocale::LongFormat);
    switch (m_prompter.message(box)) {
    case Answer::Yes:
        break;
    case Answer::No:
        m_recovery.discard(file);
        return;
    default:
        return;
    }
    if (!AskSaveChanges())
        return;

    replaceBoard(board, note.documentFileName, std::move(selectionPicture));
    setBoardModified(true);
    // Kept again under this instance before the leftover goes, so a crash
    // right now loses nothing.
    WriteRecovery();
    m_recovery.discard(file);
}

void Editor::warnIfKeptElsewhere(const QString &path)
{
    if (!m_recovery.keptByOtherInstance(path))
        return;
    m_prompter.message(m_language.BuildKeyMessage(QStringLiteral("RecoveryOtherInstance"), BoxType::Warning,
                                                  {Answer::Ok}, QDir::toNativeSeparators(path)));
}

} // namespace kestrix
