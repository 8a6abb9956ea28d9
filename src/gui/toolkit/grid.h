#pragma once

#include <QTableView>

#include "toolkit/grid_model.h"

namespace varnelle::gui {

class GridDelegate;

// The one table control of the program: a view over a GridModel, with rows and columns
// counted from 1 and the heading row as row 0. Callbacks always receive data column
// numbers, whatever the display order or the hidden columns.
class Grid final : public QTableView {
    Q_OBJECT

public:
    enum class Lines { None, Vertical, Horizontal, Both };
    enum class CheckShape { Flat, Tick, Cross };

    struct Cell {
        int column = 0;
        int row = 0;  // 0: the heading row
        bool operator==(const Cell&) const = default;
    };

    explicit Grid(QWidget* parent = nullptr);

    GridModel& gridModel() { return model_; }

    void setColumns(std::vector<GridColumn> columns);
    void setRows(int rows) { model_.setRows(rows); }
    void reload() { model_.reload(); }
    void reloadRow(int row) { model_.reloadRow(row); }

    void setColumnVisible(int column, bool visible);
    // Shows data column `column` at display position `position` (both from 1).
    void setDisplayPosition(int column, int position);

    void setColors(const QColor& background, const QColor& text, const QColor& headingBackground,
                   const QColor& headingText, const QColor& lines);
    void setLines(Lines lines);
    Lines lines() const { return lines_; }
    void setCheckShape(CheckShape shape);
    CheckShape checkShape() const { return checkShape_; }
    const QColor& lineColor() const { return lineColor_; }

    Cell currentCell() const;
    void setCurrentCell(Cell cell);
    // The cell under a point of the grid (its own coordinates): row 0 on the heading,
    // {0, 0} where there is no cell.
    Cell cellAt(const QPoint& point) const;

private:
    GridModel model_;
    GridDelegate* delegate_;
    Lines lines_ = Lines::Both;
    CheckShape checkShape_ = CheckShape::Tick;
    QColor lineColor_ = QColor(192, 192, 192);
};

}  // namespace varnelle::gui
