#pragma once

// The Editor on the bundled tile set and one of its sample boards, with the
// conventions of a run and seeded choices of fields and tiles. A failure
// names its seed, and KESTRIX_APPLY_SEED=<seed> replays it (or tries others).

#include "app/Editor.h"

#include "support/ScriptedPrompter.h"
#include "util/Utils.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace kestrix {

// The most entries one application can write: its target; the replaced
// tile's four fields, each adapting four belts; four belts beside the target;
// four extra fields, each clearing three fields with their belts, then
// adapting four belts.
constexpr int LargestGroup = 1 + 4 * (1 + 4) + 4 + 4 * (3 * (1 + 4) + 1 + 4);

inline QString binFolder()
{
    return QStringLiteral(KESTRIX_BIN_DIR "/");
}

inline quint32 baseSeed()
{
    const QByteArray seed = qgetenv("KESTRIX_APPLY_SEED");
    return seed.isEmpty() ? 20260001u : seed.toUInt();
}

class BundledRun
{
public:
    BundledRun(const QString &board, Conventions conventions, bool ownFamilies, quint32 seed) : m_choices(seed)
    {
        m_editor.setProgramFolder(ownFamilies ? ownFamiliesFolder() : binFolder());
        m_editor.loadResources(Resources::LanguageStep | Resources::CatalogueStep | Resources::StepMarksStep
                               | Resources::PaletteStep);
        Settings settings = m_editor.settings();
        settings.OpKonventNeedWall = conventions.needWall;
        settings.OpKonventNotWall = conventions.notWall;
        settings.OpKonventBelt = conventions.belt;
        settings.OpKonventField = conventions.field;
        m_editor.changeSettings(settings);
        m_editor.seedRandom(seed);
        m_editor.loadBoard(binFolder() + QStringLiteral("Boards/") + board);

        // What the palette offers and every belt.
        for (const QByteArray &line : m_editor.catalogue().lines()) {
            if (line.startsWith('P') || line.startsWith('D'))
                m_tiles.append(line.mid(1, 5).toInt());
        }
    }

    int choose(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_choices); }

    // The bundled program folder with every third belt moved into family 9:
    // a fitting or an adaptation that would turn a belt into it finds none.
    QString ownFamiliesFolder()
    {
        QFile bundled(binFolder() + QStringLiteral("InitList.ini"));
        EXPECT_TRUE(bundled.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = bundled.readAll().split('\n');
        int belts = 0;
        for (QByteArray &line : lines) {
            if (line.startsWith('D') && line.size() > 7 && belts++ % 3 == 1)
                line[7] = '9';
        }
        const QString folder = m_ownFamilies.path() + u'/';
        QFile changed(folder + QStringLiteral("InitList.ini"));
        EXPECT_TRUE(changed.open(QIODevice::WriteOnly));
        changed.write(lines.join('\n'));
        for (const char *name : {"Images", "Language"})
            EXPECT_TRUE(QFile::link(binFolder() + QLatin1String(name), folder + QLatin1String(name)));
        return folder;
    }

    // Selects a random field and prepares a random tile there, turned and
    // with random steps.
    void prepareRandomTile()
    {
        const int field = choose(CellCount);
        const int tile = m_tiles[choose(int(m_tiles.size()))];
        m_editor.selectField(field);
        m_editor.selection().tileId = tile;
        m_editor.selection().rotation = choose(4);
        for (int i = 0; i < 5; ++i)
            m_editor.setStepBox(i, choose(3) == 0);
        // As on the palette page of the counters: the step panel with the
        // tiles that have step marks.
        m_editor.setStepPanelVisible(!m_editor.catalogue().value(QStringLiteral("S") + fiveDigitId(tile)).isEmpty());
    }

    // One application of a random tile on a random field; false when the
    // Editor refused it.
    bool applyRandomTile()
    {
        prepareRandomTile();
        const qsizetype messages = m_prompter.messages.size();
        m_editor.applySelection();
        return m_prompter.messages.size() == messages;
    }

    Editor &editor() { return m_editor; }
    ScriptedPrompter &prompter() { return m_prompter; }

private:
    QTemporaryDir m_ownFamilies;
    ScriptedPrompter m_prompter;
    Editor m_editor{m_prompter};
    std::mt19937 m_choices;
    QList<int> m_tiles;
};

// Uniform numbers from a generator seeded as the Editor's.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(quint32 seed) : m_generator(seed) {}
    int random(int m) override { return m <= 0 ? 0 : std::uniform_int_distribution<int>(0, m - 1)(m_generator); }

private:
    std::mt19937 m_generator;
};

} // namespace kestrix
