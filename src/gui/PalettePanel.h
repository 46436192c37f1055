#pragma once

#include <QList>
#include <QWidget>

namespace kestrix {

class CellView;

// One page of the palette: the pictures at their slots. The keyboard focus
// lies on one picture at a time; the arrow keys move it over the pictures in
// their slot order (up and down by a row of four slots), and Space or Enter
// picks the focused picture as a click does. A click focuses the picture too.
class PalettePanel : public QWidget
{
    Q_OBJECT

public:
    explicit PalettePanel(QWidget *parent = nullptr);

    // Adds the picture of tile id at slot; pictures on one slot keep the
    // order they came in.
    void addTile(CellView *tile, int slot, int id);
    const QList<CellView *> &tiles() const { return m_tiles; }
    int tileId(qsizetype index) const { return m_ids.value(index); }
    CellView *focusTile() const { return m_tiles.value(m_focus); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int tileAfter(int command) const;
    void focusTileAt(int index, Qt::FocusReason reason);

    QList<CellView *> m_tiles; // in slot order
    QList<int> m_slots;
    QList<int> m_ids;
    int m_focus = 0;
    bool m_leavingBackwards = false; // Shift+Tab left a picture for this panel
};

} // namespace kestrix
