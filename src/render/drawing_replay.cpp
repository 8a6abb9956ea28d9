#include "render/drawing_replay.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QRawFont>

#include "render/budget_text.h"
#include "render/colour.h"
#include "render/interface_font.h"

namespace varnelle::gui {
namespace {

// Where a drawing's units land on the device painted on.
class DeviceUnits {
public:
    DeviceUnits(Unit unit, const QPaintDevice& device)
        : unit_(unit), dpiX_(device.logicalDpiX()), dpiY_(device.logicalDpiY()) {}

    QPoint point(int x, int y) const {
        return {toDevice(x, unit_, dpiX_), toDevice(y, unit_, dpiY_)};
    }
    // Whether the drawing's units are the device's pixels, nothing to convert.
    bool pixels() const { return unit_ == Unit::Pixel; }
    // A pen is at least one pixel of the device, thin pens exactly one.
    int penX(int width) const { return pen(width, dpiX_); }
    int penY(int width) const { return pen(width, dpiY_); }

private:
    int pen(int width, int dpi) const {
        return width <= kThinPen ? 1 : std::max(1, toDevice(width, unit_, dpi));
    }

    Unit unit_;
    int dpiX_, dpiY_;
};

// Fills `area` as the painter's fillRect does, straight into a 32-bit image when there is one:
// a chart of many bars has thousands of small rectangles, each a call too many for the painter.
void fill(QPainter& painter, QImage* image, const QRect& area, Couleur couleur) {
    if (image == nullptr) {
        painter.fillRect(area, qColor(couleur));
        return;
    }
    const QRect inside = area & image->rect();
    if (inside.isEmpty()) return;
    const QRgb colour = qColor(couleur).rgb();
    uchar* const bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* const row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + inside.left(), row + inside.right() + 1, colour);
    }
}

void replayRect(QPainter& painter, const Rect& r, const DeviceUnits& units, QImage* image) {
    const QPoint p1 = units.point(r.x1, r.y1), p2 = units.point(r.x2, r.y2);
    const int left = std::min(p1.x(), p2.x()), right = std::max(p1.x(), p2.x());
    const int top = std::min(p1.y(), p2.y()), bottom = std::max(p1.y(), p2.y());
    const int width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0) return;
    fill(painter, image, QRect(left, top, width, height), r.brush);
    // A border of the fill's colour is already there: bars mostly.
    if (r.pen == r.brush) return;
    const int thickX = std::min(units.penX(r.penWidth), width);
    const int thickY = std::min(units.penY(r.penWidth), height);
    fill(painter, image, QRect(left, top, width, thickY), r.pen);
    fill(painter, image, QRect(left, bottom - thickY, width, thickY), r.pen);
    fill(painter, image, QRect(left, top, thickX, height), r.pen);
    fill(painter, image, QRect(right - thickX, top, thickX, height), r.pen);
}

// One font's measures on the device, taken once per replay, and for a font without
// antialiasing on a raster device each label drawn once and then copied: a chart of many bars
// has as many labels, mostly the same few. A printer or a PDF gets the glyphs themselves.
class TextCells {
public:
    TextCells(const QFont& font, const QPaintDevice& device, bool raster)
        : font_(font), device_(device), metrics_(font, &device), ascent_(metrics_.ascent()),
          height_(metrics_.height()),
          enCopie_(raster && (font.styleStrategy() & QFont::NoAntialias)) {}

