#pragma once

#include <QHeaderView>

namespace varnelle::gui {

class Grid;

// The heading row, whose height the program may set below what the font would ask.
class HeadingRow final : public QHeaderView {
    Q_OBJECT

public:
    explicit HeadingRow(QWidget* parent);
    void setFixedExtent(int pixels);  // 0: as the font asks
    QSize sizeHint() const override;

private:
    int extent_ = 0;
};

// The left edge of the grid: the row bar (with the current-row mark) and the fixed first
// column, drawn raised like a heading. Being the view's vertical header it stays put while the
// cells scroll sideways and follows the rows, so it never hides a cell.
class RowHeader final : public QHeaderView {
    Q_OBJECT

public:
    static constexpr int barWidth = 12;

    explicit RowHeader(Grid& grid);
    void setBar(bool shown, bool currentMark);
    bool barShown() const { return bar_; }
    void setFixedColumn(bool fixed, int width);
    bool fixedColumn() const { return fixed_; }
    int fixedWidth() const { return fixed_ ? fixedWidth_ : 0; }
    int extent() const { return (bar_ ? barWidth : 0) + fixedWidth(); }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    Grid& grid_;
    bool bar_ = false;
    bool mark_ = false;
    bool fixed_ = false;
    int fixedWidth_ = 0;
};

// The heading of the fixed column, over the view's corner; it acts as a button.
class FixedHeading final : public QWidget {
    Q_OBJECT

public:
    explicit FixedHeading(Grid& grid);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Grid& grid_;
    bool pressed_ = false;
};

// Draws a raised box the way the headings look, whatever the widget style.
void paintRaised(QPainter& painter, const QRect& rect, const QColor& background, bool sunken);

}  // namespace varnelle::gui
