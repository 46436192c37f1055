#include "app/Editor.h"

#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QBuffer>
#include <QDir>
#include <QLocale>

#include <algorithm>

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

void Editor::writeRecovery()
{
    // A board without unsaved changes keeps nothing: clearing the flag
    // removed the copy.
    if (!isBoardOpen() || !m_boardModified)
        return;
    // Without a per-user folder nothing is written anywhere, copies neither.
    if (m_userFolder.isEmpty())
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

void Editor::offerRecovery()
{
    const QList<RecoveryFile> files = m_recovery.leftovers();
    try {
        offerLeftovers(files);
    } catch (...) {
        m_recovery.releaseLeftovers();
        throw;
    }
    m_recovery.releaseLeftovers();
}

// Every leftover is read and its pictures composed first, so the offer holds
// only boards that can be restored; the others are named with their reasons.
void Editor::offerLeftovers(const QList<RecoveryFile> &files)
{
    QList<KeptBoard> boards;
    QList<RecoveryFile> unreadable;
    QStringList reasons;
    for (const RecoveryFile &file : files) {
        try {
            KeptBoard kept = RecoveryStore::readLeftover(file);
            composeFieldSelection(composeBoard(kept.fields)[0]);
            boards.append(std::move(kept));
        } catch (const KestrixError &error) {
            unreadable.append(file);
            reasons.append(QDir::toNativeSeparators(file.boardPath) + QStringLiteral(":\n") + m_language.errorText(error));
        }
    }
    std::stable_sort(boards.begin(), boards.end(),
                     [](const KeptBoard &a, const KeptBoard &b) { return a.written > b.written; });

    if (boards.size() == 1)
        askRestoreBoard(boards.first());
    else if (boards.size() > 1)
        askRestoreBoards(boards);

    // Never removed unasked: only Yes removes them, anything else keeps them
    // for the next start.
    if (!unreadable.isEmpty()) {
        const MessageBox box = m_language.buildKeyMessage(QStringLiteral("RecoveryUnreadableAsk"), BoxType::Warning,
                                                          {Answer::Yes, Answer::No},
                                                          QStringLiteral("\n\n") + reasons.join(QStringLiteral("\n\n")));
        if (m_prompter.message(box) == Answer::Yes) {
            for (const RecoveryFile &file : std::as_const(unreadable))
                m_recovery.discard(file);
        }
    }
}

// The full path: the base name alone may hide where Save would write.
QString Editor::keptBoardName(const KeptBoard &kept) const
{
    return kept.documentFileName == NewBoardName ? m_language.noFileName()
                                                 : QDir::toNativeSeparators(kept.documentFileName);
}

QString Editor::keptTimeText(const KeptBoard &kept) const
{
    return m_language.text(QStringLiteral("RecoveryTime")) + u' '
           + QLocale().toString(kept.written.toLocalTime(), QLocale::LongFormat);
}

void Editor::askRestoreBoard(const KeptBoard &kept)
{
    MessageBox box = m_language.buildKeyMessage(QStringLiteral("RecoveryAsk"), BoxType::Confirmation,
                                                {Answer::Yes, Answer::No}, keptBoardName(kept));
    box.text += QStringLiteral("\n\n") + keptTimeText(kept);
    switch (m_prompter.message(box)) {
    case Answer::Yes:
        restoreBoard(kept);
        break;
    case Answer::No:
        m_recovery.discard(kept.file);
        break;
    default:
        break;
    }
}

// The window holds one board: the one chosen opens, every other stays kept
// and is offered again at the next start.
void Editor::askRestoreBoards(const QList<KeptBoard> &boards)
{
    Prompter::RecoveryRequest request;
    request.title = m_language.boxTitle(BoxType::Confirmation);
    request.text = m_language.text(QStringLiteral("RecoveryListAsk"));
    for (const KeptBoard &kept : boards)
        request.boards.append(keptBoardName(kept) + u'\n' + keptTimeText(kept));
    request.restoreCaption = m_language.text(QStringLiteral("RecoveryRestore"));
    request.discardCaption = m_language.text(QStringLiteral("RecoveryDiscard"));
    request.discardAllCaption = m_language.text(QStringLiteral("RecoveryDiscardAll"));
    request.keepCaption = m_language.text(QStringLiteral("RecoveryKeep"));

    const Prompter::RecoveryChoice choice = m_prompter.askRecovery(request);
    QList<int> chosen;
    for (const int index : choice.boards) {
        if (index >= 0 && index < boards.size() && !chosen.contains(index))
            chosen.append(index);
    }
    switch (choice.action) {
    case Prompter::RecoveryChoice::Action::Restore:
        if (chosen.size() == 1)
            restoreBoard(boards[chosen.first()]);
        break;
    case Prompter::RecoveryChoice::Action::Discard:
        for (const int index : std::as_const(chosen))
            m_recovery.discard(boards[index].file);
        break;
    case Prompter::RecoveryChoice::Action::Keep:
        break;
    }
}

void Editor::restoreBoard(const KeptBoard &kept)
{
    if (!askSaveChanges())
        return;
    BoardCells board = composeBoard(kept.fields);
    QImage selectionPicture = composeFieldSelection(board[0]);
    replaceBoard(board, kept.documentFileName, std::move(selectionPicture));
    setBoardModified(true);
    // Kept again under this instance before the leftover goes, so a crash
    // right now loses nothing.
    writeRecovery();
    m_recovery.discard(kept.file);
}

void Editor::warnIfKeptElsewhere(const QString &path)
{
    if (!m_recovery.keptByOtherInstance(path))
        return;
    m_prompter.message(m_language.buildKeyMessage(QStringLiteral("RecoveryOtherInstance"), BoxType::Warning,
                                                  {Answer::Ok}, QDir::toNativeSeparators(path)));
}

} // namespace kestrix
