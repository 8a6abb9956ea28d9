#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

// What one expense type booked in one year, month by month.
struct TRecapAnnee {
    std::array<Montant, 12> nSommeMois{};  // January first
    Montant nMaxMois = 0;                  // largest |monthly sum|, 0 when all are 0
    bool lGraphe = true;                   // drawn as a bar chart, else as a table
};

// One row of the recap: an expense type and its years.
struct TRecapTypesDep {
    std::string cTypeDep;
    std::string cLibelle;
    // One entry per year that holds operations of any type (RecapTypesDep::nEmplacement),
    // so that a mistyped year far from the others costs a column, not memory per type.
    std::vector<TRecapAnnee> annees;
};

// The recap grid's working list: one record per expense type in collection order, one
// column per year from the first dated operation's year to the last one's.
struct RecapTypesDep {
    int nPremiereAnnee = 0;
    int nNbAnnees = 0;  // 0 without any dated operation
    // Per year number k (from 1) at k - 1: its entry in every record's `annees`, or -1 for a
    // year without any operation.
    std::vector<int> nEmplacement;
    std::vector<TRecapTypesDep> lignes;

    int annee(int k) const { return nPremiereAnnee + k - 1; }
    // Record `i`, year number `k`; null for an empty year or a position out of range.
    const TRecapAnnee* cellule(std::size_t i, int k) const;
    TRecapAnnee* cellule(std::size_t i, int k);
    // Whether the cell has an amount to draw, to click or to open.
    bool celluleRemplie(std::size_t i, int k) const;
};

// Sums of every type, year and month in one pass over the journal in its order, so each sum
// adds its amounts in the order a per-cell scan would. Operations whose date is not valid
// count nowhere; a sum under half a cent is 0. Every cell is drawn as `lContCellsGraphe` says.
RecapTypesDep ConstruitRecapTypesDep(const Budget& budget, bool lContCellsGraphe);

}  // namespace varnelle
