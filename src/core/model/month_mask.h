#pragma once

#include <cstdint>

namespace varnelle {

// Month m (1 = January) is due when bit (12 - m) is set: January 2048 ... December 1.
inline constexpr std::int32_t kTousLesMois = 0xFFF;

constexpr std::int32_t bitDuMois(int mois) {
    return std::int32_t{1} << (12 - mois);
}

// Number of months set among the 12; higher bits are ignored.
std::int32_t NbMoisPeriodicite(std::int32_t masque);

}  // namespace varnelle
