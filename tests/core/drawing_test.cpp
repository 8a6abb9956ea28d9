#include "core/drawing/drawing.h"

#include <limits>

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(Drawing, RealCoordinatesRoundHalvesToEven) {
    const std::pair<long double, int> cases[] = {{2.5L, 2},   {3.5L, 4},    {-2.5L, -2},
                                                 {-3.5L, -4}, {2.49L, 2},   {2.51L, 3},
                                                 {0.5L, 0},   {247.0L, 247}};
    for (const auto& [value, pixel] : cases)
        EXPECT_EQ(roundHalfEven(value), pixel) << (double)value;
    // Past an int, and not a number, land far off any surface, never on it.
    constexpr int kLoin = std::numeric_limits<int>::min();
    EXPECT_EQ(roundHalfEven(2147483647.4L), 2147483647);
    for (const long double loin :
         {2147483648.0L, -1e10L, 3e19L, 1e300L, std::numeric_limits<long double>::quiet_NaN()})
        EXPECT_EQ(roundHalfEven(loin), kLoin) << (double)loin;
}

TEST(Drawing, LinesLeaveOutTheirEndPoint) {
    using Pixels = std::vector<Pixel>;
    const struct {
        Line line;
        Pixels pixels;
    } cases[] = {
        {{0, 0, 3, 0, 0}, {{0, 0}, {1, 0}, {2, 0}}}, {{3, 0, 0, 0, 0}, {{3, 0}, {2, 0}, {1, 0}}},
        {{5, 2, 5, 5, 0}, {{5, 2}, {5, 3}, {5, 4}}}, {{0, 0, 3, 3, 0}, {{0, 0}, {1, 1}, {2, 2}}},
        {{0, 0, 1, 3, 0}, {{0, 0}, {0, 1}, {1, 2}}}, {{4, 4, 4, 4, 0}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(linePixels(c.line), c.pixels);
}

}  // namespace
}  // namespace varnelle
