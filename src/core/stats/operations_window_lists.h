#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

struct ListesOperationsTypeDep;

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
// those of the first row's operation or simulated line.
struct TGrapheOperations {
    std::int32_t nLigneDeb = 0;  // rows counted from 0
    std::int32_t nLigneFin = 0;
    std::string_view cDate;
    std::string_view cTypeDep;  // empty for a simulated line
    Montant nMontant = 0;

    bool operator==(const TGrapheOperations&) const = default;
};

// The rows of the window, each made when asked for from the operation or simulated line it
// shows: the window shows some thirty of a hundred thousand at a time, and the rows made all
// at once cost as much memory as the journal itself.
class LignesOperations {
public:
    std::size_t size() const { return nbOperations() + soldesSimulation_.size(); }
    bool empty() const { return size() == 0; }
    TOpTypDep operator[](std::size_t i) const;
    TOpTypDep back() const { return (*this)[size() - 1]; }

private:
    friend ListesOperationsTypeDep ConstruitListesOperations(const Budget&, std::string_view,
                                                             std::string_view, std::string_view,
                                                             Montant,
                                                             const std::vector<TOperation>*);
    std::size_t nbOperations() const { return filtre_ ? positions_.size() : fin_ - debut_; }

    const std::vector<TOperation>* operations_ = nullptr;
    bool filtre_ = false;
    // Without a filter the rows are the operations debut_ to fin_; with one, those at
    // positions_, each with the running sum of the listed amounts.
    std::size_t debut_ = 0, fin_ = 0;
    std::vector<std::size_t> positions_;
    std::vector<Montant> cumuls_;
    Montant nSoldeDeb_ = 0;
    const std::vector<TOperation>* simulations_ = nullptr;
    std::vector<Montant> soldesSimulation_;
    // The codes of the simulated lines, shared by copies so that their rows stay valid.
    std::shared_ptr<const std::vector<std::string>> codesSimulation_;
};

// Valid as long as the budget's operations and the simulations it was built from are left
// as they are, as in the window that shows it.
struct ListesOperationsTypeDep {
    bool lFiltre = false;  // one type code: the "Cumul" column is computed and shown
    LignesOperations Lignes;
    std::vector<TGrapheOperations> Groupes;
    std::int32_t nPremiereLigneSim = 1;  // first simulated row counted from 1, or rows + 1
    Montant nTotal = 0;                  // the rows' amounts summed in row order
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
