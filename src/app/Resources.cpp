#include "app/Resources.h"

#include "language/KeyValueText.h"
#include "tiledefinition/TileDefinition.h"

namespace kestrix {

void Resources::load(Steps steps, const std::function<void(Step)> &afterStep)
{
    const auto take = [&](Step step, const std::function<void()> &work) {
        if (!steps.testFlag(step))
            return;
        work();
        if (afterStep)
            afterStep(step);
    };
    take(SettingsStep, [this] { readSettings(); });
    take(LanguageStep, [this] { loadLanguage(); });
    take(CatalogueStep, [this] { m_catalogue.load(m_programFolder + QStringLiteral("InitList.ini")); });
    take(LanguageMenuStep, [this] { m_languageEntries = buildLanguageMenu(m_programFolder, m_language.code()); });
    take(PaletteStep, [this] {
        m_palette = PaletteIndex::build(m_programFolder + QStringLiteral("Images"), m_catalogue);
    });
    take(StepMarksStep, [this] { m_stepMarks = loadStepMarks(m_catalogue); });
}

// A settings file that cannot be read may be a file that is not ours, or a
// link to a device: the run goes on with the defaults, but nothing is
// written over it.
void Resources::readSettings()
{
    m_settingsError.reset();
    try {
        m_settings = kestrix::readSettings(m_userFolder, m_programFolder);
    } catch (const KestrixError &error) {
        m_settings = Settings();
        m_settingsError = error;
    }
}

void Resources::writeSettings() const
{
    kestrix::writeSettings(m_settings, settingsFolder());
}

void Resources::changeSettings(const Settings &settings)
{
    m_settings = settings;
    writeSettings();
}

void Resources::loadLanguage()
{
    try {
        m_language.load(m_programFolder, m_settings.OpLanguage);
    } catch (const KestrixError &error) {
        m_languageError = error;
        throw;
    }
    m_languageError.reset();
    // A code without a file became "UK"; that is the language stored at exit.
    m_settings.OpLanguage = m_language.code();
}

void Resources::chooseLanguage(qsizetype index)
{
    // A file removed since the menu was built is reported; the menu and the
    // language stay as they were.
    if (index >= 0 && index < m_languageEntries.size())
        KeyValueText::readFile(Language::languageFilePath(m_programFolder, m_languageEntries[index].code));
    m_settings.OpLanguage = chooseLanguageEntry(m_languageEntries, index, m_language.code());
}

QString Resources::applyTileDefinition(TileFileLine &line, const TileDefinition &definition)
{
    return kestrix::applyTileDefinition(m_catalogue, m_programFolder, line, definition);
}

} // namespace kestrix
