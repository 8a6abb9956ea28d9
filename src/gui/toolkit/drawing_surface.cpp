#include "gui/toolkit/drawing_surface.h"

#include <QMouseEvent>
#include <QPainter>

namespace varnelle::gui {

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingSurface::setPainter(Painter painter) {
    painter_ = std::move(painter);
    update();
}

void DrawingSurface::paintEvent(QPaintEvent*) {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    if (painter_) {
        const QFont font = surfaceFont();
        replayDrawing(painter_(width(), height(), FontMetrics(font)), image, font);
    }
    QPainter(this).drawImage(0, 0, image);
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
    if (click_ && event->button() == Qt::LeftButton)
        click_(event->position().toPoint().x(), event->position().toPoint().y());
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (doubleClick_ && event->button() == Qt::LeftButton)
        doubleClick_(event->position().toPoint().x(), event->position().toPoint().y());
}

}  // namespace varnelle::gui
