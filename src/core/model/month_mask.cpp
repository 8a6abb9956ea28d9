#include "core/model/month_mask.h"

#include <bit>

namespace varnelle {

std::int32_t NbMoisPeriodicite(std::int32_t masque) {
    return std::popcount(static_cast<std::uint32_t>(masque) &
                         static_cast<std::uint32_t>(kTousLesMois));
}

}  // namespace varnelle
