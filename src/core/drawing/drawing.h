#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/param.h"

namespace varnelle {

// The display list of every picture the program draws itself, in integer pixels, (0, 0) at
// the top left. Painters build one for a surface size; the gui replays it pixel for pixel.

// Corners in either order; covers min..max-1 on each axis, a one-pixel outline in `pen`
// around an inside filled with `brush`.
struct Rect {
    int x1, y1, x2, y2;
    Couleur pen, brush;
    bool operator==(const Rect&) const = default;
};

// From (x1, y1) towards (x2, y2), the end point itself not drawn. A dotted line draws
// every other pixel, starting with the first.
struct Line {
    int x1, y1, x2, y2;
    Couleur pen;
    bool dotted = false;
    bool operator==(const Line&) const = default;
};

// Text (Windows-1252) whose cell has its top-left corner at (x, y); the cell is filled with
// `background` behind the glyphs.
struct Text {
    int x, y;
    std::string text;
    Couleur color, background;
    bool operator==(const Text&) const = default;
};

using Primitive = std::variant<Rect, Line, Text>;

struct Drawing {
    std::vector<Primitive> primitives;
    bool operator==(const Drawing&) const = default;
};

// What painters need to know of the surface's font.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int width(std::string_view text) const = 0;
    virtual int height() const = 0;
};

// Real coordinates become pixels rounded to nearest, halves to even: 2.5 gives 2, 3.5 gives 4.
int roundHalfEven(long double value);

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
