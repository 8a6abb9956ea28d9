#include "core/model/tree_nodes.h"

#include <array>

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TreeNodes withLevels(std::initializer_list<int> levels) {
    TreeNodes nodes;
    for (const int level : levels) {
        nodes.emplace_back();
        nodes.back().level = level;
    }
    return nodes;
}

TEST(TreeNodes, MisplacedNodesAreFoundAndReadAsTheNearestPossible) {
    struct Case {
        TreeNodes nodes;
        std::optional<std::size_t> misplaced;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {withLevels({0, 1, 2, 2, 1, 0, 1}), std::nullopt},
        {withLevels({0, 1, 2, 0}), std::nullopt},  // back up more than one level at once
        {withLevels({1}), 0},                      // the first node must be at the top
        {withLevels({0, 2}), 1},                   // a level skipped
        {withLevels({0, 1, -1}), 2},
    };
    for (const Case& c : cases) EXPECT_EQ(firstMisplacedNode(c.nodes), c.misplaced);

    // A shape reads misplaced levels as the nearest possible: 0, 3 -> 1, -2 -> 0, 5 -> 1.
    const TreeShape shape(withLevels({0, 3, -2, 5}));
    for (const auto [node, level, parent] : {std::array{1, 1, 0}, {2, 0, -1}, {3, 1, 2}}) {
        EXPECT_EQ(shape.level(node), level);
        EXPECT_EQ(shape.parent(node), parent);
    }
    EXPECT_EQ(TreeShape().childCount(-1), 0);  // before any list
}

// Years, months, types: 0 2024 / 1 Janvier / 2 A / 3 B / 4 Mars / 5 2025 / 6 Avril / 7 C
TEST(TreeNodes, ShapeGivesParentsChildrenAndSubtrees) {
    const TreeShape shape(withLevels({0, 1, 2, 2, 1, 0, 1, 2}));
    struct Case {
        int node, parent, row, childCount, subtreeEnd;
        std::vector<int> children;
    };
    const Case cases[] = {
        {-1, -1, -1, 2, -1, {0, 5}},  // the invisible root
        {0, -1, 0, 2, 5, {1, 4}},    {1, 0, 0, 2, 4, {2, 3}}, {3, 1, 1, 0, 4, {}},
        {4, 0, 1, 0, 5, {}},         {5, -1, 1, 1, 8, {6}},   {7, 6, 0, 0, 8, {}},
        {8, -1, -1, 0, 8, {}},  // past the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_EQ(shape.parent(c.node), c.parent);
        EXPECT_EQ(shape.row(c.node), c.row);
        EXPECT_EQ(shape.childCount(c.node), c.childCount);
        EXPECT_EQ(shape.subtreeEnd(c.node), c.subtreeEnd);
        std::vector<int> children;
        for (int r = 0; r < c.childCount; ++r) children.push_back(shape.child(c.node, r));
        EXPECT_EQ(children, c.children);
        EXPECT_EQ(shape.child(c.node, c.childCount), -1);
        // A child's parent and place lead back to it.
        for (int r = 0; r < c.childCount; ++r) {
            EXPECT_EQ(shape.parent(c.children[static_cast<std::size_t>(r)]), c.node);
            EXPECT_EQ(shape.row(c.children[static_cast<std::size_t>(r)]), r);
        }
    }
}

TEST(TreeNodes, ToggleTickOfYearsAndMonths) {
    constexpr auto o = TickState::Unticked, x = TickState::Ticked, n = TickState::None;
    using Ticks = std::vector<TickState>;
    // 0 2023 / 1 Nov / 2 Déc / 3 2024 / 4 Jan / 5 Fév
    struct Case {
        Ticks before;
        int node;
        bool toggled;
        Ticks after;
    };
    const Case cases[] = {
        // A year gives its new state to every month.
        {{o, o, x, x, o, x}, 0, true, {x, x, x, x, o, x}},
        {{o, o, x, x, o, x}, 3, true, {o, o, x, o, o, o}},
        // A month of an unticked year ticks the year alone, then itself.
        {{o, o, o, o, o, o}, 4, true, {o, o, o, x, x, o}},
        // Unticking the last ticked month leaves the year ticked.
        {{o, o, o, x, x, o}, 4, true, {o, o, o, x, o, o}},
        // A month ticked under an unticked year: the year is ticked, the month toggles off.
        {{o, x, o, x, x, x}, 1, true, {x, o, o, x, x, x}},
        // No tick box, or no node: nothing changes.
        {{n, n, n, n, n, n}, 1, false, {n, n, n, n, n, n}},
        {{o, o, o, o, o, o}, -1, false, {o, o, o, o, o, o}},
        {{o, o, o, o, o, o}, 6, false, {o, o, o, o, o, o}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        TreeNodes nodes = withLevels({0, 1, 1, 0, 1, 1});
        for (std::size_t i = 0; i < nodes.size(); ++i) nodes[i].tick = c.before[i];
        EXPECT_EQ(toggleTick(nodes, TreeShape(nodes), c.node), c.toggled);
        Ticks after;
        for (const TreeNode& node : nodes) after.push_back(node.tick);
        EXPECT_EQ(after, c.after);
    }
}

}  // namespace
}  // namespace varnelle
