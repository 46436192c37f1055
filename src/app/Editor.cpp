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
}

Editor::~Editor() = default;

// --- folders and random generator ----------------------------------------------

int Editor::random(int m)
{
    return uniformDraw(m_random, m);
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
    m_output.wholePictureSaveDialog().filter = m_language.text(QStringLiteral("SPNGFilter")) + QStringLiteral("|*.png");
    // A dialog's title is its caption; an empty one keeps the title it had.
    const struct { const char *name; Prompter::FileRequest &dialog; } dialogs[] = {
        {"OpenDialog1", m_openDialog},
        {"SaveDialog1", m_boardSaveDialog},
        {"SaveDialog2", m_output.pictureSaveDialog()},
        {"SaveDialog3", m_output.wholePictureSaveDialog()},
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
    const Field &field = m_cells[size_t(n)];
    m_cellPicture.composeCellPicture(field.tileId, 0, m_fieldPictures[size_t(n)], field.steps, field.rotation);
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
        m_cellPicture.composeCellPicture(write.field.tileId, 0, picture, write.field.steps, write.field.rotation);
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
    m_cellPicture.composeCellPicture(tag, LargePictureOffset, picture, flags, rotation);
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
