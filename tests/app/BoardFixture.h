#pragma once

#include "app/Editor.h"
#include "catalogue/ImageTransforms.h"

#include "support/Files.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace kestrix {

// An Editor on a small program folder: ground plates 0..2 (group 0) and
// 100..101 (group 1) with their wall plates, a few other tiles, and a
// language with the question about unsaved changes.
class BoardFixture : public ::testing::Test
{
protected:
    // Neither ground plates nor belts: no rule of their own.
    static constexpr int Tile = 4045;
    static constexpr int OtherTile = 3000;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(folder.writeBoardLanguage());
        addTiles({0, 1, 2, 100, 101, 8000, 8100, Tile, OtherTile});
        editor.setProgramFolder(folder.programFolder());
        editor.setUserFolder(folder.userFolder());
        editor.loadResources(Resources::LanguageStep);
        editor.loadResources(Resources::PaletteStep);
        editor.seedRandom(7);
        QObject::connect(&editor, &Editor::undoChanged, [this](bool canUndo) { undoSignals.append(canUndo); });
    }

    void addTiles(std::initializer_list<int> ids)
    {
        for (int id : ids)
            ASSERT_TRUE(folder.writeTilePictures(id, colourOf(id))) << id;
    }

    // Each tile its own colour, so a picture shows which tile it is.
    static QRgb colourOf(int id) { return qRgb(40 + id % 200, 60 + (id / 100) % 150, 90 + id % 7 * 20); }
    static QImage boardPicture(int id, int rotation);

    QString boardPath(const QString &name) const { return folder.programFolder() + QStringLiteral("Boards/") + name; }

    // What applySelection does to the board, without its rules: the target
    // field first as the group start, then the others, all given tile.
    void apply(int tile, std::initializer_list<int> fields, int rotation = 1,
               const QString &flags = QStringLiteral("10100"))
    {
        bool first = true;
        for (int n : fields) {
            editor.recordUndo(n, first);
            first = false;
            Field &field = editor.cells()[size_t(n)];
            field.tileId = tile;
            field.rotation = rotation;
            field.steps = flags;
            editor.redrawCell(n);
        }
        editor.setBoardModified(true);
    }

    // A command with the answers and file names the prompter gives it.
    struct PromptedCommand
    {
        const char *name;
        QList<Prompter::Answer> answers;
        QStringList files;
        std::function<void(Editor &)> command;
    };

    // The board as the window shows it: the fields, their pictures, and
    // whether they are shown at all.
    struct BoardView
    {
        BoardFields fields;
        FieldPictures pictures;
        bool open = false;
    };

    static BoardView shownBy(const Editor &editor)
    {
        BoardView view{editor.cells(), {}, editor.isBoardOpen()};
        for (int n = 0; n < CellCount; ++n)
            view.pictures[size_t(n)] = editor.fieldPicture(n);
        return view;
    }
    BoardView shown() const { return shownBy(editor); }

    // Everything a failed command must leave alone.
    struct Snapshot
    {
        BoardView board;
        DocumentState document;
        QString title;
        bool modified = false;
        int undoPos = 0;
        bool canUndo = false;
    };

    Snapshot snapshot() const
    {
        return {shown(), editor.documentState(), editor.windowTitle(), editor.boardModified(),
                editor.undoRing().undoPos(), editor.undoRing().canUndo()};
    }

    // The fields, their pictures and visibility too.
    static ::testing::AssertionResult sameBoard(const BoardView &a, const BoardView &b)
    {
        if (a.open != b.open)
            return ::testing::AssertionFailure() << "one board is open, the other not";
        for (int n = 0; n < CellCount; ++n) {
            if (a.fields[size_t(n)] != b.fields[size_t(n)] || a.pictures[size_t(n)] != b.pictures[size_t(n)])
                return ::testing::AssertionFailure() << "field " << n << " differs";
        }
        return ::testing::AssertionSuccess();
    }

    static ::testing::AssertionResult sameState(const Snapshot &a, const Snapshot &b)
    {
        if (::testing::AssertionResult board = sameBoard(a.board, b.board); !board)
            return board;
        if (a.document != b.document || a.title != b.title || a.modified != b.modified
            || a.undoPos != b.undoPos || a.canUndo != b.canUndo)
            return ::testing::AssertionFailure() << "document or undo state differs";
        return ::testing::AssertionSuccess();
    }

    TestProgramFolder folder;
    ScriptedPrompter prompter;
    Editor editor{prompter};
    QList<bool> undoSignals;
};

inline QImage BoardFixture::boardPicture(int id, int rotation)
{
    return turnBitmap(rotation, TestProgramFolder::tilePicture(8, colourOf(id)));
}

} // namespace kestrix
