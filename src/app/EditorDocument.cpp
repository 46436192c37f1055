#include "app/Editor.h"

#include "util/Utils.h"

namespace kestrix {

QString Editor::boardDisplayName() const
{
    if (m_documentFileName == QStringLiteral("-1"))
        return m_language.noFileName();
    return FileBaseName(m_documentFileName);
}

QString Editor::windowTitle() const
{
    return m_language.windowTitle(m_documentFileName, boardDisplayName());
}

bool Editor::AskSaveChanges()
{
    return true;
}

void Editor::RefreshDocumentState()
{
    emit documentChanged();
    if (isBoardOpen())
        ImgKarteClick(0);
}

void Editor::LoadBoardFile(const QString &)
{
}

} // namespace kestrix
