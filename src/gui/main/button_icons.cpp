#include "gui/main/button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace varnelle::gui {

namespace {

constexpr int kSide = 16;

void drawAdd(QPainter& p) {
    p.setPen(QPen(QColor(0, 110, 0), 1));
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.fillRect(QRectF(4, 7, 8, 2), Qt::white);
    p.fillRect(QRectF(7, 4, 2, 8), Qt::white);
}

void drawDelete(QPainter& p) {
    p.setPen(QPen(QColor(150, 0, 0), 1));
    p.setBrush(QColor(210, 50, 40));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));  // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));  // paper coming out
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
    p.fillRect(QRectF(12, 8, 1.5, 1.5), QColor(60, 200, 60));
}

void drawSettings(QPainter& p) {
    // Three sliders.
    const QColor rail(90, 90, 100);
    const QColor knob(40, 110, 200);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 3.5 + i * 4.5;
        p.setPen(QPen(rail, 1));
        p.drawLine(QPointF(2, y), QPointF(14, y));
        const qreal x = i == 0 ? 10 : i == 1 ? 5 : 8;
        p.setPen(QPen(knob.darker(140), 1));
        p.setBrush(knob);
        p.drawRect(QRectF(x - 1.5, y - 2, 3, 4));
    }
}

void drawBookmark(QPainter& p, bool store, int number) {
    QPainterPath ribbon;
    ribbon.moveTo(3.5, 1.5);
    ribbon.lineTo(12.5, 1.5);
    ribbon.lineTo(12.5, 14.5);
    ribbon.lineTo(8, 10.5);
    ribbon.lineTo(3.5, 14.5);
    ribbon.closeSubpath();
    const QColor colour = store ? QColor(40, 110, 200) : QColor(230, 140, 20);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawPath(ribbon);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 1, 10, 9), Qt::AlignCenter, QString::number(number));
}

void drawClose(QPainter& p) {
    // A door left ajar with an arrow going out.
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.setBrush(QColor(120, 80, 40));
    QPolygonF leaf({QPointF(1.5, 1.5), QPointF(6.5, 3.5), QPointF(6.5, 14.5), QPointF(1.5, 14.5)});
    p.drawPolygon(leaf);
    p.setPen(QPen(QColor(200, 40, 30), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(8, 8), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 5.5), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 10.5), QPointF(14, 8));
}

}  // namespace

QIcon buttonIcon(ButtonPicture picture, int number) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case ButtonPicture::Add: drawAdd(painter); break;
    case ButtonPicture::Delete: drawDelete(painter); break;
    case ButtonPicture::Print: drawPrint(painter); break;
    case ButtonPicture::Settings: drawSettings(painter); break;
    case ButtonPicture::StoreBookmark: drawBookmark(painter, true, number); break;
    case ButtonPicture::GoToBookmark: drawBookmark(painter, false, number); break;
    case ButtonPicture::Close: drawClose(painter); break;
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace varnelle::gui
