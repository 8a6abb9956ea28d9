#include "drawing/drawing.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(Drawing, RealCoordinatesRoundHalvesToEven) {
    const std::pair<long double, int> cases[] = {{2.5L, 2},   {3.5L, 4},    {-2.5L, -2},
                                                 {-3.5L, -4}, {2.49L, 2},   {2.51L, 3},
                                                 {0.5L, 0},   {247.0L, 247}};
    for (const auto& [value, pixel] : cases)
        EXPECT_EQ(roundHalfEven(value), pixel) << (double)value;
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

// A page in millimetres lands on the device's pixels, halves to even, and its texts are
// measured back in hundredths of a millimetre; pixels pass as they are.
TEST(Drawing, PageUnitsBecomeDevicePixels) {
    EXPECT_EQ(toDevice(2540, Unit::HundredthMm, 600), 600);
    EXPECT_EQ(toDevice(1000, Unit::HundredthMm, 1200), 472);  // 472.44
    EXPECT_EQ(toDevice(127, Unit::HundredthMm, 10), 0);       // 0.5
    EXPECT_EQ(toDevice(381, Unit::HundredthMm, 10), 2);       // 1.5
    EXPECT_EQ(toDevice(-2540, Unit::HundredthMm, 96), -96);
    EXPECT_EQ(fromDevice(472, Unit::HundredthMm, 1200), 999);  // 999.07
    EXPECT_EQ(toDevice(37, Unit::Pixel, 1200), 37);
    EXPECT_EQ(fromDevice(37, Unit::Pixel, 1200), 37);
}

}  // namespace
}  // namespace varnelle
