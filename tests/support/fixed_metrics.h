#pragma once

#include <string_view>

#include "core/drawing/drawing.h"

namespace varnelle::test {

// A fixed-pitch font of 7 pixels a character, 13 high, for painters under test.
class FixedMetrics final : public TextMetrics {
public:
    int width(std::string_view text) const override { return 7 * static_cast<int>(text.size()); }
    int height() const override { return 13; }
};

}  // namespace varnelle::test
