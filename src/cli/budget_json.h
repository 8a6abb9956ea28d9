#pragma once

#include <ostream>
#include <string_view>

#include "core/model/budget.h"

namespace varnelle::cli {

// The whole budget as one JSON document: texts in UTF-8, decimal amounts as strings with two
// decimals, whole amounts as numbers, records in collection order. `fichier` is UTF-8.
void writeBudgetJson(std::ostream& out, std::string_view fichier, const Budget& budget);

}  // namespace varnelle::cli