    void replay(QPainter& painter, const Text& text, QPoint at) {
        if (!enCopie_) {
            const QString shown = fromBudgetText(text.text);
            if (text.background)
                painter.fillRect(QRect(at.x(), at.y(), metrics_.horizontalAdvance(shown), height_),
                                 qColor(*text.background));
            painter.setFont(font_);
            painter.setPen(qColor(text.color));
            painter.drawText(at.x(), at.y() + ascent_, shown);
            return;
        }
        const Copie& copie = copieDe(text.text, text.color);
        if (text.background)
            painter.fillRect(QRect(at.x(), at.y(), copie.avance, height_),
                             qColor(*text.background));
        if (!copie.encre.isNull())
            painter.drawImage(at.x() + copie.decalage.x(), at.y() + copie.decalage.y(),
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
        // The glyphs at the resolution of the image they are copied to.
        if (device_.devType() == QInternal::Image) {
            glyphs.setDotsPerMeterX(static_cast<const QImage&>(device_).dotsPerMeterX());
            glyphs.setDotsPerMeterY(static_cast<const QImage&>(device_).dotsPerMeterY());
        }
        glyphs.fill(Qt::transparent);
        {
            QPainter painter(&glyphs);
            painter.setFont(font_);
            painter.setPen(qColor(color));
            painter.drawText(margin, margin + ascent_, shown);
        }
        // Rows and columns with ink, read a row at a time: the per-pixel accessor costs more
        // than drawing the glyphs.
        const int width = glyphs.width(), height = glyphs.height();
        int left = width, right = -1, top = height, bottom = -1;
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(glyphs.constScanLine(y));
            for (int x = 0; x < width; ++x)
                if (qAlpha(row[x]) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        }
        const QRect ink = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
        if (!ink.isEmpty()) {
            copie.encre = glyphs.copy(ink);
            copie.decalage = ink.topLeft() - QPoint(margin, margin);
        }
        return copies_.emplace(key, std::move(copie)).first->second;
    }

    QFont font_;
    const QPaintDevice& device_;
    QFontMetrics metrics_;
    int ascent_;
    int height_;
    bool enCopie_;
    std::map<std::pair<std::string, Couleur>, Copie> copies_;
};

// The texts of one replay, by font: the surface's first, then each font of its own.
class Texts {
public:
    Texts(const QFont& surface, const QPaintDevice& device, bool raster)
        : surface_(surface), device_(device), raster_(raster),
          surfaceCells_(surface, device, raster) {}

    void replay(QPainter& painter, const Text& text, QPoint at) {
        cellsOf(text.font).replay(painter, text, at);
    }

private:
    TextCells& cellsOf(const std::optional<Font>& font) {
        if (!font) return surfaceCells_;
        for (auto& [known, cells] : own_)
            if (known == *font) return *cells;
        own_.emplace_back(*font,
                          std::make_unique<TextCells>(qFont(*font, surface_), device_, raster_));
        return *own_.back().second;
    }

    QFont surface_;
    const QPaintDevice& device_;
    bool raster_;
    TextCells surfaceCells_;
    std::vector<std::pair<Font, std::unique_ptr<TextCells>>> own_;
};

// On a printer or a PDF, texts without a ground or a limit go out as glyph runs, one per font
// and colour until another kind of primitive comes: a vector engine otherwise shapes and wraps
// every text on its own, which makes a list of a thousand pages take twice as long.
class GlyphRuns {
public:
    GlyphRuns(const QFont& surface, const QPaintDevice& device)
        : surface_(surface), device_(device) {}

    // False when the text needs to be drawn on its own.
    bool add(const Text& text, QPoint at) {
        if (text.background || text.droite) return false;
        Run& run = runOf(text.font, text.color);
        const QList<quint32> glyphs = run.raw.glyphIndexesForString(fromBudgetText(text.text));
        const QList<QPointF> advances = run.raw.advancesForGlyphIndexes(glyphs);
        qreal x = at.x();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            run.glyphs.append(glyphs[i]);
            run.positions.append(QPointF(x, at.y() + run.ascent));
            x += advances[i].x();
        }
        return true;
    }

    void flush(QPainter& painter) {
        for (Run& run : runs_) {
            if (run.glyphs.isEmpty()) continue;
            QGlyphRun glyphRun;
            glyphRun.setRawFont(run.raw);
            glyphRun.setGlyphIndexes(run.glyphs);
            glyphRun.setPositions(run.positions);
            painter.setPen(qColor(run.color));
            painter.drawGlyphRun(QPointF(0, 0), glyphRun);
            run.glyphs.clear();
            run.positions.clear();
        }
    }

private:
    struct Run {
        std::optional<Font> font;
        Couleur color;
        QRawFont raw;
        int ascent;  // as a text cell places its baseline
        QList<quint32> glyphs{};
        QList<QPointF> positions{};
    };

    Run& runOf(const std::optional<Font>& font, Couleur color) {
        for (Run& run : runs_)
            if (run.font == font && run.color == color) return run;
        // The font at the device's resolution, as the painter would use it.
        const QFont shown(font ? qFont(*font, surface_) : surface_, &device_);
        runs_.push_back(
            {font, color, QRawFont::fromFont(shown), QFontMetrics(shown, &device_).ascent()});
        return runs_.back();
    }

