#pragma once

#include "board/Region.h"
#include "rules/RegionRules.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>

#include <optional>

namespace kestrix {

class DeferredRandom;
class Editor;

// The region of the board and the commands that act on it: copy, cut,
// paste, clear and the quarter turns. Each command that writes is worked out
// by the rules first and then goes the Editor's one way of writing fields,
// as one undo group.
class RegionCommands : public QObject
{
    Q_OBJECT

public:
    explicit RegionCommands(Editor &editor) : m_editor(editor) {}

    // The rectangle the commands act on; without one they act on the target
    // field alone. Every other change of the board drops it.
    const std::optional<Region> &region() const { return m_region; }
    // Shift+click on cell: the rectangle spanned by the target field and
    // cell. The target field and the selection stay.
    void span(int cell);
    // "Alles auswählen"; Escape.
    void selectWholeBoard();
    void drop();

    // "Kopieren": the region as clipboard text (see RegionText); empty when
    // a message refused it. "Ausschneiden": the same, then "Löschen".
    QByteArray copy();
    QByteArray cut();
    // "Löschen", "Einfügen" (text at the target field), "Rechts drehen" and
    // "Links drehen": one undo group each, or a message and no change. They
    // throw KestrixError when a picture cannot be read; nothing has changed
    // then.
    void clear();
    void paste(const QByteArray &text);
    void turn(bool clockwise);

signals:
    void changed();

private:
    Region commandRegion() const;
    void setRegion(const std::optional<Region> &region);
    // Tells the user why a command was refused.
    void refuse(RegionProblem problem, int field = -1);
    QList<QImage> composePictures(const RegionEdit &edit, DeferredRandom &random);
    // The edit's pictures first, then its undo group, fields and signals.
    void commit(const RegionEdit &edit, DeferredRandom &random);

    Editor &m_editor;
    std::optional<Region> m_region;
};

} // namespace kestrix
