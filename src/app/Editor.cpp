#include "app/Editor.h"

#include "app/DeferredRandom.h"

namespace kestrix {

Editor::Editor(Prompter &prompter, QObject *parent)
    : QObject(parent), m_prompter(prompter)
{
    // The dialogs as designed; the language file replaces the descriptions.
    m_openDialog.filter = QStringLiteral("Zorvan-Platte|*.zvb|Alle Dateien|*.*");
    m_boardSaveDialog.filter = QStringLiteral("Zorvan-Platte|*.zvb");
    m_boardSaveDialog.defaultSuffix = QStringLiteral("zvb");
    m_pictureSaveDialog.filter = QStringLiteral("JEPG-Bilddatei|*.jpg");
    m_pictureSaveDialog.defaultSuffix = QStringLiteral("jpg");
    m_pictureSaveDialog.confirmOverwrite = false;
}

Editor::~Editor() = default;

// --- folders and random generator ----------------------------------------------

int Editor::random(int m)
{
    return uniformDraw(m_random, m);
}

// --- settings --------------------------------------------------------------------

// A settings file that cannot be read may be a file that is not ours, or a
// link to a device: the run goes on with the defaults, and the board named at
// start still opens, but nothing is written over it.
void Editor::ReadSettings()
{
    m_settingsError.reset();
    try {
        m_settings = kestrix::ReadSettings(m_userFolder, m_programFolder);
    } catch (const KestrixError &error) {
        m_settings = Settings();
        m_settingsError = error;
    }
    m_document.readRecentBoards();
    emit recentBoardsChanged();
}

void Editor::WriteSettings() const
{
    kestrix::WriteSettings(m_settings, settingsFolder());
}

void Editor::ReportSettingsError()
{
    if (!m_settingsError)
        return;
    MessageBox box = m_language.BuildKeyMessage(QStringLiteral("SettingsUnreadable"), BoxType::Warning, {Answer::Ok},
                                                QString());
    box.text = m_language.errorText(*m_settingsError) + QStringLiteral("\n\n") + box.text;
    m_prompter.message(box);
}

// --- language --------------------------------------------------------------------

void Editor::LoadLanguage()
{
    m_language.LoadLanguage(m_programFolder, m_settings.OpLanguage);
    m_reportedFaults.clear();
    // A code without a file became "UK"; that is the language stored at exit.
    m_settings.OpLanguage = m_language.LanguageCode();
    m_openDialog.filter = m_language.openFilter();
    m_boardSaveDialog.filter = m_language.saveFilter();
    m_pictureSaveDialog.filter = m_language.pictureSaveFilter();
    // A dialog's title is its caption; an empty one keeps the title it had.
    const struct { const char *name; Prompter::FileRequest &dialog; } dialogs[] = {
        {"OpenDialog1", m_openDialog},
        {"SaveDialog1", m_boardSaveDialog},
        {"SaveDialog2", m_pictureSaveDialog},
    };
    for (const auto &d : dialogs) {
        const QString title = m_language.caption(QLatin1String(d.name));
        if (!title.isEmpty())
            d.dialog.title = title;
    }
}

void Editor::BuildLanguageMenu()
{
    m_languageEntries = kestrix::BuildLanguageMenu(m_programFolder, m_language.LanguageCode());
}

void Editor::chooseLanguage(qsizetype index)
{
    // A file removed since the menu was built is reported; the menu and the
    // language stay as they were.
    if (index >= 0 && index < m_languageEntries.size())
        KeyValueText::ReadFile(Language::LanguageFilePath(m_programFolder, m_languageEntries[index].code));
    m_settings.OpLanguage = LanguageClick(m_languageEntries, index, m_language.LanguageCode());
}

// --- catalogue -------------------------------------------------------------------

void Editor::LoadCatalogue()
{
    m_catalogue.load(m_programFolder + QStringLiteral("InitList.ini"));
}

void Editor::LoadStepMarks()
{
    m_stepMarks = kestrix::LoadStepMarks(m_catalogue);
}

// --- palette ---------------------------------------------------------------------

void Editor::BuildPalette()
{
    m_palette = PaletteIndex::BuildPalette(m_programFolder + QStringLiteral("Images"), m_catalogue);
}

// --- cell pictures -----------------------------------------------------------------

void Editor::redrawCell(int n)
{
    const Field &field = m_cells[size_t(n)];
    m_cellPicture.RedrawCellPicture(field.tileId, 0, m_fieldPictures[size_t(n)], field.steps, field.rotation);
    emit cellChanged(n);
}

QList<QImage> Editor::composeFieldPictures(const QList<FieldWrite> &writes, DeferredRandom *random)
{
    QList<QImage> pictures;
    pictures.reserve(writes.size());
    for (const FieldWrite &write : writes) {
        if (random)
            random->commit(write.draws);
        QImage picture;
        m_cellPicture.RedrawCellPicture(write.field.tileId, 0, picture, write.field.steps, write.field.rotation);
        pictures.append(picture);
    }
    return pictures;
}

void Editor::writeFields(const QList<FieldWrite> &writes, const QList<QImage> &pictures)
{
    for (qsizetype i = 0; i < writes.size(); ++i) {
        const int n = writes[i].cell;
        m_cells[size_t(n)] = writes[i].field;
        m_fieldPictures[size_t(n)] = pictures[i];
        emit cellChanged(n);
    }
}

void Editor::redrawSelection(const QString &flags)
{
    m_selection.picture = composeSelectionPicture(m_selection.tileId, flags, m_selection.rotation);
    emit selectionChanged();
}

QImage Editor::composeSelectionPicture(int tag, const QString &flags, int rotation)
{
    // Composed aside: a mark picture that cannot be read must not leave the
    // selection showing half a picture.
    QImage picture = m_selection.picture;
    m_cellPicture.RedrawCellPicture(tag, LargePictureOffset, picture, flags, rotation);
    return picture;
}

// --- messages ----------------------------------------------------------------------

Answer Editor::showMessage(int index, const QString &argument)
{
    // A faulty text is named once per language; the message shows all the same.
    if (const QString fault = m_language.messageFault(index); !fault.isEmpty() && !m_reportedFaults.contains(index)) {
        m_reportedFaults.insert(index);
        m_prompter.showError(fault);
    }
    return m_prompter.message(m_language.BuildMessage(index, argument));
}

} // namespace kestrix
