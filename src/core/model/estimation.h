#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/budget.h"

namespace varnelle {

// What is left of the start-of-month money ("actuel"): the typed whole amount minus the
// month's spending so far, the cumulative of day 31, wrapping as 32-bit sums do. Empty when
// the text is not a whole number. The cumulatives must be current.
std::optional<std::int32_t> resteCourantMois(std::string_view resteDebMois, const Budget& budget);

// The texts of the calculator's fields, two decimals each.
struct Estimation {
    std::string totalDepensesMois;  // always computed
    bool salaireLu = false;         // false: the salary is not a number, the fields below
                                    // are left empty and the caller keeps its texts
    std::string resteMois;
    std::string estimDepJournMois;  // empty when no day up to nbJoursMois has an amount
    std::string estimResteMois;     // idem
};

// Monthly expenses from the outgoing expense types, what the average salary leaves of them,
// and the month's everyday spending extrapolated from the last day with an amount. The
// daily cumulatives must be current.
Estimation CalculeEstimation(const Budget& budget, std::string_view salaireMoyen,
                             std::int32_t nbJoursMois, char separateurDecimal);

}  // namespace varnelle
