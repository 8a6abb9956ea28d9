#pragma once

#include <functional>

#include <QPainter>
#include <QRect>
#include <QString>

namespace varnelle::gui {

// What a grid tells the program. Columns are data columns and rows count from 1, with the
// heading as row 0; the grid, its delegate and its headers all read the same set.
struct GridEvents {
    // May change the value in place; the editor then shows the changed text.
    using CellEdit = std::function<void(int column, int row, QString& value)>;
    using ButtonClick = std::function<void(int column, int row)>;
    // True when the program drew the cell itself.
    using PaintCell = std::function<bool(int column, int row, QPainter& painter, const QRect&)>;
    // The number of rows of the pick list about to drop down.
    using DropDownInit = std::function<int(int column, int row)>;
    using DropDownCellLoaded =
        std::function<QString(int listColumn, int listRow, int column, int row)>;
    using Moved = std::function<void(int oldPosition, int newPosition)>;
    using HeadingClick = std::function<void(int column)>;
    using CellClick = std::function<void(int column, int row)>;
    using ColumnResized = std::function<void(int column)>;
    using MouseDown = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>;

    CellEdit cellEdit;
    ButtonClick buttonClick;
    PaintCell paintCell;
    DropDownInit dropDownInit;
    DropDownCellLoaded dropDownCellLoaded;
    Moved columnChanged;
    Moved rowChanged;
    HeadingClick headingClick;
    CellClick doubleClickCell;
    ColumnResized columnResized;
    MouseDown mouseDown;
};

}  // namespace varnelle::gui
