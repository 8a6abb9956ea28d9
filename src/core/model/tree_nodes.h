#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnelle {

// The sixteen pictures the trees share, as normal/selected pairs: the selected picture of a
// node is always the one after its normal picture.
namespace images_arbres {
inline constexpr int kAnnee = 0;
inline constexpr int kMois = 2;
inline constexpr int kTypeDep = 4;
inline constexpr int kAnneeEnBaisse = 6;
inline constexpr int kAnneeSansBaisse = 8;
inline constexpr int kMoisEnBaisse = 10;
inline constexpr int kMoisSansBaisse = 12;
inline constexpr int kCaseVide = 14;
inline constexpr int kCaseCochee = 15;
inline constexpr int kNombre = 16;
}  // namespace images_arbres

enum class TickState : std::uint8_t { None, Unticked, Ticked };

// One node of a tree as core builds it. A list holds its nodes depth first, each node followed
// by its descendants, so a node's absolute position in the tree is its index in the list.
struct TreeNode {
    int level = 0;     // 0: top level
    std::string text;  // Windows-1252, as everywhere in the budget
    int image = -1;    // -1: no picture
    int selectedImage = -1;
    TickState tick = TickState::None;
    std::int64_t data = 0;  // lets the owner find the node's record again

    bool operator==(const TreeNode&) const = default;
};

using TreeNodes = std::vector<TreeNode>;

// The first node whose level cannot follow the one before it (the first node at level 0, then
// each at most one level deeper than the previous, never below 0); empty when the list is a
// tree.
std::optional<std::size_t> firstMisplacedNode(const TreeNodes& nodes);

// Parents and children of a node list, computed in one pass. A misplaced level is read as the
// nearest level it could have (one below the previous node, or 0), so a faulty list still
// gives a tree. Node -1 stands for the invisible root above the top level.
class TreeShape {
public:
    TreeShape() = default;
    explicit TreeShape(const TreeNodes& nodes);

    int size() const { return static_cast<int>(parent_.size()); }
    int parent(int node) const;  // -1 for a top-level node or a position out of range
    int row(int node) const;     // its place among its parent's children
    int level(int node) const;   // the level read from the list
    int childCount(int node) const;
    int child(int node, int row) const;  // -1 when there is no such child
    // The position just after the node's last descendant.
    int subtreeEnd(int node) const;

private:
    bool valid(int node) const { return node >= 0 && node < size(); }
    // Node -1, the root, has slot 0.
    std::size_t slot(int node) const { return static_cast<std::size_t>(node) + 1; }

    std::vector<int> parent_;
    std::vector<int> row_;
    std::vector<int> level_;
    std::vector<int> subtreeEnd_;
    // Children of every node grouped by parent; those of node p start at firstChild_[p + 1].
    std::vector<int> children_;
    std::vector<int> firstChild_;
};

// The tick rule of the trees of years and months: a node under an unticked parent first ticks
// that parent (and so on upwards; the parent's other children keep their states), then takes
// the other state and gives it to all its descendants. False, and nothing changes, for a
// position out of range or a node without a tick box.
bool toggleTick(TreeNodes& nodes, const TreeShape& shape, int node);

}  // namespace varnelle
