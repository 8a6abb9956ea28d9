#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/budget.h"

namespace varnelle::bench {

// splitmix64: the same numbers on every platform and library version, which the standard
// engines and distributions do not promise.
class Splitmix64 final {
public:
    explicit Splitmix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // In [0, n) for n > 0, without rejection: the slight bias does not matter for test data.
    std::uint32_t below(std::uint32_t n);
    // In [min, max], both included.
    std::int32_t between(std::int32_t min, std::int32_t max);
    // True with probability 1 / n.
    bool oneIn(std::uint32_t n) { return below(n) == 0; }

private:
    std::uint64_t state_;
};

// A French household budget of exactly `nbOperations` operations, the same for the same
// arguments: 15 expense types for small budgets up to 200 at 100 000 operations, a monthly
// salary and fixed monthly bills, everyday expenses spread over 2 to 8 years, savings, two
// simulations and daily amounts. Types and operations are sorted and every derived field
// is computed.
Budget genereBudget(int nbOperations, std::uint64_t seed = 1);

// Writes `budget` as a new budget named `nom` in `folder` (created with a password, then
// saved) and returns the path of its data file. Throws when either step fails.
std::filesystem::path ecritFichierBudget(const std::filesystem::path& folder,
                                         const std::string& nom, const Budget& budget);

// The bytes of the data file of `budget`: saved once into a scratch folder, read back.
std::string octetsBudget(const Budget& budget);

// The bytes of the data file of genereBudget(nbOperations).
std::string fichierBudget(int nbOperations);

// Shuffles `operations` in place (Fisher-Yates), the same way for the same seed.
void melangeOperations(std::vector<TOperation>& operations, std::uint64_t seed);

}  // namespace varnelle::bench
