#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/model/param.h"

namespace varnelle {

// The display list of every picture the program draws itself, in integer units, (0, 0) at
// the top left. Painters build one for a surface size; the gui replays it pixel for pixel on
// a screen or an image, and at the device's resolution on a printer or a PDF.

// What the coordinates and pen widths of a drawing count. A pixel is a pixel of the device
// replayed on (a printer's dot on paper); a page laid out in millimetres counts hundredths of
// a millimetre, whatever the device's resolution.
enum class Unit { Pixel, HundredthMm };

// Pen width 0 is the thinnest line the device draws: one of its pixels.
constexpr int kThinPen = 0;

// Corners in either order; covers min..max-1 on each axis, an outline `penWidth` thick
// (one pixel at kThinPen) in `pen` inside those bounds, the rest filled with `brush`.
struct Rect {
    int x1, y1, x2, y2;
    Couleur pen, brush;
    int penWidth = kThinPen;
    bool operator==(const Rect&) const = default;
};

// From (x1, y1) towards (x2, y2), the end point itself not drawn. A dotted line draws
// every other pixel, starting with the first. A line thicker than one pixel is a band
// `penWidth` wide centred on the segment, cut square at both end points.
struct Line {
    int x1, y1, x2, y2;
    Couleur pen;
    bool dotted = false;
    int penWidth = kThinPen;
    bool operator==(const Line&) const = default;
};

// A font of its own for a text. An empty family keeps the surface's, a size of 0 its size.
struct Font {
    static constexpr int kNormal = 400, kBold = 700;

    std::string family;
    double pointSize = 0;
    int weight = kNormal;  // 100 (thin) to 900 (black)
    bool italic = false;
    bool operator==(const Font&) const = default;
};

// Text (Windows-1252) whose cell has its top-left corner at (x, y); the cell is filled with
// `background` behind the glyphs, if any. Without a font of its own, the text is in the
// surface's. With a right limit, nothing of it shows from x = `droite` on.
struct Text {
    int x, y;
    std::string text;
    Couleur color;
    std::optional<Couleur> background;
    std::optional<Font> font{};
    std::optional<int> droite{};
    bool operator==(const Text&) const = default;
};

using Primitive = std::variant<Rect, Line, Text>;

struct Drawing {
    std::vector<Primitive> primitives;
    Unit unit = Unit::Pixel;
    bool operator==(const Drawing&) const = default;
};

// What painters need to know of the surface's font, in the units of the drawing they build.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int width(std::string_view text) const = 0;
    virtual int height() const = 0;
    // The same for a text in a font of its own; a surface of a single font answers with it.
    virtual int textWidth(const Font&, std::string_view text) const { return width(text); }
    virtual int lineHeight(const Font&) const { return height(); }
};

// A length in `unit` as pixels of a device of `dotsPerInch`, and back, rounded as any other
// real coordinate. Pixels are the device's own and pass unchanged.
int toDevice(int value, Unit unit, int dotsPerInch);
int fromDevice(int pixels, Unit unit, int dotsPerInch);

// Real coordinates become pixels rounded to nearest, halves to even: 2.5 gives 2, 3.5 gives 4.
inline int roundHalfEven(long double value) {
    // lrint rounds halves to even in the default rounding mode, which the program keeps, in one
    // instruction. What does not fit an int, or is not a number, is INT_MIN, far off any surface.
    const long n = std::lrint(value);
    return n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()
               ? static_cast<int>(n)
               : std::numeric_limits<int>::min();
}

struct Pixel {
    int x, y;
    bool operator==(const Pixel&) const = default;
};

// Calls visit(x, y) for the pixels of a line in drawing order, the end point left out:
// Bresenham's walk, stopped one step before the end.
template <class Visit> void forEachLinePixel(const Line& line, Visit&& visit) {
    const int dx = line.x2 > line.x1 ? line.x2 - line.x1 : line.x1 - line.x2;
    const int dy = -(line.y2 > line.y1 ? line.y2 - line.y1 : line.y1 - line.y2);
    const int sx = line.x1 < line.x2 ? 1 : -1;
    const int sy = line.y1 < line.y2 ? 1 : -1;
    int x = line.x1, y = line.y1, error = dx + dy;
    while (x != line.x2 || y != line.y2) {
        visit(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// The pixels of a line in drawing order, the end point left out.
std::vector<Pixel> linePixels(const Line& line);

}  // namespace varnelle
