#include "gui/toolkit/tree_model.h"

#include "render/budget_text.h"

namespace varnelle::gui {

TreeModel::TreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void TreeModel::setNodes(const TreeNodes* nodes) {
    nodes_ = nodes;
    reload();
}

void TreeModel::reload() {
    beginResetModel();
    shape_ = nodes_ ? TreeShape(*nodes_) : TreeShape();
    endResetModel();
}

void TreeModel::setImages(std::vector<QPixmap> images) {
    images_ = std::move(images);
    icons_.clear();
    if (nodeCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

const QPixmap* TreeModel::image(int position) const {
    if (position < 0 || position >= static_cast<int>(images_.size())) return nullptr;
    return &images_[static_cast<std::size_t>(position)];
}

const TreeNode* TreeModel::node(int position) const {
    // The owner may have changed its list since the last reload: read only what is still there.
    if (!nodes_ || position < 0 || position >= nodeCount() ||
        static_cast<std::size_t>(position) >= nodes_->size())
        return nullptr;
    return &(*nodes_)[static_cast<std::size_t>(position)];
}

int TreeModel::nodeOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return -1;
    const auto position = static_cast<int>(index.internalId());
    return position < nodeCount() ? position : -1;
}

QModelIndex TreeModel::indexOf(int position) const {
    if (position < 0 || position >= nodeCount()) return {};
    return createIndex(shape_.row(position), 0, static_cast<quintptr>(position));
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || (parent.isValid() && nodeOf(parent) < 0)) return {};
    const int child = shape_.child(parent.isValid() ? nodeOf(parent) : -1, row);
    return child < 0 ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(child));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    return indexOf(shape_.parent(nodeOf(child)));
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return shape_.childCount(-1);
    if (parent.column() != 0) return 0;
    const int position = nodeOf(parent);
    return position < 0 ? 0 : shape_.childCount(position);
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QIcon TreeModel::iconOf(const TreeNode& node) const {
    const std::pair key(node.image, node.selectedImage);
    auto found = icons_.find(key);
    if (found == icons_.end()) {
        QIcon icon;
        if (const QPixmap* normal = image(node.image)) {
            icon.addPixmap(*normal, QIcon::Normal);
            const QPixmap* selected = image(node.selectedImage);
            icon.addPixmap(selected ? *selected : *normal, QIcon::Selected);
        }
        found = icons_.emplace(key, icon).first;
    }
    return found->second;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* shown = node(nodeOf(index));
    if (!shown) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return fromBudgetText(shown->text);
    case Qt::DecorationRole: {
        const QIcon icon = iconOf(*shown);
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case kTickRole: return static_cast<int>(shown->tick);
    default: return {};
    }
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    // Trees are read-only: their texts say what core computed.
    return nodeOf(index) < 0 ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace varnelle::gui
