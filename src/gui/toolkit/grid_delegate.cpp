#include "gui/toolkit/grid_delegate.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "gui/toolkit/grid.h"
#include "gui/toolkit/grid_editors.h"

namespace varnelle::gui {

namespace {

const GridColumn& columnOf(const QModelIndex& index) {
    const auto* model = static_cast<const GridModel*>(index.model());
    return model->columns()[static_cast<std::size_t>(index.column())];
}

constexpr int kTextMargin = 3;

// Set once the editor got the cell's value, so that a reload while typing keeps the typing.
const char* const loadedProperty = "gridEditorLoaded";

}  // namespace

GridDelegate::GridDelegate(Grid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QRect GridDelegate::buttonRect(const QRect& cell) {
    const int width = std::clamp(cell.height(), 12, 20);
    return {cell.right() - width + 1, cell.top(), width, cell.height()};
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const GridColumn& column = columnOf(index);
    const GridEvents& events = grid_.events();
    bool drawn = false;
    if (events.paintCell) {
        painter->save();
        drawn = events.paintCell(index.column() + 1, index.row() + 1, *painter, option.rect);
        painter->restore();
    }
    const QModelIndex current = grid_.currentIndex();
    const bool withButton =
        column.button == GridColumn::Button::Push && index.row() == current.row();
    if (!drawn) {
        QStyleOptionViewItem look(option);
        if (grid_.selection() == Grid::Selection::None) look.state &= ~QStyle::State_Selected;
        if (withButton) look.rect.setRight(buttonRect(option.rect).left() - 1);
        const QVariant check = index.data(Qt::CheckStateRole);
        if (check.isValid()) {
            const QVariant background = index.data(Qt::BackgroundRole);
            if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
            paintCheck(painter, look.rect, check.value<Qt::CheckState>());
        } else {
            paintText(painter, look, option.rect, index);
        }
    }
    // Over the program's own drawing too: the button is how the cell is edited.
    if (withButton) {
        QStyleOptionButton button;
        button.rect = buttonRect(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        QWidget* widget = grid_.viewport();
        widget->style()->drawControl(QStyle::CE_PushButton, &button, painter, widget);
    }
    paintLines(painter, option.rect);
    // Without a highlight, a dotted frame still shows where the keyboard is, on grids where
    // the keyboard can change something.
    if (grid_.selection() == Grid::Selection::None && !grid_.readOnly() &&
        index == grid_.currentIndex()) {
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void GridDelegate::paintText(QPainter* painter, const QStyleOptionViewItem& look, const QRect& cell,
                             const QModelIndex& index) const {
    // Drawn directly rather than through the style's item layout: a screen of a large grid
    // repaints several times faster, and cells clip their text as a grid does.
    const QPalette& palette = look.palette;
    const bool selected = look.state & QStyle::State_Selected;
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(cell, selected               ? palette.color(QPalette::Highlight)
                            : background.isValid() ? background.value<QColor>()
                                                   : palette.color(QPalette::Base));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QVariant font = index.data(Qt::FontRole);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const QRect area = look.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter->save();
    painter->setClipRect(area);
    painter->setFont(font.isValid() ? font.value<QFont>() : look.font);
    painter->setPen(selected               ? palette.color(QPalette::HighlightedText)
                    : foreground.isValid() ? foreground.value<QColor>()
                                           : palette.color(QPalette::Text));
    const Qt::Alignment align =
        alignment.isValid() ? alignment.value<Qt::Alignment>() : (Qt::AlignLeft | Qt::AlignVCenter);
    texts_.draw(*painter, area, align, text);
    painter->restore();
}

void GridDelegate::paintLines(QPainter* painter, const QRect& r) const {
    // One pixel wide rectangles: the pixels of the lines, without stroking them.
    const QColor color = grid_.lineColor();
    if (grid_.lines() == Grid::Lines::Vertical || grid_.lines() == Grid::Lines::Both)
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
    if (grid_.lines() == Grid::Lines::Horizontal || grid_.lines() == Grid::Lines::Both)
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!index.data(Qt::CheckStateRole).isValid())
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    // A click anywhere in a check box cell, or the space bar, toggles it through the program.
    const bool toggle = event->type() == QEvent::MouseButtonRelease
                            ? static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
                            : event->type() == QEvent::KeyPress &&
                                  static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    if (!toggle || !(index.flags() & Qt::ItemIsUserCheckable)) return false;
    const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    QString value = checked ? QStringLiteral("0") : QStringLiteral("1");
    if (grid_.events().cellEdit)
        grid_.events().cellEdit(index.column() + 1, index.row() + 1, value);
    const int state = value.toInt();
    return model->setData(index,
                          state == 1   ? Qt::Checked
                          : state == 0 ? Qt::Unchecked
                                       : Qt::PartiallyChecked,
                          Qt::CheckStateRole);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
    const GridColumn& column = columnOf(index);
    const int dataColumn = index.column() + 1;
    const int row = index.row() + 1;
    QWidget* editor = nullptr;
    if (column.button == GridColumn::Button::PickList) {
        auto* pickList =
            new PickList(parent, grid_.events(), dataColumn, row, column.listLabelWidth);
        // A choice ends the edit at once, through the program's end-cell-edit.
        connect(pickList, &PickList::chosen, this, [this, pickList] {
            emit const_cast<GridDelegate*>(this)->commitData(pickList);
            emit const_cast<GridDelegate*>(this)->closeEditor(pickList);
        });
        editor = pickList;
    } else {
        auto* line = new QLineEdit(parent);
        line->setObjectName(QStringLiteral("gridEditor"));
        line->setFrame(false);
        line->setAlignment(column.alignment);
        prepareCellLineEdit(*line, column.maxLength, grid_.events(), dataColumn, row);
        editor = line;
    }
    // What is typed shows in the row's own font, as the cell does.
    const QVariant font = index.data(Qt::FontRole);
    if (font.isValid()) editor->setFont(font.value<QFont>());
    editor_ = editor;
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (editor->property(loadedProperty).toBool()) return;
    editor->setProperty(loadedProperty, true);
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* pickList = qobject_cast<PickList*>(editor)) {
        pickList->setCurrentIndex(pickList->findText(value));
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(value);
        line->selectAll();
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* pickList = qobject_cast<PickList*>(editor))
        model->setData(index, pickList->value(), Qt::EditRole);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text(), Qt::EditRole);
}

void GridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == editor_) editor_ = nullptr;
    // Released by a reload while it had the focus, its focus-out must not commit it again.
    editor->removeEventFilter(const_cast<GridDelegate*>(this));
    if (editor->isAncestorOf(QApplication::focusWidget()) || editor->hasFocus()) grid_.setFocus();
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QRect area = option.rect;
    // The cell's push button stays visible and clickable beside its editor.
    if (columnOf(index).button == GridColumn::Button::Push)
        area.setRight(buttonRect(option.rect).left() - 1);
    editor->setGeometry(area);
}

