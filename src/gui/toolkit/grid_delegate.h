#pragma once

#include <map>
#include <tuple>

#include <QImage>
#include <QPointer>
#include <QStyledItemDelegate>

#include "gui/toolkit/cell_texts.h"

namespace varnelle::gui {

class Grid;

// Draws the cells (grid lines the view's own grid cannot draw, check boxes in the grid's
// shape, push buttons, the program's own painting) and makes the editors of each column kind.
class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit GridDelegate(Grid& grid);

    // Where the push button of a cell is drawn, at its right edge.
    static QRect buttonRect(const QRect& cell);
    // The editor open now, if any.
    QWidget* editor() const { return editor_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    void paintCheck(QPainter* painter, const QRect& cell, Qt::CheckState state) const;
    void drawCheck(QPainter& painter, const QRect& box, Qt::CheckState state) const;
    void paintLines(QPainter* painter, const QRect& cell) const;
    // `look.rect` is the text's room, `cell` the whole cell.
    void paintText(QPainter* painter, const QStyleOptionViewItem& look, const QRect& cell,
                   const QModelIndex& index) const;

    Grid& grid_;
    mutable QPointer<QWidget> editor_;
    mutable CellTexts texts_;
    // The check boxes drawn so far, by side, state and shape.
    mutable std::map<std::tuple<int, int, int>, QImage> checkBoxes_;
};

}  // namespace varnelle::gui
