#include "app/RecoveryOffer.h"

#include "util/KestrixError.h"

#include <QDir>
#include <QLocale>

#include <algorithm>

namespace kestrix {

RecoveryOffer::RecoveryOffer(Prompter &prompter, const Language &language, RecoveryStore &recovery, Check check,
                             Restore restore)
    : m_prompter(prompter), m_language(language), m_recovery(recovery), m_check(std::move(check)),
      m_restore(std::move(restore))
{
}

void RecoveryOffer::run()
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

// Every leftover is read and checked first, so the offer holds
// only boards that can be restored; the others are named with their reasons.
void RecoveryOffer::offerLeftovers(const QList<RecoveryFile> &files)
{
    QList<KeptBoard> boards;
    QList<RecoveryFile> unreadable;
    QStringList reasons;
    for (const RecoveryFile &file : files) {
        try {
            KeptBoard kept = RecoveryStore::readLeftover(file);
            m_check(kept);
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
QString RecoveryOffer::keptBoardName(const KeptBoard &kept) const
{
    return kept.document.hasFile() ? QDir::toNativeSeparators(kept.document.filePath()) : m_language.noFileName();
}

QString RecoveryOffer::keptTimeText(const KeptBoard &kept) const
{
    return m_language.text(QStringLiteral("RecoveryTime")) + u' '
           + QLocale().toString(kept.written.toLocalTime(), QLocale::LongFormat);
}

void RecoveryOffer::askRestoreBoard(const KeptBoard &kept)
{
    MessageBox box = m_language.buildKeyMessage(QStringLiteral("RecoveryAsk"), BoxType::Confirmation,
                                                {Answer::Yes, Answer::No}, keptBoardName(kept));
    box.text += QStringLiteral("\n\n") + keptTimeText(kept);
    switch (m_prompter.message(box)) {
    case Answer::Yes:
        m_restore(kept);
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
void RecoveryOffer::askRestoreBoards(const QList<KeptBoard> &boards)
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
            m_restore(boards[chosen.first()]);
        break;
    case Prompter::RecoveryChoice::Action::Discard:
        for (const int index : std::as_const(chosen))
            m_recovery.discard(boards[index].file);
        break;
    case Prompter::RecoveryChoice::Action::Keep:
        break;
    }
}

} // namespace kestrix
