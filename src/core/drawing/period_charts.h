#pragma once

#include <vector>

#include "drawing/drawing.h"
#include "model/param.h"
#include "stats/operations_window_lists.h"
#include "stats/period_graphs.h"

namespace varnelle {

// The expense-types graph: one bar per code of the period, labelled with the code, coloured by
// position. Without bars, the background only.
Drawing DessineGrapheTypesDep(int width, int height, const TextMetrics& metrics,
                              const std::vector<TTD>& barres, const TParam& param);

// The chart of the operations window: one bar per group of one date and one code, labelled
// with as much of the date as the bar step allows, coloured by position.
Drawing DessineGrapheOperationsTypeDep(int width, int height, const TextMetrics& metrics,
                                       const std::vector<TGrapheOperations>& groupes,
                                       const TParam& param);

}  // namespace varnelle
