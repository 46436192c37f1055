#pragma once

#include "app/Prompter.h"
#include "document/RecoveryStore.h"
#include "language/Language.h"

#include <functional>

namespace kestrix {

// The offer at start of the boards that instances no longer running kept:
// newest first, one alone in a question, several in one dialog. Boards that
// cannot be restored are named with their reasons and removed only when the
// user says so; only an explicit No or Discard removes a board.
class RecoveryOffer
{
public:
    // Throws KestrixError when the kept board cannot be restored.
    using Check = std::function<void(const KeptBoard &)>;
    // Opens the kept board chosen.
    using Restore = std::function<void(const KeptBoard &)>;

    RecoveryOffer(Prompter &prompter, const Language &language, RecoveryStore &recovery, Check check,
                  Restore restore);

    void run();

private:
    void offerLeftovers(const QList<RecoveryFile> &files);
    QString keptBoardName(const KeptBoard &kept) const;
    QString keptTimeText(const KeptBoard &kept) const;
    void askRestoreBoard(const KeptBoard &kept);
    void askRestoreBoards(const QList<KeptBoard> &boards);

    Prompter &m_prompter;
    const Language &m_language;
    RecoveryStore &m_recovery;
    Check m_check;
    Restore m_restore;
};

} // namespace kestrix
