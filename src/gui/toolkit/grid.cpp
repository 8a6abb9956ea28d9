#include "gui/toolkit/grid.h"

#include <utility>

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "gui/toolkit/grid_delegate.h"
#include "gui/toolkit/grid_headers.h"

namespace varnelle::gui {

namespace {

constexpr auto userEditTriggers = QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed;

}  // namespace

Grid::Grid(QWidget* parent)
    : QTableView(parent), delegate_(new GridDelegate(*this)), headings_(new HeadingRow(this)),
      rowHeader_(new RowHeader(*this)), fixedHeading_(new FixedHeading(*this)) {
    setHorizontalHeader(headings_);
    setVerticalHeader(rowHeader_);
    setModel(&model_);
    setItemDelegate(delegate_);
    setShowGrid(false);
    setWordWrap(false);
    setEditTriggers(userEditTriggers);
    setSelection(Selection::Row);
    // Row by row, as grids scroll: the top row is whole, never half under the headings.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setTracking(true);

    headings_->setSectionsMovable(false);
    headings_->setSectionsClickable(true);
    headings_->setHighlightSections(false);
    headings_->setMinimumSectionSize(4);
    headings_->setSectionResizeMode(QHeaderView::Fixed);
    // Fixed-size rows cost nothing per row, whatever the row count.
    rowHeader_->setSectionsMovable(false);
    rowHeader_->setMinimumSectionSize(4);
    rowHeader_->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader_->setDefaultSectionSize(18);
    rowHeader_->hide();
    fixedHeading_->hide();

    connect(headings_, &QHeaderView::sectionClicked, this, [this](int section) {
        if (events_.headingClick) events_.headingClick(section + 1);
    });
    connect(fixedHeading_, &FixedHeading::clicked, this, [this] {
        if (events_.headingClick) events_.headingClick(1);
    });
    connect(headings_, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        sectionResizedByUser(Qt::Horizontal, section, size);
    });
    connect(rowHeader_, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        sectionResizedByUser(Qt::Vertical, section, size);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &Grid::currentMoved);
    // While the model resets, the view moves its current cell on its own (to the first cell when
    // a closing editor hands the focus back): the program hears only where the user ends up.
    connect(&model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        beforeReset_ = currentCell();
        restoring_ = true;
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, &Grid::restoreAfterReset);
    for (QWidget* widget :
         {viewport(), static_cast<QWidget*>(headings_->viewport()),
          static_cast<QWidget*>(rowHeader_->viewport()), static_cast<QWidget*>(fixedHeading_)})
        widget->installEventFilter(this);
}

int Grid::widthOf(const GridColumn& column) const {
    return column.width > 0 ? column.width : defaultColumnWidth_;
}

void Grid::setColumns(std::vector<GridColumn> columns) {
    model_.setColumns(std::move(columns));
    resizing_ = true;
    for (std::size_t i = 0; i < model_.columns().size(); ++i)
        headings_->resizeSection(static_cast<int>(i), widthOf(model_.columns()[i]));
    resizing_ = false;
    if (!model_.columns().empty()) firstColumnWidth_ = widthOf(model_.columns().front());
    setColumnHidden(0, rowHeader_->fixedColumn());
    applyLeftEdge();
}

void Grid::setColumnVisible(int column, bool visible) {
    // A fixed first column is shown at the left edge, never a second time among the others.
    if (column == 1 && rowHeader_->fixedColumn()) return;
    setColumnHidden(column - 1, !visible);
}

bool Grid::columnVisible(int column) const {
    return (column == 1 && rowHeader_->fixedColumn()) || !isColumnHidden(column - 1);
}

void Grid::setDisplayPosition(int column, int position) {
    headings_->moveSection(headings_->visualIndex(column - 1), position - 1);
}

void Grid::setColumnWidthOf(int column, int pixels) {
    if (column < 1 || column > model_.columnCount()) return;
    resizing_ = true;
    headings_->resizeSection(column - 1, pixels);
    resizing_ = false;
    if (column == 1) {
        firstColumnWidth_ = pixels;
        applyLeftEdge();
    }
}

void Grid::setDefaultColumnWidth(int pixels) {
    defaultColumnWidth_ = pixels;
    resizing_ = true;
    for (std::size_t i = 0; i < model_.columns().size(); ++i)
        if (model_.columns()[i].width <= 0) headings_->resizeSection(static_cast<int>(i), pixels);
    resizing_ = false;
    if (!model_.columns().empty() && model_.columns().front().width <= 0) {
        firstColumnWidth_ = pixels;
        applyLeftEdge();
    }
}

