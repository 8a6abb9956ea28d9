#pragma once

#include <functional>
#include <vector>

#include <QPixmap>
#include <QTreeView>

#include "core/model/tree_nodes.h"
#include "gui/toolkit/tree_model.h"

namespace varnelle::gui {

class TreeDelegate;

// What lies under a point of the tree, for the program to decide what a click means.
struct TreeHit {
    enum class Area { Nowhere, Indent, Button, Tick, Icon, Label, Right };
    int node = -1;  // absolute position, -1 under the last node
    Area area = Area::Nowhere;
    bool operator==(const TreeHit&) const = default;
};

// The one tree control of the program: a read-only view over a node list that core builds,
// with nodes named by their absolute position (every node counted depth first from 0).
// Tick boxes are drawn here but never toggled here: a click on one is reported, and the
// program changes its list and reloads.
class Tree final : public QTreeView {
    Q_OBJECT

public:
    using NodeChanged = std::function<void(int node)>;  // -1: no current node
    using NodeHit = std::function<void(const TreeHit& hit)>;
    // Every press the tree does not take as a tick click, after the tree handled it.
    using MouseDown = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, const TreeHit&)>;
    // True when the program took the key.
    using KeyDown = std::function<bool(int key, Qt::KeyboardModifiers)>;

    // Keeps the tree still and silent while its owner rebuilds the list: no repaint, no
    // current-node callback, and the reload starts from a collapsed tree with no current node.
    class Building final {
    public:
        explicit Building(Tree& tree) : tree_(tree) { tree_.beginBuild(); }
        ~Building() { tree_.endBuild(); }
        Building(const Building&) = delete;
        Building& operator=(const Building&) = delete;

    private:
        Tree& tree_;
    };

    explicit Tree(QWidget* parent = nullptr);

    void setNames(const QString& objectName, const QString& accessibleName);
    TreeModel& treeModel() { return model_; }

    // The list stays the owner's, as with TreeModel.
    void setNodes(const TreeNodes* nodes) { model_.setNodes(nodes); }
    // Outside a build, the expanded nodes and the current node stay where they were (by
    // absolute position), without a callback.
    void reload() { model_.reload(); }
    void beginBuild();
    void endBuild();
    bool building() const { return building_ > 0; }

    void setImages(std::vector<QPixmap> images);
    // Pictures of the image list for the two tick states; -1 draws a plain box.
    void setTickImages(int unticked, int ticked);
    // The fixed-pitch font at `pixelSize`, so that columns of figures line up.
    void setFixedPitch(int pixelSize);
    // Whether the current node stays highlighted when the focus leaves the tree.
    void setSelectionKeptVisible(bool kept);

    int currentNode() const { return model_.nodeOf(currentIndex()); }
    // Makes the node current and selected; the callback hears it unless a build is running.
    void selectNode(int position);
    // Opens the node's parents and scrolls until it shows, at the top when asked.
    void scrollToNode(int position, bool atTop = false);
    void expandNode(int position, bool withDescendants = false);
    void collapseNode(int position);
    // Where the node shows in the viewport; empty when it is hidden in a closed parent.
    QRect nodeRect(int position) const;
    TreeHit hitTest(const QPoint& viewportPoint) const;

    void onCurrentNodeChanged(NodeChanged f) { currentNodeChanged_ = std::move(f); }
    void onTickClick(NodeHit f) { tickClick_ = std::move(f); }
    void onDoubleClick(NodeHit f) { doubleClick_ = std::move(f); }
    void onMouseDown(MouseDown f) { mouseDown_ = std::move(f); }
    void onKeyDown(KeyDown f) { keyDown_ = std::move(f); }
    // A tick tree: a click on a tick box, or space, toggles the node through `toggle`; space
    // then walks on to the next node, so that a run of nodes is ticked in turn.
    void onTickToggle(NodeChanged toggle);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool tickPress(QMouseEvent* event);
    void keepViewState();
    void restoreViewState();

    TreeModel model_;
    TreeDelegate* delegate_;
    NodeChanged currentNodeChanged_;
    NodeHit tickClick_;
    NodeHit doubleClick_;
    MouseDown mouseDown_;
    KeyDown keyDown_;
    int building_ = 0;
    bool silent_ = false;  // the model resets: the view's own moves are not the user's
    std::vector<int> expanded_;
    int current_ = -1;
};

}  // namespace varnelle::gui
