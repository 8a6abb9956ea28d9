#pragma once

#include <array>
#include <string>

namespace varnelle {

// What the core needs of the user's locale. The gui hands the system's facts over at
// start-up; everything else (tests, the cli) keeps the French ones.
struct LocaleFacts {
    // Long month names, January first, in Windows-1252.
    std::array<std::string, 12> nomsMois;
    char separateurDecimal = ',';
};

LocaleFacts frenchLocaleFacts();
const LocaleFacts& localeFacts();
void setLocaleFacts(LocaleFacts facts);

// Long name of month `mois` (1..12) with its first character in upper case; empty outside.
std::string NomMois(int mois);

}  // namespace varnelle
