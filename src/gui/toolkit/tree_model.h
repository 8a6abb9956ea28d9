#pragma once

#include <map>
#include <utility>
#include <vector>

#include <QAbstractItemModel>
#include <QIcon>
#include <QPixmap>

#include "core/model/tree_nodes.h"

namespace varnelle::gui {

// The model behind every tree. It reads a node list the owner keeps (built by core, in depth
// first order) and converts a node's text or pictures only when the view asks for them; its
// one structure of its own, the parents and children, is computed once per reload.
class TreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    // The node's TickState as an int.
    static constexpr int kTickRole = Qt::UserRole + 1;

    explicit TreeModel(QObject* parent = nullptr);

    // The list stays the owner's and must outlive the model or be replaced; a change to it
    // shows after reload().
    void setNodes(const TreeNodes* nodes);
    void reload();
    // The pictures that nodes name by their position in the list.
    void setImages(std::vector<QPixmap> images);
    const QPixmap* image(int position) const;

    int nodeCount() const { return shape_.size(); }
    const TreeShape& shape() const { return shape_; }
    const TreeNode* node(int position) const;
    // Positions count every node depth first from 0; -1 is no node.
    int nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(int position) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QIcon iconOf(const TreeNode& node) const;

    const TreeNodes* nodes_ = nullptr;
    TreeShape shape_;
    std::vector<QPixmap> images_;
    // One icon per pair of pictures in use, made when first shown.
    mutable std::map<std::pair<int, int>, QIcon> icons_;
};

}  // namespace varnelle::gui
