#pragma once

#include <cstdint>
#include <optional>

#include "core/drawing/drawing.h"
#include "core/model/budget.h"
#include "core/model/param.h"

namespace varnelle {

// The bar chart of the month's spending per day, one slot per day between margins of 10
// pixels, day numbers read vertically under the bars, days that are multiples of 5 in their
// own colour. `nbJoursMois` is clamped into 28..31. A negative amount draws its bar down
// from the base line, cut at the bottom of the surface.
Drawing DessineDepJourn(int width, int height, const TextMetrics& metrics, const Budget& budget,
                        std::int32_t nbJoursMois, const TParam& param);

// The day (1 .. nbJoursMois, clamped as for the chart) whose slot holds the point, or empty
// when the point is in the margins or among the day numbers.
std::optional<int> jourSousPoint(int x, int y, int width, int height, std::int32_t nbJoursMois);

}  // namespace varnelle
