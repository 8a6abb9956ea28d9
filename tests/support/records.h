#pragma once

#include <cstddef>
#include <cstdint>

#include "core/model/budget.h"
#include "core/model/records.h"

namespace varnelle::test {

// Records as a test writes them: what matters to the test, and plain defaults for the rest.
TOperation operation(const char* date, const char* code, Montant montant, int select = 1);
TTypeDep type(const char* code, Montant montant, std::int32_t masque = 4095);

// Draws of a test that tries many cases: the same ones at every run.
class Tirage final {
public:
    explicit Tirage(std::uint64_t graine) : graine_(graine) {}
    // A number from 0 to n - 1.
    std::size_t operator()(std::size_t n) {
        graine_ = graine_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>((graine_ >> 33) % n);
    }

private:
    std::uint64_t graine_;
};

// Types AL, LO and SA due every month; AL -40 on 28/02/2024, SA 1500 on 02/03 and AL -20 on
// 15/03, recomputed.
Budget smallBudget();

}  // namespace varnelle::test
