#include "core/drawing/drawing.h"

#include <cmath>
#include <cstdlib>

namespace varnelle {

namespace {

constexpr long double kHundredthMmPerInch = 2540;

}  // namespace

int toDevice(int value, Unit unit, int dotsPerInch) {
    if (unit == Unit::Pixel) return value;
    return roundHalfEven(value * static_cast<long double>(dotsPerInch) / kHundredthMmPerInch);
}

int fromDevice(int pixels, Unit unit, int dotsPerInch) {
    if (unit == Unit::Pixel || dotsPerInch <= 0) return pixels;
    return roundHalfEven(pixels * kHundredthMmPerInch / dotsPerInch);
}

std::vector<Pixel> linePixels(const Line& line) {
    std::vector<Pixel> pixels;
    pixels.reserve(static_cast<std::size_t>(
        std::max(std::abs(line.x2 - line.x1), std::abs(line.y2 - line.y1))));
    forEachLinePixel(line, [&pixels](int x, int y) { pixels.push_back({x, y}); });
    return pixels;
}

}  // namespace varnelle
