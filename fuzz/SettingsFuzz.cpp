// The settings file is the user's own and may be edited by hand. It is read
// as at start, its colour turned into a colour, and the settings the program
// writes back must read back the same.
#include "FuzzInput.h"

#include "document/Settings.h"
#include "util/KestrixError.h"

using namespace kestrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString userFolder = fuzz::ScratchFolder() + QStringLiteral("user/");
    fuzz::WriteInput(QStringLiteral("user/Kestrix.ini"), data, size);
    Settings settings;
    try {
        settings = readSettings(userFolder, fuzz::ScratchFolder());
    } catch (const KestrixError &) {
        return 0;
    }
    colorFromValue(settings.OpCursorColor);
    systemColorName(settings.OpCursorColor);
    const int group = effectiveGroundPlateGroup(settings, 3);
    fuzz::Check(group >= 0 && group < 3);
    fuzz::Check(parseSettings(settingsText(settings)) == settings);
    return 0;
}
