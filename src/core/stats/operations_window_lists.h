#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

// Selection mark of a simulated line.
inline constexpr std::int32_t kSelectSimulation = 2;

// One row of the operations window. Its texts are those of the budget's operation or of
// the simulated line: a window lists a hundred thousand rows without copying a text.
struct TOpTypDep {
    std::int32_t nSelect = 0;
    std::string_view cDate;
    std::string_view cTypeDep;  // "sim k" on the k-th simulated line
    Montant nMontant = 0;
    std::string_view cLibelle;
    Montant nCumul = 0;  // running sum of the listed amounts; filtered window only
    Montant nSolde = 0;

    bool operator==(const TOpTypDep&) const = default;
};

// One bar of the window's chart: consecutive rows of one date and one code. Its texts are
// its own: every resize reads all the bars, and texts in the bar itself are read in one pass
// where views would fetch them from records spread over the whole journal.
struct TGrapheOperations {
    std::int32_t nLigneDeb = 0;  // rows counted from 0
    std::int32_t nLigneFin = 0;
    std::string cDate;
    std::string cTypeDep;  // empty for a simulated line
    Montant nMontant = 0;

    bool operator==(const TGrapheOperations&) const = default;
};

// Valid as long as the budget's operations and the simulations it was built from are left
// as they are, as in the window that shows it.
struct ListesOperationsTypeDep {
    bool lFiltre = false;  // one type code: the "Cumul" column is computed and shown
    std::vector<TOpTypDep> Lignes;
    std::vector<TGrapheOperations> Groupes;
    std::int32_t nPremiereLigneSim = 1;  // first simulated row counted from 1, or rows + 1
    Montant nTotal = 0;                  // the rows' amounts summed in row order
    // The codes of the simulated lines, shared by copies so that their rows stay valid.
    std::shared_ptr<const std::vector<std::string>> codesSimulation;
};

// The rows and bars of the window for `code` (empty: every type) between two date texts
// (blank or invalid: open bound). `nSoldeDeb` is added to each operation's balance.
// `simulations`, when given, are read for cDate, nMontant and cLibelle only and continue the
// balance of the last row, or the start balance when no operation is listed.
ListesOperationsTypeDep ConstruitListesOperations(const Budget& budget, std::string_view code,
                                                  std::string_view cDateDeb,
                                                  std::string_view cDateFin, Montant nSoldeDeb,
                                                  const std::vector<TOperation>* simulations);

// Position of the group of that date and code (both compared exactly), or -1.
int IndiceGroupe(const std::vector<TGrapheOperations>& groupes, std::string_view cDate,
                 std::string_view cTypeDep);

}  // namespace varnelle
