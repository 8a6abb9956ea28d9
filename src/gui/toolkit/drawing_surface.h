#pragma once

#include <functional>

#include <QWidget>

#include "core/drawing/drawing.h"
#include "render/drawing_replay.h"

namespace varnelle::gui {

// Shows a Drawing that its owner builds for the current size, and reports clicks in
// surface coordinates.
class DrawingSurface final : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<Drawing(int width, int height, const TextMetrics& metrics)>;
    using ClickHandler = std::function<void(int x, int y)>;

    explicit DrawingSurface(QWidget* parent = nullptr);

    void setPainter(Painter painter);
    void setClickHandler(ClickHandler handler) { click_ = std::move(handler); }
    void setDoubleClickHandler(ClickHandler handler) { doubleClick_ = std::move(handler); }
    // Asks the owner for a new drawing, for instance after its data changed.
    void redraw() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Painter painter_;
    ClickHandler click_;
    ClickHandler doubleClick_;
};

}  // namespace varnelle::gui
