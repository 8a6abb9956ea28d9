#include "gui/toolkit/tree.h"

#include <algorithm>

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace varnelle::gui {

namespace {

constexpr int kPicture = 16;  // side of every picture of the image list
constexpr int kTickSpace = kPicture + 2;

TickState tickOf(const QModelIndex& index) {
    return static_cast<TickState>(index.data(TreeModel::kTickRole).toInt());
}

}  // namespace

// Draws a node's tick box left of its picture and text.
class TreeDelegate final : public QStyledItemDelegate {
public:
    TreeDelegate(Tree& tree, const TreeModel& model) : QStyledItemDelegate(&tree), model_(model) {}

    void setTickImages(int unticked, int ticked) {
        unticked_ = unticked;
        ticked_ = ticked;
    }

    // The node's option as painted: the item's rectangle less the tick box.
    QStyleOptionViewItem nodeOption(QStyleOptionViewItem option, const QModelIndex& index) const {
        initStyleOption(&option, index);
        if (tickOf(index) != TickState::None) option.rect.setLeft(option.rect.left() + kTickSpace);
        return option;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const TickState tick = tickOf(index);
        QStyleOptionViewItem rest = option;
        if (tick != TickState::None) {
            // The box sits inside the node's highlight, as the branch area to its left does.
            QStyleOptionViewItem panel = option;
            initStyleOption(&panel, index);
            panel.rect.setWidth(kTickSpace);
            const QWidget* widget = option.widget;
            if (widget)
                widget->style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter,
                                               widget);
            paintTick(painter, option, tick == TickState::Ticked);
            rest.rect.setLeft(rest.rect.left() + kTickSpace);
        }
        QStyledItemDelegate::paint(painter, rest, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (tickOf(index) != TickState::None) size.rwidth() += kTickSpace;
        size.setHeight(std::max(size.height(), kPicture));
        return size;
    }

private:
    void paintTick(QPainter* painter, const QStyleOptionViewItem& option, bool ticked) const {
        const QRect box(option.rect.left(),
                        option.rect.top() + (option.rect.height() - kPicture) / 2, kPicture,
                        kPicture);
        if (const QPixmap* picture = model_.image(ticked ? ticked_ : unticked_)) {
            painter->drawPixmap(box, *picture);
            return;
        }
        QStyleOptionViewItem check = option;
        check.rect = box.adjusted(1, 1, -1, -1);
        check.state = (option.state & QStyle::State_Enabled) |
                      (ticked ? QStyle::State_On : QStyle::State_Off);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
    }

    const TreeModel& model_;
    int unticked_ = -1;
    int ticked_ = -1;
};

Tree::Tree(QWidget* parent) : QTreeView(parent), delegate_(new TreeDelegate(*this, model_)) {
    setModel(&model_);
    setItemDelegate(delegate_);
    setHeaderHidden(true);
    // Rows of one height cost nothing per row, whatever the node count.
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setIconSize(QSize(kPicture, kPicture));
    setIndentation(19);
    setAnimated(false);
    // Long texts scroll sideways rather than lose their ends.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setSelectionKeptVisible(true);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (silent_ || building() || !currentNodeChanged_) return;
                currentNodeChanged_(model_.nodeOf(current));
            });
    connect(&model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        silent_ = true;
        keepViewState();
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        restoreViewState();
        silent_ = false;
    });
}

void Tree::setNames(const QString& objectName, const QString& accessibleName) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
}

void Tree::beginBuild() {
    if (building_++ == 0) setUpdatesEnabled(false);
}

void Tree::endBuild() {
    if (building_ > 0 && --building_ == 0) setUpdatesEnabled(true);
}

void Tree::keepViewState() {
    expanded_.clear();
    current_ = -1;
    // A rebuilt list is a new tree: what was open in the old one means nothing there.
    if (building()) return;
    const TreeShape& shape = model_.shape();
    for (int node = 0; node < shape.size(); ++node)
        if (shape.childCount(node) > 0 && isExpanded(model_.indexOf(node)))
            expanded_.push_back(node);
    current_ = currentNode();
}

void Tree::restoreViewState() {
    for (const int node : expanded_)
        if (model_.shape().childCount(node) > 0) expand(model_.indexOf(node));
    const QModelIndex current = model_.indexOf(current_);
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    expanded_.clear();
    current_ = -1;
}

void Tree::setImages(std::vector<QPixmap> images) {
    model_.setImages(std::move(images));
    viewport()->update();
}

