#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/PaletteIndex.h"
#include "catalogue/StepMarks.h"
#include "document/Settings.h"
#include "language/Language.h"
#include "language/LanguageMenu.h"
#include "util/KestrixError.h"

#include <QFlags>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kestrix {

struct TileDefinition;
struct TileFileLine;

// What a run reads once from the program's and the user's files: the
// settings, the language with its menu, the tile catalogue with its
// step-mark tables, and the palette worked out from the pictures. The window
// and the commands without a window load them the same way, through load().
// The settings live here because the language is chosen by them and
// OpLanguage follows the language actually loaded.
class Resources
{
public:
    // The loading steps. load() takes them in this order whichever are
    // asked for: each relies on those before it.
    enum Step {
        SettingsStep = 0x01,
        LanguageStep = 0x02,
        CatalogueStep = 0x04,
        LanguageMenuStep = 0x08,
        PaletteStep = 0x10,
        StepMarksStep = 0x20,
    };
    Q_DECLARE_FLAGS(Steps, Step)
    static constexpr Steps AllSteps{SettingsStep | LanguageStep | CatalogueStep | LanguageMenuStep | PaletteStep
                                    | StepMarksStep};

    // Folders, ending with "/".
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    const QString &programFolder() const { return m_programFolder; }
    void setUserFolder(const QString &folder) { m_userFolder = folder; }
    const QString &userFolder() const { return m_userFolder; }

    // Takes the steps asked for in their order; after each, afterStep (when
    // given) builds what relies on it. A step that throws KestrixError ends
    // the loading there, as does afterStep when it throws.
    void load(Steps steps, const std::function<void(Step)> &afterStep = {});

    // --- settings ------------------------------------------------------------
    // A settings file that is there but cannot be read leaves the defaults in
    // memory and is not written over in this run: settingsError() says why.
    const Settings &settings() const { return m_settings; }
    const std::optional<KestrixError> &settingsError() const { return m_settingsError; }
    // The folder the settings may be written to: the user folder, or empty
    // after a failed read.
    QString settingsFolder() const { return m_settingsError ? QString() : m_userFolder; }
    // Writes nothing without a user folder or after a failed read; throws
    // KestrixError when the file cannot be written.
    void writeSettings() const;
    // The new values hold from now on, also when writing them throws.
    void changeSettings(const Settings &settings);
    // The ground-plate group new boards and reset fields take: the stored
    // one when that group exists among the pictures, else 0.
    int groundPlateGroup() const
    {
        return effectiveGroundPlateGroup(m_settings, int(m_palette.groundPlateCounts.size()));
    }

    // --- language ------------------------------------------------------------
    const Language &language() const { return m_language; }
    // Why the last load of the language failed; none after a load that
    // worked. The language then keeps the texts it had.
    const std::optional<KestrixError> &languageError() const { return m_languageError; }
    const QList<LanguageEntry> &languageEntries() const { return m_languageEntries; }
    // Entry index was chosen: it is hidden, the current language's entry
    // shown, and OpLanguage takes its code. Throws KestrixError naming the
    // file when the chosen language's file cannot be read; nothing changes.
    void chooseLanguage(qsizetype index);

    // --- catalogue and palette -------------------------------------------------
    const Catalogue &catalogue() const { return m_catalogue; }
    const StepMarkTables &stepMarks() const { return m_stepMarks; }
    const PaletteIndex &palette() const { return m_palette; }
    // Writes the definition of the tile of line into the catalogue and its
    // file, renumbering the tile when asked (see applyTileDefinition in
    // TileDefinition.h).
    // Returns the text of a refusal, empty when it was written.
    QString applyTileDefinition(TileFileLine &line, const TileDefinition &definition);

private:
    void readSettings();
    void loadLanguage();

    QString m_programFolder;
    QString m_userFolder;
    Settings m_settings;
    std::optional<KestrixError> m_settingsError;
    Language m_language;
    std::optional<KestrixError> m_languageError;
    QList<LanguageEntry> m_languageEntries;
    Catalogue m_catalogue;
    StepMarkTables m_stepMarks;
    PaletteIndex m_palette;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Resources::Steps)

} // namespace kestrix
