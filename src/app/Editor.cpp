#include "app/Editor.h"

namespace kestrix {

Editor::Editor(Prompter &prompter, QObject *parent)
    : QObject(parent), m_prompter(prompter)
{
    for (int n = 0; n < CellCount; ++n)
        m_cells[size_t(n)].CellNumber = n;

    // The dialogs as designed; the language file replaces the descriptions.
    m_openDialog.filter = QStringLiteral("Zorvan-Platte|*.zvb|Alle Dateien|*.*");
    m_boardSaveDialog.filter = QStringLiteral("Zorvan-Platte|*.zvb");
    m_boardSaveDialog.defaultSuffix = QStringLiteral("zvb");
}

Editor::~Editor() = default;

// --- folders and random generator ----------------------------------------------

int Editor::random(int m)
{
    if (m <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, m - 1)(m_random);
}

// --- resources -------------------------------------------------------------------

void Editor::loadResources(Resources::Steps steps, const std::function<void(Resources::Step)> &afterStep)
{
    m_resources.load(steps, [this, &afterStep](Resources::Step step) {
        if (step == Resources::SettingsStep) {
            m_document.readRecentBoards();
            emit recentBoardsChanged();
        } else if (step == Resources::LanguageStep) {
            takeLanguage();
        }
        if (afterStep)
            afterStep(step);
    });
}

// --- settings --------------------------------------------------------------------

void Editor::changeSettings(const Settings &settings)
{
    m_resources.changeSettings(settings);
    emit settingsChanged();
}

void Editor::reportSettingsError()
{
    const std::optional<KestrixError> &error = m_resources.settingsError();
    if (!error)
        return;
    MessageBox box = m_language.buildKeyMessage(QStringLiteral("SettingsUnreadable"), BoxType::Warning, {Answer::Ok},
                                                QString());
    box.text = m_language.errorText(*error) + QStringLiteral("\n\n") + box.text;
    m_prompter.message(box);
}

// --- language --------------------------------------------------------------------

void Editor::takeLanguage()
{
    m_reportedFaults.clear();
    m_openDialog.filter = m_language.openFilter();
    m_boardSaveDialog.filter = m_language.saveFilter();
    m_output.pictureSaveDialog().filter = m_language.pictureSaveFilter();
    // A dialog's title is its caption; an empty one keeps the title it had.
    const struct { const char *name; Prompter::FileRequest &dialog; } dialogs[] = {
        {"OpenDialog1", m_openDialog},
        {"SaveDialog1", m_boardSaveDialog},
        {"SaveDialog2", m_output.pictureSaveDialog()},
    };
    for (const auto &d : dialogs) {
        const QString title = m_language.caption(QLatin1String(d.name));
        if (!title.isEmpty())
            d.dialog.title = title;
    }
}

// --- catalogue -------------------------------------------------------------------

QString Editor::applyTileDefinition(TileFileLine &line, const TileDefinition &definition)
{
    const QString refusal = m_resources.applyTileDefinition(line, definition);
    if (refusal.isEmpty())
        emit catalogueChanged();
    return refusal;
}

// --- cell pictures -----------------------------------------------------------------

void Editor::redrawCell(int n)
{
    TImgKarte &cell = m_cells[size_t(n)];
    m_cellPicture.RedrawCellPicture(cell.Tag, 0, cell.picture, cell.StepFlags, cell.Rotation);
    emit cellChanged(n);
}

void Editor::redrawSelection(const QString &flags)
{
    m_selection.picture = composeSelectionPicture(m_selection.Tag, flags, m_selection.Rotation);
    emit selectionChanged();
}

QImage Editor::composeSelectionPicture(int tag, const QString &flags, int rotation)
{
    // Composed aside: a mark picture that cannot be read must not leave the
    // selection showing half a picture.
    QImage picture = m_selection.picture;
    m_cellPicture.RedrawCellPicture(tag, 10000, picture, flags, rotation);
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
    return m_prompter.message(m_language.buildMessage(index, argument));
}

} // namespace kestrix