void Tree::setTickImages(int unticked, int ticked) {
    delegate_->setTickImages(unticked, ticked);
    viewport()->update();
}

void Tree::setFixedPitch(int pixelSize) {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    setFont(font);
}

void Tree::setSelectionKeptVisible(bool kept) {
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        const QPalette::ColorRole plain =
            role == QPalette::Highlight ? QPalette::Base : QPalette::Text;
        colours.setColor(QPalette::Inactive, role,
                         colours.color(QPalette::Active, kept ? role : plain));
    }
    setPalette(colours);
}

void Tree::selectNode(int position) {
    const QModelIndex index = model_.indexOf(position);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void Tree::scrollToNode(int position, bool atTop) {
    const QModelIndex index = model_.indexOf(position);
    if (!index.isValid()) return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) expand(up);
    scrollTo(index, atTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

void Tree::expandNode(int position, bool withDescendants) {
    const QModelIndex index = model_.indexOf(position);
    if (!index.isValid()) return;
    if (withDescendants)
        expandRecursively(index);
    else
        expand(index);
}

void Tree::collapseNode(int position) {
    const QModelIndex index = model_.indexOf(position);
    if (index.isValid()) collapse(index);
}

QRect Tree::nodeRect(int position) const {
    const QModelIndex index = model_.indexOf(position);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        if (!isExpanded(up)) return {};
    return index.isValid() ? visualRect(index) : QRect();
}

TreeHit Tree::hitTest(const QPoint& point) const {
    const int columnEnd = columnViewportPosition(0) + columnWidth(0);
    if (point.x() >= columnEnd) {
        // Right of the widest text the row still belongs to its node.
        const int node = model_.nodeOf(indexAt(QPoint(columnEnd - 1, point.y())));
        return node < 0 ? TreeHit{} : TreeHit{node, TreeHit::Area::Right};
    }
    const QModelIndex index = indexAt(point);
    const int node = model_.nodeOf(index);
    if (node < 0) return {};
    const QRect item = visualRect(index);
    if (point.x() < item.left()) {
        const bool button =
            model_.shape().childCount(node) > 0 && point.x() >= item.left() - indentation();
        return {node, button ? TreeHit::Area::Button : TreeHit::Area::Indent};
    }
    if (tickOf(index) != TickState::None && point.x() < item.left() + kTickSpace)
        return {node, TreeHit::Area::Tick};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = item;
    option = delegate_->nodeOption(option, index);
    const QRect picture = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    if (option.features & QStyleOptionViewItem::HasDecoration && point.x() <= picture.right())
        return {node, TreeHit::Area::Icon};
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textEnd =
        text.left() + option.fontMetrics.horizontalAdvance(option.text) + 2 * margin;
    return {node, point.x() < textEnd ? TreeHit::Area::Label : TreeHit::Area::Right};
}

bool Tree::tickPress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        event->modifiers() != Qt::NoModifier)
        return false;
    const TreeHit hit = hitTest(event->position().toPoint());
    if (hit.area != TreeHit::Area::Tick) return false;
    event->accept();
    setFocus(Qt::MouseFocusReason);
    if (tickClick_) tickClick_(hit);
    return true;
}

void Tree::onTickToggle(NodeChanged toggle) {
    onTickClick([toggle](const TreeHit& hit) { toggle(hit.node); });
    onKeyDown([this, toggle](int key, Qt::KeyboardModifiers modifiers) {
        const int node = currentNode();
        if (key != Qt::Key_Space || modifiers != Qt::NoModifier || node < 0) return false;
        toggle(node);
        if (node + 1 < model_.nodeCount()) selectNode(node + 1);
        return true;
    });
}

void Tree::mousePressEvent(QMouseEvent* event) {
    // A tick box is the program's: the press neither selects nor expands the node.
    if (tickPress(event)) return;
    QTreeView::mousePressEvent(event);
    if (mouseDown_)
        mouseDown_(event->button(), event->modifiers(), hitTest(event->position().toPoint()));
}

void Tree::mouseDoubleClickEvent(QMouseEvent* event) {
    // Two quick clicks on a box are two clicks, as the user sees them.
    if (tickPress(event)) return;
    const TreeHit hit = hitTest(event->position().toPoint());
    QTreeView::mouseDoubleClickEvent(event);
    if (doubleClick_ && event->button() == Qt::LeftButton && hit.node >= 0) doubleClick_(hit);
}

void Tree::keyPressEvent(QKeyEvent* event) {
    if (keyDown_ && keyDown_(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

}  // namespace varnelle::gui
