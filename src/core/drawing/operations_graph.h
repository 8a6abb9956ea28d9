#pragma once

#include <vector>

#include "drawing/drawing.h"
#include "model/date_text.h"
#include "model/param.h"

namespace varnelle {

// The balance day by day over a period, from its first operation day to its last: day d
// (from 0) is date0 + d.
struct SerieOperations {
    CivilDate date0;
    // The running balance at the end of each day, the last known one on a day without
    // operations.
    std::vector<long double> soldes;
    // The day has at least one operation.
    std::vector<bool> avecOperations;
};

// The axes, then for each day after the first a dotted drop line when it has operations and
// the segment from the day before, in the colour of the month of that day before. A series of
// fewer than two days has no scale and draws only the background.
Drawing DessineGrapheOperations(int width, int height, const SerieOperations& serie,
                                const TParam& param);

}  // namespace varnelle
