#include "gui/BoardAccessible.h"

#include "board/Field.h"
#include "gui/BoardPanel.h"
#include "gui/CellGeometry.h"
#include "gui/CellView.h"

#include <QPointer>

namespace kestrix {

namespace {

// One field of the board; it lives as long as the table that made it.
class BoardCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface
{
public:
    BoardCellAccessible(BoardPanel *panel, int cell) : m_panel(panel), m_cell(cell) {}

    bool isValid() const override { return m_panel && m_panel->showsBoard(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_panel ? m_panel->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_panel); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && m_panel ? m_panel->fieldName(m_cell) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!m_panel)
            return {};
        return QRect(m_panel->mapToGlobal(QPoint(cellLeft(m_cell), cellTop(m_cell))), QSize(57, 57));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.invisible = !isValid();
        state.selected = m_panel && m_panel->targetField() == m_cell;
        state.focused = state.selected && m_panel->hasFocus();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    // Pressing a field makes it the target field, as a click on it does.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && isValid())
            m_panel->activateField(m_cell);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_cell % BoardSide; }
    int rowIndex() const override { return m_cell / BoardSide; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int cell() const { return m_cell; }

private:
    QPointer<BoardPanel> m_panel;
    int m_cell;
};

} // namespace

BoardAccessible::BoardAccessible(BoardPanel *panel) : QAccessibleWidget(panel, QAccessible::Table)
{
}

BoardAccessible::~BoardAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

BoardPanel *BoardAccessible::panel() const
{
    return static_cast<BoardPanel *>(widget());
}

void *BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int BoardAccessible::childCount() const
{
    return panel()->showsBoard() ? CellCount : 0;
}

QAccessibleInterface *BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    auto found = m_cells.constFind(index);
    if (found == m_cells.cend())
        found = m_cells.insert(index, QAccessible::registerAccessibleInterface(new BoardCellAccessible(panel(), index)));
    return QAccessible::accessibleInterface(*found);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const BoardCellAccessible *>(child);
    return cell && cell->parent() == this ? cell->cell() : -1;
}

QAccessibleInterface *BoardAccessible::childAt(int x, int y) const
{
    const QPoint at = panel()->mapFromGlobal(QPoint(x, y)) - QPoint(CellMargin, CellMargin);
    if (at.x() < 0 || at.y() < 0 || at.x() % CellPitch >= 57 || at.y() % CellPitch >= 57)
        return nullptr;
    return cellAt(at.y() / CellPitch, at.x() / CellPitch);
}

QAccessibleInterface *BoardAccessible::focusChild() const
{
    return panel()->hasFocus() ? child(panel()->targetField()) : nullptr;
}

QAccessibleInterface *BoardAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= BoardSide || column < 0 || column >= BoardSide)
        return nullptr;
    return child(row * BoardSide + column);
}

int BoardAccessible::selectedCellCount() const
{
    return childCount() > 0 ? 1 : 0;
}

QList<QAccessibleInterface *> BoardAccessible::selectedCells() const
{
    if (QAccessibleInterface *target = child(panel()->targetField()))
        return {target};
    return {};
}

int BoardAccessible::columnCount() const
{
    return childCount() > 0 ? BoardSide : 0;
}

int BoardAccessible::rowCount() const
{
    return columnCount();
}

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("kestrix::BoardPanel"))
        return new BoardAccessible(static_cast<BoardPanel *>(object));
    if (className == QLatin1String("kestrix::CellView")) {
        auto *view = static_cast<CellView *>(object);
        return new QAccessibleWidget(view, view->focusPolicy() == Qt::NoFocus ? QAccessible::Graphic
                                                                              : QAccessible::Button);
    }
    return nullptr;
}

} // namespace kestrix
