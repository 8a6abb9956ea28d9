#include "gui/toolkit/grid_model.h"

namespace varnelle::gui {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

void GridModel::setRows(int rows) {
    beginResetModel();
    rows_ = std::max(rows, 0);
    endResetModel();
}

void GridModel::reload() {
    beginResetModel();
    endResetModel();
}

void GridModel::reloadRow(int row) {
    if (row < 1 || row > rows_ || columns_.empty()) return;
    emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

bool GridModel::valid(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rows_ &&
           index.column() < columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!valid(index)) return {};
    const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column.kind == GridColumn::Kind::Text && cellLoaded_)
            return cellLoaded_(index.column() + 1, row);
        return {};
    case Qt::CheckStateRole:
        if (column.kind == GridColumn::Kind::CheckBox && cellLoaded_) {
            const int state = cellLoaded_(index.column() + 1, row).toInt();
            return state == 1 ? Qt::Checked : state == 0 ? Qt::Unchecked : Qt::PartiallyChecked;
        }
        return {};
    case Qt::AccessibleTextRole: {
        if (accessibleText_) {
            const QString texte = accessibleText_(index.column() + 1, row);
            if (!texte.isEmpty()) return texte;
        }
        if (column.kind == GridColumn::Kind::CheckBox) {
            const QVariant state = data(index, Qt::CheckStateRole);
            return state == Qt::Checked     ? QStringLiteral("coché")
                   : state == Qt::Unchecked ? QStringLiteral("non coché")
                                            : QStringLiteral("simulation");
        }
        return data(index, Qt::DisplayRole);
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(column.alignment);
    case Qt::BackgroundRole: return rowBackground_ ? QVariant(rowBackground_(row)) : QVariant();
    case Qt::ForegroundRole: return rowTextColor_ ? QVariant(rowTextColor_(row)) : QVariant();
    case Qt::FontRole: return rowFont_ ? QVariant(rowFont_(row)) : QVariant();
    default: return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!valid(index) || !endCellEdit_ || !(flags(index) & Qt::ItemIsEnabled)) return false;
    const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
    if (column.readOnly || readOnly_) return false;
    QVariant given;
    if (role == Qt::EditRole && column.kind == GridColumn::Kind::Text) {
        given = value;
    } else if (role == Qt::CheckStateRole && column.kind == GridColumn::Kind::CheckBox) {
        const auto state = value.value<Qt::CheckState>();
        given = state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
    } else {
        return false;
    }
    const bool accepted = endCellEdit_(index.column() + 1, index.row() + 1, given);
    // Accepted or not, the cell shows what the program holds now, unless the program
    // reloaded the whole grid meanwhile.
    if (valid(index)) emit dataChanged(index, index);
    return accepted;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const GridColumn& column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString(column.heading).replace('\r', '\n');
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(column.alignment);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!valid(index)) return Qt::NoItemFlags;
    const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!column.readOnly && !readOnly_)
        result |= column.kind == GridColumn::Kind::CheckBox ? Qt::ItemIsUserCheckable
                                                            : Qt::ItemIsEditable;
    return result;
}

}  // namespace varnelle::gui
