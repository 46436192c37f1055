#pragma once

#include "gui/KeyTable.h"

#include <QWidget>

#include <functional>

namespace kestrix {

// The board area of the main window: it holds the cells and the cursor,
// takes the keyboard focus and turns the board's keys into commands. To
// assistive technology it is a table of the board's fields (see
// BoardAccessible), whose focus follows the target field.
class BoardPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BoardPanel(QWidget *parent = nullptr);

    // What a field is called for assistive technology; the window says.
    void setFieldNames(std::function<QString(int)> names) { m_fieldNames = std::move(names); }
    QString fieldName(int cell) const;

    // The fields exist only while a board is open. Returns whether that changed.
    bool showsBoard() const { return m_showsBoard; }
    bool setShowsBoard(bool shows);

    int targetField() const { return m_target; }
    // The target field moved (by key or by mouse): assistive technology
    // follows it.
    void setTargetField(int cell);
    // Field cell's tile changed: so did its name.
    void fieldChanged(int cell);
    // Assistive technology pressed field cell.
    void activateField(int cell) { emit fieldActivated(cell); }

signals:
    // A key of the board was pressed while a board is open.
    void commandKeyPressed(KeyCommand command);
    void fieldActivated(int cell);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void notifyField(int cell, int type);

    std::function<QString(int)> m_fieldNames;
    bool m_showsBoard = false;
    int m_target = 0;
};

} // namespace kestrix
