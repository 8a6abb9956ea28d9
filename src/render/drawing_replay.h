#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include "core/drawing/drawing.h"

class QPainter;
class QPaintDevice;

namespace varnelle::gui {

// A font as the painters measure it: on the screen, or on the device a drawing is replayed
// on (an image, a printer, a PDF), in the units of that drawing.
class FontMetrics final : public TextMetrics {
public:
    explicit FontMetrics(const QFont& font);
    // `device` must outlive the metrics.
    FontMetrics(const QFont& font, const QPaintDevice& device, Unit unit = Unit::Pixel);
    int width(std::string_view text) const override;
    int height() const override;
    int textWidth(const Font& font, std::string_view text) const override;
    int lineHeight(const Font& font) const override;

private:
    struct Measures {
        Font font;
        QFontMetrics metrics;
        // Widths already measured, in the drawing's units: labels, codes and dates come back
        // line after line. Emptied when full, so that it never grows with the budget.
        std::unordered_map<std::string, int> widths{};
    };
    Measures& measuresOf(const Font& font) const;

    QFont font_;
    const QPaintDevice* device_ = nullptr;
    Unit unit_ = Unit::Pixel;
    // Built once per font asked for: a page of a list measures hundreds of texts in two fonts.
    mutable std::vector<Measures> measures_;
};

// The font of the charts: the interface font, glyphs without antialiasing. Built from
// interfaceFont() rather than from the application's font, so that the window and the
// command line measure and draw the same texts.
QFont surfaceFont();

// A text's own font over the surface's: what it leaves unsaid stays as in `surface`.
QFont qFont(const Font& font, const QFont& surface);

// Replays `drawing` onto `image` pixel for pixel: no antialiasing, exclusive right and bottom
// edges, line end points left out.
void replayDrawing(const Drawing& drawing, QImage& image, const QFont& font);
// The same onto a painter already in use on any device, for instance one translated to a grid
// cell's top-left corner, or a printer's page; the painter's state is left as it was found.
// Texts are measured on the painter's device, coordinates converted to its pixels.
void replayDrawing(const Drawing& drawing, QPainter& painter, const QFont& font);
// The same onto a device of its own (a printer, a PDF writer): false when it cannot be
// painted on.
bool replayDrawing(const Drawing& drawing, QPaintDevice& device, const QFont& font);

}  // namespace varnelle::gui
