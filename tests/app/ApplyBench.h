#pragma once

#include "app/Editor.h"

#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace kestrix {

// An Editor in a program folder of its own: a small catalogue, a tiny picture
// for every tile the test names, a language whose message n reads "mn", and a
// board of plate 0 with every field shown.
class ApplyBench
{
public:
    // Refused when the folder cannot be written; check isValid().
    ApplyBench(const QList<QByteArray> &catalogueLines, const QList<int> &tileIds)
    {
        QByteArray catalogue;
        for (const QByteArray &line : catalogueLines)
            catalogue += line + "\r\n";
        QByteArray language = "English\r\n";
        for (int n = 1; n <= 9; ++n)
            language += QStringLiteral("Text%1=m%2\r\n").arg(n, 2, 10, QLatin1Char('0')).arg(n).toLatin1();
        m_valid = folder.isValid() && folder.write(QStringLiteral("InitList.ini"), catalogue)
                  && folder.write(QStringLiteral("Language/UK.txt"), language);
        for (int id : tileIds)
            m_valid = m_valid && folder.writeTilePictures(id, qRgb(id % 251, id / 7 % 253, 90));

        editor.setProgramFolder(folder.programFolder());
        editor.setUserFolder(folder.userFolder());
        editor.loadResources(Resources::LanguageStep);
        editor.loadResources(Resources::CatalogueStep);
        editor.loadResources(Resources::StepMarksStep);
        editor.loadResources(Resources::PaletteStep);
    }

    bool isValid() const { return m_valid; }

    void place(int n, int tag, int rotation = 0, const QString &flags = QStringLiteral("00000"))
    {
        Field &cell = editor.cells()[size_t(n)];
        cell.tileId = tag;
        cell.rotation = rotation;
        cell.steps = flags;
    }

    // Prepares the selection as a user would: the field is clicked, the tile
    // picked, turned and its steps ticked.
    void select(int field, int tag, int rotation, const QString &steps = QStringLiteral("00000"),
                bool stepPanel = false)
    {
        editor.selectField(field);
        editor.selection().tileId = tag;
        editor.selection().rotation = rotation;
        for (int i = 0; i < 5; ++i)
            editor.setStepBox(i, i < steps.size() && steps[i] == QLatin1Char('1'));
        editor.setStepPanelVisible(stepPanel);
    }

    void setConventions(bool needWall, bool notWall, bool belt, bool field)
    {
        Settings settings = editor.settings();
        settings.OpKonventNeedWall = needWall;
        settings.OpKonventNotWall = notWall;
        settings.OpKonventBelt = belt;
        settings.OpKonventField = field;
        editor.changeSettings(settings);
    }

    // The entries of the newest undo group in the order they were written.
    QList<UndoEntry> newestGroup() const
    {
        UndoRing ring = editor.undoRing();
        QList<UndoEntry> entries = ring.takeBackGroup();
        std::reverse(entries.begin(), entries.end());
        return entries;
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    Editor editor{prompter};

private:
    bool m_valid = false;
};

} // namespace kestrix
