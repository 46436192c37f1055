#include "app/Editor.h"

#include "app/RecoveryOffer.h"

#include <QDir>

namespace kestrix {

void Editor::writeRecovery()
{
    m_document.keepForRecovery(m_cells);
}

void Editor::offerRecovery()
{
    RecoveryOffer offer(
        m_prompter, m_language, m_document.recovery(),
        [this](const KeptBoard &kept) { composeBoard(kept.fields); },
        [this](const KeptBoard &kept) { restoreBoard(kept); });
    offer.run();
}

void Editor::restoreBoard(const KeptBoard &kept)
{
    if (!askSaveChanges())
        return;
    replaceBoard(composeBoard(kept.fields), kept.document);
    setBoardModified(true);
    // Kept again under this instance before the leftover goes, so a crash
    // right now loses nothing.
    writeRecovery();
    m_document.recovery().discard(kept.file);
}

void Editor::warnIfKeptElsewhere(const QString &path)
{
    if (!m_document.recovery().keptByOtherInstance(path))
        return;
    m_prompter.message(m_language.buildKeyMessage(QStringLiteral("RecoveryOtherInstance"), BoxType::Warning,
                                                  {Answer::Ok}, QDir::toNativeSeparators(path)));
}

} // namespace kestrix
