#include "core/model/tree_nodes.h"

#include <algorithm>

namespace varnelle {

std::optional<std::size_t> firstMisplacedNode(const TreeNodes& nodes) {
    int previous = -1;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const int level = nodes[i].level;
        if (level < 0 || level > previous + 1) return i;
        previous = level;
    }
    return std::nullopt;
}

TreeShape::TreeShape(const TreeNodes& nodes) {
    const std::size_t n = nodes.size();
    parent_.resize(n);
    row_.resize(n);
    level_.resize(n);
    subtreeEnd_.resize(n);
    firstChild_.assign(n + 2, 0);
    // The last node seen at each level so far: the parent of a node is the last one just above.
    std::vector<int> lastAt;
    for (std::size_t i = 0; i < n; ++i) {
        const int level = std::clamp(nodes[i].level, 0, static_cast<int>(lastAt.size()));
        lastAt.resize(static_cast<std::size_t>(level));
        const int parent = level == 0 ? -1 : lastAt.back();
        // Everything still open at this level or deeper ends here.
        lastAt.push_back(static_cast<int>(i));
        parent_[i] = parent;
        level_[i] = level;
        row_[i] = firstChild_[slot(parent) + 1]++;  // counts children for now
    }
    // Counts -> start of each parent's group, then place the children in list order.
    for (std::size_t p = 1; p < firstChild_.size(); ++p) firstChild_[p] += firstChild_[p - 1];
    children_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        children_[static_cast<std::size_t>(firstChild_[slot(parent_[i])]) +
                  static_cast<std::size_t>(row_[i])] = static_cast<int>(i);
    // A node's subtree ends where the next node at its level or above begins.
    std::vector<int> open;
    for (std::size_t i = 0; i < n; ++i) {
        while (!open.empty() && level_[static_cast<std::size_t>(open.back())] >= level_[i]) {
            subtreeEnd_[static_cast<std::size_t>(open.back())] = static_cast<int>(i);
            open.pop_back();
        }
        open.push_back(static_cast<int>(i));
    }
    for (const int node : open) subtreeEnd_[static_cast<std::size_t>(node)] = static_cast<int>(n);
}

int TreeShape::parent(int node) const {
    return valid(node) ? parent_[static_cast<std::size_t>(node)] : -1;
}

int TreeShape::row(int node) const {
    return valid(node) ? row_[static_cast<std::size_t>(node)] : -1;
}

int TreeShape::level(int node) const {
    return valid(node) ? level_[static_cast<std::size_t>(node)] : -1;
}

int TreeShape::childCount(int node) const {
    if ((node != -1 && !valid(node)) || firstChild_.empty()) return 0;
    return firstChild_[slot(node) + 1] - firstChild_[slot(node)];
}

int TreeShape::child(int node, int row) const {
    if (row < 0 || row >= childCount(node)) return -1;
    return children_[static_cast<std::size_t>(firstChild_[slot(node)]) +
                     static_cast<std::size_t>(row)];
}

int TreeShape::subtreeEnd(int node) const {
    return valid(node) ? subtreeEnd_[static_cast<std::size_t>(node)] : node;
}

bool toggleTick(TreeNodes& nodes, const TreeShape& shape, int node) {
    if (node < 0 || node >= shape.size() || static_cast<std::size_t>(shape.size()) != nodes.size())
        return false;
    TreeNode& target = nodes[static_cast<std::size_t>(node)];
    if (target.tick == TickState::None) return false;
    for (int up = shape.parent(node); up >= 0; up = shape.parent(up)) {
        TreeNode& parent = nodes[static_cast<std::size_t>(up)];
        if (parent.tick == TickState::Unticked) parent.tick = TickState::Ticked;
    }
    const TickState next =
        target.tick == TickState::Unticked ? TickState::Ticked : TickState::Unticked;
    for (int i = node; i < shape.subtreeEnd(node); ++i) {
        TreeNode& n = nodes[static_cast<std::size_t>(i)];
        if (n.tick != TickState::None) n.tick = next;
    }
    return true;
}

}  // namespace varnelle
