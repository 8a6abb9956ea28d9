#include "gui/toolkit/tree_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include "core/model/tree_nodes.h"

namespace varnelle::gui {

namespace {

constexpr int kSide = 16;
const QColor kInk(60, 60, 70);

// A sheet with its top right corner folded, 9 x 12, its top left corner at (x, y).
void drawPage(QPainter& p, qreal x, qreal y, const QColor& paper, bool lines) {
    QPainterPath sheet;
    sheet.moveTo(x + 0.5, y + 0.5);
    sheet.lineTo(x + 6.5, y + 0.5);
    sheet.lineTo(x + 9.5, y + 3.5);
    sheet.lineTo(x + 9.5, y + 12.5);
    sheet.lineTo(x + 0.5, y + 12.5);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(paper);
    p.drawPath(sheet);
    p.setBrush(paper.darker(120));
    p.drawPolygon(QPolygonF(
        {QPointF(x + 6.5, y + 0.5), QPointF(x + 6.5, y + 3.5), QPointF(x + 9.5, y + 3.5)}));
    if (!lines) return;
    p.setPen(QPen(paper.darker(190), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(x + 2, y + 6.5 + 2 * i), QPointF(x + 8, y + 6.5 + 2 * i));
}

void drawStack(QPainter& p, const QColor& paper) {
    drawPage(p, 5, 0, paper, false);
    drawPage(p, 3, 1.5, paper, false);
    drawPage(p, 1, 3, paper, true);
}

// A hand pointing right: the palm at the left, the forefinger stretched out.
void drawHand(QPainter& p, const QColor& skin) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(skin);
    p.drawRoundedRect(QRectF(7.5, 4.5, 7, 3), 1.5, 1.5);  // forefinger
    QPainterPath palm;
    palm.addRoundedRect(QRectF(1.5, 4.5, 8, 9), 2, 2);
    p.drawPath(palm);
    p.drawRoundedRect(QRectF(4.5, 2.5, 4, 3), 1, 1);  // thumb, folded over the top
    p.setPen(QPen(skin.darker(170), 1));
    for (int i = 0; i < 2; ++i)  // the folded fingers
        p.drawLine(QPointF(5, 8.5 + 2.5 * i), QPointF(9, 8.5 + 2.5 * i));
}

void drawBox(QPainter& p, bool ticked) {
    p.setPen(QPen(QColor(110, 110, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    if (!ticked) return;
    p.setPen(QPen(QColor(20, 20, 20), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
}

}  // namespace

std::vector<QPixmap> treePictures() {
    const QColor white(255, 255, 255);
    const QColor yellow(255, 230, 90);
    const QColor red(215, 55, 45);
    const QColor green(50, 160, 60);
    // A selected node shows its picture lighter.
    const QColor lightRed(245, 150, 140);
    const QColor lightGreen(150, 225, 150);

    std::vector<QPixmap> pictures;
    pictures.reserve(images_arbres::kNombre);
    const auto add = [&pictures](auto draw) {
        QPixmap pixmap(kSide, kSide);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        pictures.push_back(pixmap);
    };
    for (const QColor& paper : {white, yellow}) add([&paper](QPainter& p) { drawStack(p, paper); });
    for (const QColor& paper : {white, yellow})
        add([&paper](QPainter& p) { drawPage(p, 3, 2, paper, true); });
    for (const QColor& skin : {white, yellow}) add([&skin](QPainter& p) { drawHand(p, skin); });
    for (const QColor& paper : {red, lightRed, green, lightGreen})
        add([&paper](QPainter& p) { drawStack(p, paper); });
    for (const QColor& paper : {red, lightRed, green, lightGreen})
        add([&paper](QPainter& p) { drawPage(p, 3, 2, paper, true); });
    add([](QPainter& p) { drawBox(p, false); });
    add([](QPainter& p) { drawBox(p, true); });
    return pictures;
}

}  // namespace varnelle::gui
