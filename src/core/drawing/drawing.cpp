#include "drawing/drawing.h"

#include <cmath>
#include <cstdlib>

namespace varnelle {

int roundHalfEven(long double value) {
    // rintl rounds halves to even in the default rounding mode, which the program keeps.
    return static_cast<int>(std::rintl(value));
}

std::vector<Pixel> linePixels(const Line& line) {
    // Bresenham's walk, stopped one step before the end.
    const int dx = std::abs(line.x2 - line.x1);
    const int dy = -std::abs(line.y2 - line.y1);
    const int sx = line.x1 < line.x2 ? 1 : -1;
    const int sy = line.y1 < line.y2 ? 1 : -1;
    std::vector<Pixel> pixels;
    pixels.reserve(static_cast<std::size_t>(std::max(dx, -dy)));
    int x = line.x1, y = line.y1, error = dx + dy;
    while (x != line.x2 || y != line.y2) {
        pixels.push_back({x, y});
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
    return pixels;
}

}  // namespace varnelle
