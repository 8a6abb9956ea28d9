#pragma once

#include <cstdint>
#include <string>

#include "core/model/amount.h"

namespace varnelle {

// A selection mark is checked when it holds exactly 1.
inline constexpr std::int32_t kCoche = 1;

// A recurring expense type.
struct TTypeDep {
    std::string cTypeDep;
    std::string cLibelle;
    Montant nMontant = 0;
    std::int32_t nPeriodicite = 0;
    // Derived: months set in the mask, the yearly budget and the amount booked so far.
    std::int32_t nNbMois = 0;
    Montant nTotal = 0;
    Montant nSolde = 0;

    bool operator==(const TTypeDep&) const = default;
};

// One dated operation of the journal.
// Members go from the widest alignment down, so that no padding lies between them: a large
// journal holds one of these per operation.
struct TOperation {
    std::string cDate;
    std::string cTypeDep;
    std::string cLibelle;
    Montant nMontant = 0;
    // Derived: running balance in collection order.
    Montant nSolde = 0;
    std::int32_t nSelect = 0;
    // Set on the operation the user just changed, to find it again after a re-sort.
    bool lMarquee = false;

    bool operator==(const TOperation&) const = default;
};
static_assert(sizeof(TOperation) <=
                  3 * sizeof(std::string) + 2 * sizeof(Montant) + alignof(Montant),
              "an operation record holds no padding beyond its tail");

// One of the 31 daily-expense rows.
struct TDepJourn {
    std::int32_t nJour = 0;
    MontantEntier nMontant = 0;
    MontantEntier nCumul = 0;

    bool operator==(const TDepJourn&) const = default;
};

struct TEconomie {
    std::string cLibelle;
    MontantEntier nMontant = 0;
    MontantEntier nCumul = 0;

    bool operator==(const TEconomie&) const = default;
};

// A monthly amount over a period, laid over the month-end balances.
struct TPSimulation {
    std::int32_t nSelect = 0;
    std::string cLibelle;
    std::string cDateDeb;
    std::string cDateFin;
    Montant nMontant = 0;

    bool operator==(const TPSimulation&) const = default;
};

}  // namespace varnelle
