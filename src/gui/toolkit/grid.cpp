#include "toolkit/grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace varnelle::gui {

// Draws the grid lines the view's own grid cannot (vertical or horizontal only) and the
// check boxes in the grid's shape.
class GridDelegate final : public QStyledItemDelegate {
public:
    explicit GridDelegate(Grid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant check = index.data(Qt::CheckStateRole);
        if (check.isValid()) {
            const QVariant background = index.data(Qt::BackgroundRole);
            if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
            paintCheck(painter, option.rect, check.value<Qt::CheckState>());
        } else {
            QStyledItemDelegate::paint(painter, option, index);
        }
        painter->save();
        painter->setPen(grid_.lineColor());
        const QRect r = option.rect;
        if (grid_.lines() == Grid::Lines::Vertical || grid_.lines() == Grid::Lines::Both)
            painter->drawLine(r.topRight(), r.bottomRight());
        if (grid_.lines() == Grid::Lines::Horizontal || grid_.lines() == Grid::Lines::Both)
            painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        // A click anywhere in a check box cell toggles it.
        if (index.data(Qt::CheckStateRole).isValid() && (index.flags() & Qt::ItemIsUserCheckable) &&
            event->type() == QEvent::MouseButtonRelease) {
            const bool checked =
                index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    void paintCheck(QPainter* painter, const QRect& cell, Qt::CheckState state) const {
        const int side = std::min({cell.width(), cell.height(), 13}) - 2;
        const QRect box(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(box, Qt::white);
        painter->setPen(Qt::black);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        const QRect inner = box.adjusted(3, 3, -4, -4);
        if (state == Qt::PartiallyChecked) {
            painter->fillRect(inner.adjusted(0, 0, 1, 1), Qt::gray);
        } else if (state == Qt::Checked) {
            QPen pen(Qt::black, 2);
            painter->setPen(pen);
            switch (grid_.checkShape()) {
            case Grid::CheckShape::Flat:
                painter->fillRect(inner.adjusted(0, 0, 1, 1), Qt::black);
                break;
            case Grid::CheckShape::Tick:
                painter->drawPolyline(QPolygon({QPoint(inner.left(), inner.center().y()),
                                                QPoint(inner.center().x() - 1, inner.bottom()),
                                                QPoint(inner.right(), inner.top())}));
                break;
            case Grid::CheckShape::Cross:
                painter->drawLine(inner.topLeft(), inner.bottomRight());
                painter->drawLine(inner.bottomLeft(), inner.topRight());
                break;
            }
        }
        painter->restore();
    }

    Grid& grid_;
};

Grid::Grid(QWidget* parent) : QTableView(parent), delegate_(new GridDelegate(*this)) {
    setModel(&model_);
    setItemDelegate(delegate_);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionsMovable(false);
    verticalHeader()->setSectionsMovable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->hide();
}

void Grid::setColumns(std::vector<GridColumn> columns) {
    model_.setColumns(std::move(columns));
    for (std::size_t i = 0; i < model_.columns().size(); ++i)
        setColumnWidth(static_cast<int>(i), model_.columns()[i].width);
}

void Grid::setColumnVisible(int column, bool visible) {
    setColumnHidden(column - 1, !visible);
}

void Grid::setDisplayPosition(int column, int position) {
    QHeaderView* header = horizontalHeader();
    header->moveSection(header->visualIndex(column - 1), position - 1);
}

void Grid::setColors(const QColor& background, const QColor& text, const QColor& headingBackground,
                     const QColor& headingText, const QColor& lines) {
    lineColor_ = lines;
    QPalette colors = palette();
    colors.setColor(QPalette::Base, background);
    colors.setColor(QPalette::Text, text);
    setPalette(colors);
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: %2; "
                       "border: 1px solid %3; }")
            .arg(headingBackground.name(), headingText.name(), lines.name()));
    viewport()->update();
}

void Grid::setLines(Lines lines) {
    lines_ = lines;
    viewport()->update();
}

void Grid::setCheckShape(CheckShape shape) {
    checkShape_ = shape;
    viewport()->update();
}

Grid::Cell Grid::currentCell() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return {};
    return {index.column() + 1, index.row() + 1};
}

void Grid::setCurrentCell(Cell cell) {
    const QModelIndex index = model_.index(cell.row - 1, cell.column - 1);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
}

Grid::Cell Grid::cellAt(const QPoint& point) const {
    const QPoint inViewport = point - viewport()->pos();
    if (inViewport.y() < 0) {
        if (point.y() < horizontalHeader()->pos().y()) return {};
        const int column = horizontalHeader()->logicalIndexAt(inViewport.x());
        return column < 0 ? Cell{} : Cell{column + 1, 0};
    }
    const QModelIndex index = indexAt(inViewport);
    return index.isValid() ? Cell{index.column() + 1, index.row() + 1} : Cell{};
}

}  // namespace varnelle::gui
