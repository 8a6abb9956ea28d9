#include "toolkit/drawing_replay.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "toolkit/budget_text.h"
#include "toolkit/colour.h"
#include "toolkit/interface_font.h"

namespace varnelle::gui {
namespace {

void replayRect(QPainter& painter, const Rect& r) {
    const int left = std::min(r.x1, r.x2), right = std::max(r.x1, r.x2);
    const int top = std::min(r.y1, r.y2), bottom = std::max(r.y1, r.y2);
    const int width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0) return;
    painter.fillRect(QRect(left, top, width, height), qColor(r.brush));
    const QColor pen = qColor(r.pen);
    painter.fillRect(QRect(left, top, width, 1), pen);
    painter.fillRect(QRect(left, bottom - 1, width, 1), pen);
    painter.fillRect(QRect(left, top, 1, height), pen);
    painter.fillRect(QRect(right - 1, top, 1, height), pen);
}

void replayLine(QPainter& painter, const Line& line) {
    const std::vector<Pixel> pixels = linePixels(line);
    QPolygon points;
    points.reserve(static_cast<qsizetype>(pixels.size()));
    for (std::size_t i = 0; i < pixels.size(); i += line.dotted ? 2 : 1)
        points << QPoint(pixels[i].x, pixels[i].y);
    painter.setPen(QPen(qColor(line.pen), 0));
    painter.drawPoints(points);
}

void replayText(QPainter& painter, const Text& text) {
    const QString shown = fromBudgetText(text.text);
    const QFontMetrics metrics(painter.font());
    painter.fillRect(QRect(text.x, text.y, metrics.horizontalAdvance(shown), metrics.height()),
                     qColor(text.background));
    painter.setPen(qColor(text.color));
    painter.drawText(text.x, text.y + metrics.ascent(), shown);
}

}  // namespace

FontMetrics::FontMetrics(const QFont& font) : font_(font) {}

int FontMetrics::width(std::string_view text) const {
    return QFontMetrics(font_).horizontalAdvance(fromBudgetText(text));
}

int FontMetrics::height() const {
    return QFontMetrics(font_).height();
}

QFont surfaceFont() {
    QFont font = interfaceFont();
    // Glyphs in the text colour only, as every other pixel of the surface.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void replayDrawing(const Drawing& drawing, QImage& image, const QFont& font) {
    QPainter painter(&image);
    replayDrawing(drawing, painter, font);
}

void replayDrawing(const Drawing& drawing, QPainter& painter, const QFont& font) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    for (const Primitive& primitive : drawing.primitives) {
        if (const auto* rect = std::get_if<Rect>(&primitive))
            replayRect(painter, *rect);
        else if (const auto* line = std::get_if<Line>(&primitive))
            replayLine(painter, *line);
        else
            replayText(painter, std::get<Text>(primitive));
    }
    painter.restore();
}

}  // namespace varnelle::gui
