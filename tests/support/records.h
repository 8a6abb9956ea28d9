#pragma once

#include <cstdint>

#include "core/model/records.h"

namespace varnelle::test {

// Records as a test writes them: what matters to the test, and plain defaults for the rest.
TOperation operation(const char* date, const char* code, Montant montant, int select = 1);
TTypeDep type(const char* code, Montant montant, std::int32_t masque = 4095);

}  // namespace varnelle::test
