#include "render/drawing_replay.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "render/budget_text.h"
#include "render/colour.h"
#include "render/interface_font.h"

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

// The font's measures, taken once per replay, and for a font without antialiasing each label
// drawn once and then copied: a chart of many bars has as many labels, mostly the same few.
class TextCells {
public:
    explicit TextCells(const QFont& font)
        : font_(font), metrics_(font), ascent_(metrics_.ascent()), height_(metrics_.height()),
          enCopie_(font.styleStrategy() & QFont::NoAntialias) {}

    void replay(QPainter& painter, const Text& text) {
        if (!enCopie_) {
            const QString shown = fromBudgetText(text.text);
            painter.fillRect(QRect(text.x, text.y, metrics_.horizontalAdvance(shown), height_),
                             qColor(text.background));
            painter.setPen(qColor(text.color));
            painter.drawText(text.x, text.y + ascent_, shown);
            return;
        }
        const Copie& copie = copieDe(text.text, text.color);
        painter.fillRect(QRect(text.x, text.y, copie.avance, height_), qColor(text.background));
        if (!copie.encre.isNull())
            painter.drawImage(text.x + copie.decalage.x(), text.y + copie.decalage.y(),
                              copie.encre);
    }

private:
    // The inked pixels of a label, and where they stand from its cell's top-left corner.
    struct Copie {
        QImage encre;
        QPoint decalage;
        int avance = 0;
    };

    // Glyphs without antialiasing are whole pixels of the text colour, so their copy over a
    // transparent ground lays down exactly what drawing them in place would, parts that stand
    // out of the cell included.
    const Copie& copieDe(const std::string& text, Couleur color) {
        const auto key = std::make_pair(text, color);
        if (auto found = copies_.find(key); found != copies_.end()) return found->second;
        const QString shown = fromBudgetText(text);
        Copie copie;
        copie.avance = metrics_.horizontalAdvance(shown);
        const int margin = height_;
        QImage glyphs(copie.avance + 2 * margin, height_ + 2 * margin,
                      QImage::Format_ARGB32_Premultiplied);
        glyphs.fill(Qt::transparent);
        {
            QPainter painter(&glyphs);
            painter.setFont(font_);
            painter.setPen(qColor(color));
            painter.drawText(margin, margin + ascent_, shown);
        }
        QRect ink;
        for (int y = 0; y < glyphs.height(); ++y)
            for (int x = 0; x < glyphs.width(); ++x)
                if (qAlpha(glyphs.pixel(x, y)) != 0) ink |= QRect(x, y, 1, 1);
        if (!ink.isEmpty()) {
            copie.encre = glyphs.copy(ink);
            copie.decalage = ink.topLeft() - QPoint(margin, margin);
        }
        return copies_.emplace(key, std::move(copie)).first->second;
    }

    QFont font_;
    QFontMetrics metrics_;
    int ascent_;
    int height_;
    bool enCopie_;
    std::map<std::pair<std::string, Couleur>, Copie> copies_;
};

void replayLine(QPainter& painter, const Line& line) {
    const std::vector<Pixel> pixels = linePixels(line);
    QPolygon points;
    points.reserve(static_cast<qsizetype>(pixels.size()));
    for (std::size_t i = 0; i < pixels.size(); i += line.dotted ? 2 : 1)
        points << QPoint(pixels[i].x, pixels[i].y);
    painter.setPen(QPen(qColor(line.pen), 0));
    painter.drawPoints(points);
}

// The same pixels written straight into a 32-bit image: a graph of many days has hundreds of
// thousands of lines, too many to hand to the painter one point list each.
void writeLine(QImage& image, const Line& line) {
    const QRgb colour = qColor(line.pen).rgb();
    const int width = image.width(), height = image.height();
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    bool inked = true;
    forEachLinePixel(line, [&](int x, int y) {
        if (inked && x >= 0 && x < width && y >= 0 && y < height)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        if (line.dotted) inked = !inked;
    });
}

bool writable(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
           image.format() == QImage::Format_ARGB32_Premultiplied;
}

void replayOnto(const Drawing& drawing, QPainter& painter, const QFont& font, QImage* image) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    TextCells cells(painter.font());
    for (const Primitive& primitive : drawing.primitives) {
        if (const auto* rect = std::get_if<Rect>(&primitive))
            replayRect(painter, *rect);
        else if (const auto* line = std::get_if<Line>(&primitive))
            image != nullptr ? writeLine(*image, *line) : replayLine(painter, *line);
        else
            cells.replay(painter, std::get<Text>(primitive));
    }
    painter.restore();
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
    // The raster painter writes to the image at once, so its fills and the lines written
    // directly keep the order of the primitives.
    QPainter painter(&image);
    replayOnto(drawing, painter, font, writable(image) ? &image : nullptr);
}

void replayDrawing(const Drawing& drawing, QPainter& painter, const QFont& font) {
    replayOnto(drawing, painter, font, nullptr);
}

}  // namespace varnelle::gui
