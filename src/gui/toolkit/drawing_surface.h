#pragma once

#include <functional>

#include <QFont>
#include <QImage>
#include <QWidget>

#include "drawing/drawing.h"

class QPainter;

namespace varnelle::gui {

// The surface's font as the painters measure it.
class FontMetrics final : public TextMetrics {
public:
    explicit FontMetrics(const QFont& font);
    int width(std::string_view text) const override;
    int height() const override;

private:
    QFont font_;
};

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

    // The surface's own font: 8 points of the application's family.
    static QFont surfaceFont();
    // Replays `drawing` onto `image` pixel for pixel: no antialiasing, exclusive right and
    // bottom edges, line end points left out.
    static void replay(const Drawing& drawing, QImage& image, const QFont& font);
    // The same onto a painter already in use, for instance one translated to a grid cell's
    // top-left corner; the painter's state is left as it was found.
    static void replay(const Drawing& drawing, QPainter& painter, const QFont& font);

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
