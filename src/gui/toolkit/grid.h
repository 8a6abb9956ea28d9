#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QTableView>

#include "gui/toolkit/grid_events.h"
#include "gui/toolkit/grid_model.h"

namespace varnelle::gui {

class FixedHeading;
class GridDelegate;
class HeadingRow;
class RowHeader;

// The one table control of the program: a view over a GridModel, with rows and columns
// counted from 1 and the heading row as row 0. Callbacks always receive data column
// numbers, whatever the display order or the hidden columns.
class Grid final : public QTableView {
    Q_OBJECT

public:
    enum class Lines { None, Vertical, Horizontal, Both };
    enum class CheckShape { Flat, Tick, Cross };
    enum class Resize { None, One, All };
    enum class Selection { None, Row, Rows };

    struct Cell {
        int column = 0;
        int row = 0;  // 0: the heading row
        bool operator==(const Cell&) const = default;
    };

    explicit Grid(QWidget* parent = nullptr);

    GridModel& gridModel() { return model_; }
    const GridModel& gridModel() const { return model_; }
    const GridEvents& events() const { return events_; }

    void setColumns(std::vector<GridColumn> columns);
    void setRows(int rows) { model_.setRows(rows); }
    int rows() const { return model_.rows(); }
    // A reload keeps the current cell and the row heights the program set.
    void reload() { model_.reload(); }
    void reloadRow(int row) { model_.reloadRow(row); }

    // Hidden rows and columns stay hidden through reloads, until shown again.
    void setColumnVisible(int column, bool visible);
    bool columnVisible(int column) const;
    void setRowVisible(int row, bool visible) { setRowHidden(row - 1, !visible); }
    bool rowVisible(int row) const { return !isRowHidden(row - 1); }
    // Shows data column `column` at display position `position` (both from 1).
    void setDisplayPosition(int column, int position);
    void setColumnWidthOf(int column, int pixels);
    // The width of the columns whose own width is 0.
    void setDefaultColumnWidth(int pixels);
    void setDefaultRowHeight(int pixels);
    void setRowHeightOf(int row, int pixels);
    void setHeadingHeight(int pixels);
    void setHeadingFont(const QFont& font);

    // Column 1 drawn raised at the left, still while the other columns scroll sideways.
    void setFixedColumn(bool fixed);
    void setFixedColumnColors(const QColor& background, const QColor& text);
    // Resizing by the user; it needs the row bar or the fixed column for rows, which is shown
    // as a bar when neither is.
    void setRowResize(Resize resize);
    void setColumnResize(Resize resize);
    void setSelection(Selection selection);
    Selection selection() const { return selection_; }
    // Counted from 1, unlike QTableView's own selectRow which this one hides.
    void selectRow(int row);
    void unselectRow(int row);
    std::vector<int> selectedRows() const;
    void setRowBar(bool shown, bool currentMark);
    void setReadOnly(bool readOnly);
    bool readOnly() const { return readOnly_; }

    void setColors(const QColor& background, const QColor& text, const QColor& headingBackground,
                   const QColor& headingText, const QColor& lines);
    void setLines(Lines lines);
    Lines lines() const { return lines_; }
    void setCheckShape(CheckShape shape);
    CheckShape checkShape() const { return checkShape_; }
    const QColor& lineColor() const { return lineColor_; }
    const QColor& headingBackground() const { return headingBackground_; }
    const QColor& headingText() const { return headingText_; }
    const QColor& fixedBackground() const { return fixedBackground_; }
    const QColor& fixedText() const { return fixedText_; }

    Cell currentCell() const;
    void setCurrentCell(Cell cell);
    void scrollToCell(Cell cell);
    // The cell under a point of the grid (its own coordinates): row 0 on the heading,
    // {0, 0} where there is no cell.
    Cell cellAt(const QPoint& point) const;
    // Commits the edit in progress, if any, through the end-cell-edit callback.
    void endEdit();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    void onCellLoaded(GridModel::CellLoaded f) { model_.setCellLoaded(std::move(f)); }
    void onEndCellEdit(GridModel::EndCellEdit f) { model_.setEndCellEdit(std::move(f)); }
    void onCellEdit(GridEvents::CellEdit f) { events_.cellEdit = std::move(f); }
    void onButtonClick(GridEvents::ButtonClick f) { events_.buttonClick = std::move(f); }
    void onPaintCell(GridEvents::PaintCell f) { events_.paintCell = std::move(f); }
    void onDropDownInit(GridEvents::DropDownInit f) { events_.dropDownInit = std::move(f); }
    void onDropDownCellLoaded(GridEvents::DropDownCellLoaded f) {
        events_.dropDownCellLoaded = std::move(f);
    }
    void onColumnChanged(GridEvents::Moved f) { events_.columnChanged = std::move(f); }
    void onRowChanged(GridEvents::Moved f) { events_.rowChanged = std::move(f); }
    void onHeadingClick(GridEvents::HeadingClick f) { events_.headingClick = std::move(f); }
    void onDoubleClickCell(GridEvents::CellClick f) { events_.doubleClickCell = std::move(f); }
    void onColumnResized(GridEvents::ColumnResized f) { events_.columnResized = std::move(f); }
    void onMouseDown(GridEvents::MouseDown f) { events_.mouseDown = std::move(f); }

    // What Ctrl+C copies: the current cell's text, or, with several rows selected (or all of
    // them after Ctrl+A), those rows as tab-separated text under a line of headings.
    QString texteACopier() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int widthOf(const GridColumn& column) const;
    void applyLeftEdge();
    void applyHeadingStyle();
    void keepTopRowWhole();
    void currentMoved(const QModelIndex& current, const QModelIndex& previous);
    void reportMove(Cell from, Cell to) const;
    void restoreAfterReset();
    void sectionResizedByUser(Qt::Orientation orientation, int section, int size);

    GridModel model_;
    GridEvents events_;
    GridDelegate* delegate_;
    HeadingRow* headings_;
    RowHeader* rowHeader_;
    FixedHeading* fixedHeading_;
    Lines lines_ = Lines::Both;
    CheckShape checkShape_ = CheckShape::Tick;
    Resize rowResize_ = Resize::None;
    Resize columnResize_ = Resize::None;
    Selection selection_ = Selection::Row;
    bool readOnly_ = false;
    int defaultColumnWidth_ = 64;
    int firstColumnWidth_ = 64;  // kept apart: hidden while fixed, its section has no width
    QColor lineColor_ = QColor(192, 192, 192);
    QColor headingBackground_ = QColor(212, 208, 200);
    QColor headingText_ = Qt::black;
    std::optional<QFont> headingFont_;  // none: the grid's own font
    QColor fixedBackground_ = QColor(212, 208, 200);
    QColor fixedText_ = Qt::black;
    // Heights the program or the user gave single rows: a reset would forget them.
    std::map<int, int> rowHeights_;
    Cell beforeReset_;
    bool restoring_ = false;        // the model resets; the current cell is put back after it
    bool resizing_ = false;         // the grid itself resizes sections
    bool buttonArmed_ = false;      // the left button went down on the current row's cell button
    bool userDrags_ = false;        // a mouse button is down on a heading or the row header
    bool toutesLesLignes_ = false;  // Ctrl+A, until the next key or click
};

}  // namespace varnelle::gui