void Grid::setDefaultRowHeight(int pixels) {
    resizing_ = true;
    rowHeader_->setDefaultSectionSize(pixels);
    for (const auto& [row, height] : rowHeights_) {
        if (row > model_.rows()) break;
        rowHeader_->resizeSection(row - 1, height);
    }
    resizing_ = false;
}

void Grid::setRowHeightOf(int row, int pixels) {
    if (row < 1) return;
    rowHeights_[row] = pixels;
    if (row > model_.rows()) return;
    resizing_ = true;
    rowHeader_->resizeSection(row - 1, pixels);
    resizing_ = false;
}

void Grid::setHeadingHeight(int pixels) {
    headings_->setFixedExtent(pixels);
    updateGeometries();
}

void Grid::setHeadingFont(const QFont& font) {
    headingFont_ = font;
    applyHeadingStyle();
}

void Grid::setFixedColumn(bool fixed) {
    rowHeader_->setFixedColumn(fixed, firstColumnWidth_);
    if (model_.columnCount() > 0) setColumnHidden(0, fixed);
    applyLeftEdge();
}

void Grid::setFixedColumnColors(const QColor& background, const QColor& text) {
    fixedBackground_ = background;
    fixedText_ = text;
    rowHeader_->viewport()->update();
}

void Grid::applyLeftEdge() {
    const bool fixed = rowHeader_->fixedColumn();
    rowHeader_->setFixedColumn(fixed, firstColumnWidth_);
    rowHeader_->setVisible(fixed || rowHeader_->barShown() || rowResize_ != Resize::None);
    fixedHeading_->setVisible(fixed);
    updateGeometries();
}

void Grid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    keepTopRowWhole();
}

void Grid::keepTopRowWhole() {
    // At the end of its range the view would put the last row against the bottom edge and
    // cut the top one; the range ends where the last rows fit whole, so the top row can
    // stay whole with the last one fully in view.
    const QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() <= 0 || bar->value() != bar->maximum()) return;
    const int before = rowHeader_->offset();
    rowHeader_->setOffsetToSectionPosition(bar->value());
    if (rowHeader_->offset() != before) viewport()->update();
}

void Grid::updateGeometries() {
    QTableView::updateGeometries();
    keepTopRowWhole();
    if (!fixedHeading_->isVisibleTo(this)) return;
    const QRect left = rowHeader_->geometry();
    const QRect top = headings_->geometry();
    fixedHeading_->setGeometry(left.right() + 1 - rowHeader_->fixedWidth(), top.top(),
                               rowHeader_->fixedWidth(), top.height());
    fixedHeading_->raise();
}

void Grid::setRowResize(Resize resize) {
    rowResize_ = resize;
    rowHeader_->setSectionResizeMode(resize == Resize::None ? QHeaderView::Fixed
                                                            : QHeaderView::Interactive);
    applyLeftEdge();
}

void Grid::setColumnResize(Resize resize) {
    columnResize_ = resize;
    headings_->setSectionResizeMode(resize == Resize::None ? QHeaderView::Fixed
                                                           : QHeaderView::Interactive);
}

void Grid::sectionResizedByUser(Qt::Orientation orientation, int section, int size) {
    if (resizing_ || !userDrags_) return;
    resizing_ = true;
    if (orientation == Qt::Vertical) {
        if (rowResize_ == Resize::All) {
            // The default size is the one per-row structure Qt keeps anyway.
            rowHeights_.clear();
            rowHeader_->setDefaultSectionSize(size);
        } else {
            rowHeights_[section + 1] = size;
        }
    } else if (columnResize_ == Resize::All) {
        for (int column = 0; column < model_.columnCount(); ++column)
            if (column != section && !isColumnHidden(column))
                headings_->resizeSection(column, size);
    }
    resizing_ = false;
    if (orientation == Qt::Horizontal && events_.columnResized) events_.columnResized(section + 1);
}

void Grid::setSelection(Selection selection) {
    selection_ = selection;
    setSelectionMode(selection == Selection::Rows ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::SingleSelection);
    // Items in single selection also keep a heading click from selecting a whole column.
    setSelectionBehavior(selection == Selection::None ? QAbstractItemView::SelectItems
                                                      : QAbstractItemView::SelectRows);
    viewport()->update();
}

