#pragma once

#include <vector>

#include "core/drawing/drawing.h"
#include "core/model/param.h"
#include "core/stats/monthly_balances.h"

namespace varnelle {

// The graph of monthly balances on a surface of `width` x `height`: a bar per month for its
// reference balance, coloured by the parity of its year and month, with the month and year
// beside the zero line, and over it a narrower bar in the complementary colour for the shown
// balance where the simulations change it. One scale covers both balances; with every balance
// 0 the bars have no height.
Drawing DessineGrapheSoldesMensuels(int width, int height, const TextMetrics& metrics,
                                    const std::vector<TSoldeMensuel>& barres, const TParam& param);

}  // namespace varnelle
