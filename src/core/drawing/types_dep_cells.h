#pragma once

#include <cstdint>

#include "core/drawing/drawing.h"
#include "core/model/param.h"
#include "core/model/records.h"

namespace varnelle {

// The two cells of the expense-types grid that the program draws itself, in cell
// coordinates: (0, 0) is the cell's top-left corner.

// The initials of the twelve months, those of the due months in the months-due colour.
// `metrics` are those of the fixed-pitch font the cell is written in.
Drawing DessineMoisPaiement(int width, int height, const TextMetrics& metrics,
                            std::int32_t nPeriodicite, const TParam& param);

// A bar comparing the amount booked so far with the yearly total; the background turns to
// the overrun colour once the booked amount exceeds the total.
Drawing DessineJauge(int width, int height, const TTypeDep& type, const TParam& param);

}  // namespace varnelle