void Grid::selectRow(int row) {
    if (row < 1 || row > model_.rows() || model_.columnCount() == 0) return;
    selectionModel()->select(model_.index(row - 1, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void Grid::unselectRow(int row) {
    if (row < 1 || row > model_.rows() || model_.columnCount() == 0) return;
    selectionModel()->select(model_.index(row - 1, 0),
                             QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

std::vector<int> Grid::selectedRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void Grid::setRowBar(bool shown, bool currentMark) {
    rowHeader_->setBar(shown, currentMark);
    applyLeftEdge();
}

void Grid::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    model_.setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : userEditTriggers);
    if (readOnly && isEditing()) {
        QWidget* editor = delegate_->editor();
        if (editor) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void Grid::setColors(const QColor& background, const QColor& text, const QColor& headingBackground,
                     const QColor& headingText, const QColor& lines) {
    lineColor_ = lines;
    headingBackground_ = headingBackground;
    headingText_ = headingText;
    QPalette colors = palette();
    colors.setColor(QPalette::Base, background);
    colors.setColor(QPalette::Text, text);
    setPalette(colors);
    applyHeadingStyle();
    viewport()->update();
    rowHeader_->viewport()->update();
    fixedHeading_->update();
}

void Grid::applyHeadingStyle() {
    QString style = QStringLiteral("QHeaderView::section { background-color: %1; color: %2; "
                                   "border: 1px solid %3; padding: 0 3px; }")
                        .arg(headingBackground_.name(), headingText_.name(), lineColor_.name());
    // A style sheet gives the headings the grid's font whatever setFont says: their own
    // font has to be part of it.
    if (headingFont_) {
        QString family = headingFont_->family();
        family.replace('\\', QStringLiteral("\\\\")).replace('"', QStringLiteral("\\\""));
        const QString size = headingFont_->pointSize() > 0
                                 ? QStringLiteral("%1pt").arg(headingFont_->pointSize())
                                 : QStringLiteral("%1px").arg(headingFont_->pixelSize());
        style += QStringLiteral(" QHeaderView { font-family: \"%1\"; font-size: %2; }")
                     .arg(family, size);
    }
    headings_->setStyleSheet(style);
    fixedHeading_->update();
    updateGeometries();
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

void Grid::scrollToCell(Cell cell) {
    const int row = cell.row >= 1 ? cell.row : std::max(rowAt(0), 0) + 1;
    const QModelIndex index = model_.index(row - 1, cell.column - 1);
    if (index.isValid()) scrollTo(index);
}

void Grid::currentMoved(const QModelIndex& current, const QModelIndex& previous) {
    rowHeader_->viewport()->update();                           // the current-row mark
    if (current.row() != previous.row()) viewport()->update();  // cell buttons follow the row
    if (restoring_) return;
    const auto cellOf = [](const QModelIndex& index) {
        return index.isValid() ? Cell{index.column() + 1, index.row() + 1} : Cell{};
    };
    reportMove(cellOf(previous), cellOf(current));
}

void Grid::reportMove(Cell from, Cell to) const {
    if (from.column != to.column && events_.columnChanged)
        events_.columnChanged(from.column, to.column);
    if (from.row != to.row && events_.rowChanged) events_.rowChanged(from.row, to.row);
}

void Grid::restoreAfterReset() {
    resizing_ = true;
    for (const auto& [row, height] : rowHeights_) {
        if (row > model_.rows()) break;
        rowHeader_->resizeSection(row - 1, height);
    }
    resizing_ = false;
    // The program reloads after every edit: the user stays on the cell they were on.
    const Cell before = beforeReset_;
    const Cell after{before.column, std::min(before.row, model_.rows())};
    const QModelIndex index =
        before.row < 1 ? QModelIndex() : model_.index(after.row - 1, after.column - 1);
    // Through the view, which otherwise moves to the first cell when it next gets focus.
    if (index.isValid()) setCurrentIndex(index);
    restoring_ = false;
    reportMove(before, index.isValid() ? after : currentCell());
}

Grid::Cell Grid::cellAt(const QPoint& point) const {
    const QRect cells = viewport()->geometry();
    const bool inHeadings = !headings_->isHidden() && point.y() >= headings_->geometry().top() &&
                            point.y() < cells.top();
    const bool inRows = point.y() >= cells.top() && point.y() <= cells.bottom();
    if (point.x() >= cells.left() && point.x() <= cells.right()) {
        if (inHeadings) {
            const int column = headings_->logicalIndexAt(point.x() - cells.left());
            return column < 0 ? Cell{} : Cell{column + 1, 0};
        }
        if (!inRows) return {};
        const QModelIndex index = indexAt(point - cells.topLeft());
        return index.isValid() ? Cell{index.column() + 1, index.row() + 1} : Cell{};
    }
    const int fixedRight = rowHeader_->geometry().right();
    if (!rowHeader_->fixedColumn() || point.x() > fixedRight ||
        point.x() <= fixedRight - rowHeader_->fixedWidth())
        return {};
    if (inHeadings) return {1, 0};
    if (!inRows) return {};
    const int row = rowHeader_->logicalIndexAt(point.y() - cells.top());
    return row < 0 ? Cell{} : Cell{1, row + 1};
}

void Grid::endEdit() {
    QWidget* editor = delegate_->editor();
    if (!isEditing() || !editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void Grid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == delegate_->editor()) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    // A reload inside the end-cell-edit callback has released the editor already. Tab and
    // Shift+Tab still move on, from wherever the program put the cursor, and edit there.
    if (hint != QAbstractItemDelegate::EditNextItem &&
        hint != QAbstractItemDelegate::EditPreviousItem)
        return;
    const QModelIndex next = moveCursor(
        hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
    if (!next.isValid()) return;
    setCurrentIndex(next);
    // The program may move the cursor again when told of the move.
    if (currentIndex().flags() & Qt::ItemIsEditable) edit(currentIndex());
}

void Grid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // The tabs' keys work from a grid as from any other control: the tab control holding the
    // grid takes them.
    if ((event->modifiers() & Qt::ControlModifier) &&
        (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown)) {
        event->ignore();
        return;
    }
    if (!isEditing() && event->matches(QKeySequence::SelectAll)) {
        toutesLesLignes_ = true;
        if (selection_ == Selection::Rows) selectAll();
        return;
    }
    if (!isEditing() && event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(texteACopier());
        return;
    }
    // A modifier pressed on its way to Ctrl+C keeps what Ctrl+A chose.
    if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt && key != Qt::Key_Meta)
        toutesLesLignes_ = false;
    QTableView::keyPressEvent(event);
}

QString Grid::texteACopier() const {
    const auto texte = [this](int column, int row) {
        const QModelIndex index = model_.index(row - 1, column - 1);
        const QVariant coche = index.data(Qt::CheckStateRole);
        if (coche.isValid())
            return coche.value<Qt::CheckState>() == Qt::Checked ? QStringLiteral("x") : QString();
        return index.data(Qt::DisplayRole).toString();
    };
    std::vector<int> lignes;
    if (toutesLesLignes_) {
        for (int row = 1; row <= model_.rows(); ++row) lignes.push_back(row);
    } else {
        lignes = selectedRows();
        std::sort(lignes.begin(), lignes.end());
    }
    if (lignes.size() < 2) {
        const Cell cell = currentCell();
        return cell.row >= 1 ? texte(cell.column, cell.row) : QString();
    }
    // The columns as shown, in their order.
    std::vector<int> colonnes;
    for (int position = 0; position < model_.columnCount(); ++position) {
        const int column = headings_->logicalIndex(position) + 1;
        if (columnVisible(column)) colonnes.push_back(column);
    }
    QStringList sortie;
    QStringList entetes;
    for (const int column : colonnes)
        entetes << QString(model_.columns()[static_cast<std::size_t>(column - 1)].heading)
                       .replace(QLatin1Char('\r'), QLatin1Char(' '));
    sortie << entetes.join(QLatin1Char('\t'));
    for (const int row : lignes) {
        QStringList cellules;
        for (const int column : colonnes) cellules << texte(column, row);
        sortie << cellules.join(QLatin1Char('\t'));
    }
    return sortie.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QTableView::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint local = mouse->position().toPoint();
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(this, local);
    const bool onHeader = watched == headings_->viewport() || watched == rowHeader_->viewport();
    const auto onButton = [&](const QModelIndex& index) {
        return index.isValid() && mouse->button() == Qt::LeftButton &&
               model_.columns()[static_cast<std::size_t>(index.column())].button ==
                   GridColumn::Button::Push &&
               GridDelegate::buttonRect(visualRect(index)).contains(local);
    };
    if (type == QEvent::MouseButtonPress) {
        // Only a drag begun by the user makes a resize the user's.
        if (onHeader) userDrags_ = true;
        // Cell buttons are shown on the current row only: a click where none was shown
        // just moves to that row.
        const QModelIndex pressed = watched == viewport() ? indexAt(local) : QModelIndex();
        buttonArmed_ = onButton(pressed) && pressed.row() == currentIndex().row();
        if (events_.mouseDown)
            events_.mouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
    } else if (type == QEvent::MouseButtonDblClick) {
        const Cell cell = cellAt(at);
        if (cell.column > 0 && events_.doubleClickCell)
            events_.doubleClickCell(cell.column, cell.row);
    } else {
        if (onHeader) userDrags_ = false;
        const QModelIndex index = watched == viewport() ? indexAt(local) : QModelIndex();
        const bool armed = std::exchange(buttonArmed_, false);
        if (armed && onButton(index)) {
            const Cell cell{index.column() + 1, index.row() + 1};
            // The button acts on what was typed in its cell.
            if (isEditing()) endEdit();
            if (events_.buttonClick) events_.buttonClick(cell.column, cell.row);
        }
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace varnelle::gui
