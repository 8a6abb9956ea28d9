#pragma once

#include <cstdint>

#include "core/model/budget.h"
#include "core/model/records.h"

namespace varnelle::test {

// Records as a test writes them: what matters to the test, and plain defaults for the rest.
TOperation operation(const char* date, const char* code, Montant montant, int select = 1);
TTypeDep type(const char* code, Montant montant, std::int32_t masque = 4095);

// Types AL, LO and SA due every month; AL -40 on 28/02/2024, SA 1500 on 02/03 and AL -20 on
// 15/03, recomputed.
Budget smallBudget();

}  // namespace varnelle::test
