// Language files are passed around between users. One is read as the
// current language, every message built with a board name full of "%", the
// captions and titles taken, and the language menu listed.
#include "FuzzInput.h"

#include "language/Language.h"
#include "language/LanguageMenu.h"
#include "language/MessageFormat.h"
#include "util/KestrixError.h"

using namespace kestrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = fuzz::ScratchFolder();
    fuzz::WriteInput(QStringLiteral("Language/XX.txt"), data, size);
    Language language;
    try {
        language.load(folder, QStringLiteral("XX"));
    } catch (const KestrixError &) {
        return 0;
    }

    const QString boardName = QStringLiteral("100% %s %d %n.zvb");
    for (int i = 0; i <= language.messages().size(); ++i) {
        try {
            language.buildMessage(i, boardName);
        } catch (const KestrixError &) {
        }
        if (const auto text = formatMessageText(language.messageText(i), boardName))
            fuzz::Check(text->size() <= language.messageText(i).size() + boardName.size());
    }
    for (int i = 0; i < 5; ++i)
        language.stepBoxCaption(i);
    language.windowTitle(true, boardName);
    language.shortcutText(QLatin1Char('N'));
    language.caption(QStringLiteral("Menu1_Open"));

    try {
        const QList<LanguageEntry> entries = buildLanguageMenu(folder, language.code());
        fuzz::Check(entries.size() == 1 && !entries.front().visible);
    } catch (const KestrixError &) {
    }
    return 0;
}