void GridDelegate::paintCheck(QPainter* painter, const QRect& cell, Qt::CheckState state) const {
    const int side = std::min({cell.width(), cell.height(), 13}) - 2;
    const QRect box(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side);
    // Only where an image's pixel is the device's: elsewhere the box is drawn as it is, as it
    // is in a squeezed row, which no image holds.
    const QPaintDevice* device = painter->device();
    if (side <= 0 || painter->transform().type() > QTransform::TxTranslate ||
        (device != nullptr && device->devicePixelRatioF() != 1.0)) {
        painter->save();
        drawCheck(*painter, box, state);
        painter->restore();
        return;
    }
    // Drawn once per look into an image, opaque where it paints: laying it down gives the
    // very pixels drawing it would, at a fraction of the cost on a screen of check boxes.
    const auto key =
        std::make_tuple(side, static_cast<int>(state), static_cast<int>(grid_.checkShape()));
    QImage& image = checkBoxes_[key];
    if (image.isNull()) {
        image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter onImage(&image);
        drawCheck(onImage, QRect(0, 0, side, side), state);
    }
    painter->drawImage(box.topLeft(), image);
}

void GridDelegate::drawCheck(QPainter& painter, const QRect& box, Qt::CheckState state) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect inner = box.adjusted(3, 3, -4, -4);
    if (state == Qt::PartiallyChecked) {
        painter.fillRect(inner.adjusted(0, 0, 1, 1), Qt::gray);
    } else if (state == Qt::Checked) {
        painter.setPen(QPen(Qt::black, 2));
        switch (grid_.checkShape()) {
        case Grid::CheckShape::Flat: painter.fillRect(inner.adjusted(0, 0, 1, 1), Qt::black); break;
        case Grid::CheckShape::Tick:
            painter.drawPolyline(QPolygon({QPoint(inner.left(), inner.center().y()),
                                           QPoint(inner.center().x() - 1, inner.bottom()),
                                           QPoint(inner.right(), inner.top())}));
            break;
        case Grid::CheckShape::Cross:
            painter.drawLine(inner.topLeft(), inner.bottomRight());
            painter.drawLine(inner.bottomLeft(), inner.topRight());
            break;
        }
    }
}

}  // namespace varnelle::gui
