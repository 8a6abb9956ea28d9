#pragma once

#include "core/drawing/drawing.h"
#include "core/model/param.h"
#include "core/stats/period_graphs.h"

namespace varnelle {

// The axes, then for each day after the first a dotted drop line when it has operations and
// the segment from the day before, in the colour of the month of that day before. A series
// that did not succeed, or has fewer than two days, draws only the background.
Drawing DessineGrapheOperations(int width, int height, const SerieOperations& serie,
                                const TParam& param);
// The same from the balance kept where it changes. Days that share a pixel column are drawn
// once per column, in the pixels the day-by-day drawing gives.
Drawing DessineGrapheOperations(int width, int height, const SerieJours& serie,
                                const TParam& param);

}  // namespace varnelle
