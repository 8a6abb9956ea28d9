#pragma once

#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>

namespace varnelle::gui {

// One column of a grid: what the program sets, not what it holds.
struct GridColumn {
    static constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;  // amounts
    enum class Kind { Text, CheckBox };
    enum class Button { None, Push, PickList };

    QString heading;  // a "\r" splits it over two lines
    int width = 0;    // 0: the grid's default column width
    Qt::Alignment alignment = kLeft;
    bool readOnly = false;
    int maxLength = 0;  // 0: no limit of its own
    Kind kind = Kind::Text;
    Button button = Button::None;
    int listLabelWidth = 0;  // pick list: width of its label column; 0 as its labels ask
};

// The model behind every grid. It holds no data: each cell is asked of the program through
// callbacks, with rows and columns counted from 1 as the program counts them (row r shows
// record r - 1), and edits go back through them.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The cell's text, or for a check box its state: 0, 1, or 2 for the third state.
    using CellLoaded = std::function<QVariant(int column, int row)>;
    // Validates a finished edit; false refuses it and the cell shows its old value again.
    using EndCellEdit = std::function<bool(int column, int row, const QVariant& value)>;
    using RowColor = std::function<QColor(int row)>;
    using RowFont = std::function<QFont(int row)>;

    explicit GridModel(QObject* parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    void setRows(int rows);
    int rows() const { return rows_; }

    void setCellLoaded(CellLoaded callback) { cellLoaded_ = std::move(callback); }
    void setEndCellEdit(EndCellEdit callback) { endCellEdit_ = std::move(callback); }
    void setRowBackground(RowColor callback) { rowBackground_ = std::move(callback); }
    void setRowTextColor(RowColor callback) { rowTextColor_ = std::move(callback); }
    void setRowFont(RowFont callback) { rowFont_ = std::move(callback); }
    // What a screen reader says of a cell the program draws itself; other cells say their
    // text, and tick boxes their state.
    using AccessibleText = std::function<QString(int column, int row)>;
    void setAccessibleText(AccessibleText callback) { accessibleText_ = std::move(callback); }
    // A read-only grid takes no edit, whatever its columns allow.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    // Every cell is asked again; nothing is done per row until a row is shown.
    void reload();
    void reloadRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool valid(const QModelIndex& index) const;

    std::vector<GridColumn> columns_;
    int rows_ = 0;
    bool readOnly_ = false;
    CellLoaded cellLoaded_;
    EndCellEdit endCellEdit_;
    RowColor rowBackground_;
    RowColor rowTextColor_;
    RowFont rowFont_;
    AccessibleText accessibleText_;
};

}  // namespace varnelle::gui