    QFont surface_;
    const QPaintDevice& device_;
    std::vector<Run> runs_;
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

// A line of several pixels is the painter's band; a thin one keeps its exact pixels.
void replayLine(QPainter& painter, const Line& line, const DeviceUnits& units, QImage* image) {
    // The graphs of many days are thin lines in pixels: they go straight to the pixels.
    if (units.pixels() && line.penWidth <= kThinPen) {
        image != nullptr ? writeLine(*image, line) : replayLine(painter, line);
        return;
    }
    const QPoint p1 = units.point(line.x1, line.y1), p2 = units.point(line.x2, line.y2);
    const int width = units.penX(line.penWidth);
    if (width > 1) {
        painter.setPen(
            QPen(qColor(line.pen), width, line.dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(p1, p2);
        return;
    }
    const Line thin{p1.x(), p1.y(), p2.x(), p2.y(), line.pen, line.dotted};
    image != nullptr ? writeLine(*image, thin) : replayLine(painter, thin);
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
    const QPaintDevice& device = *painter.device();
    const DeviceUnits units(drawing.unit, device);
    const bool raster = painter.paintEngine()->type() == QPaintEngine::Raster;
    Texts texts(painter.font(), device, raster);
    std::optional<GlyphRuns> runs;
    if (!raster) runs.emplace(painter.font(), device);
    for (const Primitive& primitive : drawing.primitives) {
        const auto* text = std::get_if<Text>(&primitive);
        if (runs && (text == nullptr || !runs->add(*text, units.point(text->x, text->y))))
            runs->flush(painter);
        if (const auto* rect = std::get_if<Rect>(&primitive))
            replayRect(painter, *rect, units, units.pixels() ? image : nullptr);
        else if (const auto* line = std::get_if<Line>(&primitive))
            replayLine(painter, *line, units, image);
        else if (!runs || text->background || text->droite) {
            const QPoint at = units.point(text->x, text->y);
            if (!text->droite) {
                texts.replay(painter, *text, at);
                continue;
            }
            const int droite = units.point(*text->droite, text->y).x();
            if (droite <= at.x()) continue;
            painter.save();
            // Only the right limit matters: the band leaves the glyphs their whole height.
            constexpr int kLoin = 1 << 24;
            painter.setClipRect(QRect(QPoint(at.x(), -kLoin), QPoint(droite - 1, kLoin)),
                                Qt::IntersectClip);
            texts.replay(painter, *text, at);
            painter.restore();
        }
    }
    if (runs) runs->flush(painter);
    painter.restore();
}

}  // namespace

FontMetrics::FontMetrics(const QFont& font) : font_(font) {}

FontMetrics::FontMetrics(const QFont& font, const QPaintDevice& device, Unit unit)
    : font_(font), device_(&device), unit_(unit) {}

FontMetrics::Measures& FontMetrics::measuresOf(const Font& font) const {
    for (Measures& measures : measures_)
        if (measures.font == font) return measures;
    const QFont shown = qFont(font, font_);
    measures_.push_back(
        {font, device_ == nullptr ? QFontMetrics(shown) : QFontMetrics(shown, device_)});
    return measures_.back();
}

int FontMetrics::width(std::string_view text) const {
    return textWidth(Font{}, text);
}

int FontMetrics::height() const {
    return lineHeight(Font{});
}

int FontMetrics::textWidth(const Font& font, std::string_view text) const {
    constexpr std::size_t kMemoire = 4096;
    Measures& measures = measuresOf(font);
    if (const auto known = measures.widths.find(std::string(text)); known != measures.widths.end())
        return known->second;
    const int advance = measures.metrics.horizontalAdvance(fromBudgetText(text));
    const int width =
        device_ == nullptr ? advance : fromDevice(advance, unit_, device_->logicalDpiX());
    if (measures.widths.size() == kMemoire) measures.widths.clear();
    measures.widths.emplace(text, width);
    return width;
}

int FontMetrics::lineHeight(const Font& font) const {
    const int height = measuresOf(font).metrics.height();
    return device_ == nullptr ? height : fromDevice(height, unit_, device_->logicalDpiY());
}

QFont surfaceFont() {
    QFont font = interfaceFont();
    // Glyphs in the text colour only, as every other pixel of the surface.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont qFont(const Font& font, const QFont& surface) {
    QFont shown = surface;
    if (!font.family.empty()) shown.setFamily(QString::fromStdString(font.family));
    if (font.pointSize > 0) shown.setPointSizeF(font.pointSize);
    if (font.weight != Font::kNormal)
        shown.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    if (font.italic) shown.setItalic(true);
    return shown;
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

bool replayDrawing(const Drawing& drawing, QPaintDevice& device, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    replayOnto(drawing, painter, font, nullptr);
    return painter.end();
}

}  // namespace varnelle::gui
