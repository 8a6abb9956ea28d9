#include "gui/toolkit/grid_headers.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "gui/toolkit/grid.h"

namespace varnelle::gui {

void paintRaised(QPainter& painter, const QRect& rect, const QColor& background, bool sunken) {
    painter.fillRect(rect, background);
    QPalette shades;
    shades.setColor(QPalette::Light, background.lighter(150));
    shades.setColor(QPalette::Dark, background.darker(160));
    qDrawShadePanel(&painter, rect, shades, sunken, 1);
}

HeadingRow::HeadingRow(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("gridHeadings"));
}

void HeadingRow::setFixedExtent(int pixels) {
    extent_ = std::max(pixels, 0);
    updateGeometry();
}

QSize HeadingRow::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    if (extent_ > 0)
        size.setHeight(extent_);
    else  // a grid whose only column is the fixed one still shows that column's heading
        size.setHeight(std::max(size.height(), fontMetrics().height() + 6));
    return size;
}

RowHeader::RowHeader(Grid& grid) : QHeaderView(Qt::Vertical, &grid), grid_(grid) {
    setObjectName(QStringLiteral("gridRowHeader"));
}

void RowHeader::setBar(bool shown, bool currentMark) {
    bar_ = shown;
    mark_ = currentMark;
    updateGeometry();
    viewport()->update();
}

void RowHeader::setFixedColumn(bool fixed, int width) {
    fixed_ = fixed;
    fixedWidth_ = width;
    updateGeometry();
    viewport()->update();
}

QSize RowHeader::sizeHint() const {
    return {extent(), QHeaderView::sizeHint().height()};
}

void RowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const int row = logicalIndex + 1;
    painter->save();
    if (bar_) {
        const QRect bar(rect.left(), rect.top(), barWidth, rect.height());
        paintRaised(*painter, bar, grid_.headingBackground(), false);
        if (mark_ && grid_.currentCell().row == row) {
            const QPoint c = bar.center();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(grid_.headingText());
            painter->drawPolygon(QPolygon({QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()),
                                           QPoint(c.x() - 2, c.y() + 4)}));
        }
    }
    if (fixed_) {
        const QRect cell(rect.left() + (bar_ ? barWidth : 0), rect.top(), fixedWidth_,
                         rect.height());
        const GridEvents& events = grid_.events();
        painter->save();
        const bool drawn = events.paintCell && events.paintCell(1, row, *painter, cell);
        painter->restore();
        if (!drawn) {
            paintRaised(*painter, cell, grid_.fixedBackground(), false);
            const QModelIndex index = model()->index(logicalIndex, 0);
            const QVariant font = index.data(Qt::FontRole);
            if (font.isValid()) painter->setFont(font.value<QFont>());
            painter->setPen(grid_.fixedText());
            painter->drawText(cell.adjusted(3, 0, -3, 0),
                              int(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>()),
                              index.data(Qt::DisplayRole).toString());
        }
    }
    painter->restore();
}

FixedHeading::FixedHeading(Grid& grid) : QWidget(&grid), grid_(grid) {
    setObjectName(QStringLiteral("gridFixedHeading"));
}

void FixedHeading::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintRaised(painter, rect(), grid_.headingBackground(), pressed_);
    const auto& columns = grid_.gridModel().columns();
    if (columns.empty()) return;
    painter.setFont(grid_.horizontalHeader()->font());
    painter.setPen(grid_.headingText());
    painter.drawText(rect().adjusted(3, 0, -3, 0), Qt::AlignCenter,
                     QString(columns.front().heading).replace('\r', '\n'));
}

void FixedHeading::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void FixedHeading::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace varnelle::gui
