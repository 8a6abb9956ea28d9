#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/records.h"
#include "core/model/tree_nodes.h"

namespace varnelle {

// What a node of the tree of monthly balances stands for: a year, or a month of it with the
// balance after its last operation.
struct TInfoNoeudSoldesMensuels {
    bool lSimule = false;   // month: an active simulation applies to it
    std::string cAnnee;     // "2024"
    std::string cNomMois;   // month: its name; empty on a year
    std::string cMois;      // month: "01".."12"; empty on a year
    std::string cJour;      // month: day of its last operation
    Montant nSoldeRef = 0;  // month: running balance of its last operation
    Montant nSoldeAff = 0;  // month: with the simulations; year: that of its last month

    bool estMois() const { return !cMois.empty(); }
    bool operator==(const TInfoNoeudSoldesMensuels&) const = default;
};

// The tree of years and months that have operations, depth first: the records and the nodes
// share their positions (a node's `data` is that position too).
struct ArbreSoldesMensuels {
    std::vector<TInfoNoeudSoldesMensuels> infos;
    TreeNodes noeuds;
    // The month of the current operation, whose year starts ticked; none without one.
    std::optional<std::size_t> selection;
};

// Builds the tree from the journal in its order: a node per year, a node per month under it,
// each month keeping the day and running balance of its last operation. Operations whose date
// is not valid are left out. `dateCourante` is the date of the current operation, or empty.
// The year of the current month and its months are ticked, every other node not. The texts,
// pictures and shown balances come from CalculeSoldesMensuels.
ArbreSoldesMensuels ConstruitArbreSoldesMensuels(const std::vector<TOperation>& operations,
                                                 std::string_view dateCourante);

// Whether a simulation weighs on the balances: ticked (exactly 1), with a valid start date
// and an amount; a blank or invalid end date leaves its period open.
bool SimulationActive(const TPSimulation& simulation);

// The shown balances, with or without the active simulations (each adds its amount once per
// month of the tree in its period, to that month and every later one), then the pictures
// (fallen since the previous year or month, or not) and the texts ("%-10s %11.2f", the name
// upper-cased on a simulated month; "%-5s %11.2f" on a year).
void CalculeSoldesMensuels(ArbreSoldesMensuels& arbre, const std::vector<TPSimulation>& simulations,
                           bool avecSimulations);

// The node a month or year is compared with: the year before, the month before (across years);
// none for the first.
std::optional<std::size_t> NoeudPrecedent(const ArbreSoldesMensuels& arbre, std::size_t noeud);

// The lines the active simulations add to the detail of month `noeud`: one per simulation whose
// period holds the month's first day, dated on the month's last operation. `decalage` is what
// the simulations had added by the end of the month before.
std::vector<TOperation> LignesSimulationMois(const ArbreSoldesMensuels& arbre,
                                             const std::vector<TPSimulation>& simulations,
                                             std::size_t noeud, Montant& decalage);

// Ticks the months that share at least a day with the period (a bound that is no date is open)
// and their years; unticks every other node.
void CocheMoisDeLaPeriode(ArbreSoldesMensuels& arbre, std::string_view debut, std::string_view fin);

// One bar of the graph: a ticked month of a ticked year.
struct TSoldeMensuel {
    std::size_t nIndiceNoeud = 0;  // its node's absolute position
    std::string cAnnee;            // the first 4 characters of its year's text
    std::string cNomMois;          // the first 9 characters of its text, as shown
    std::string cMois;
    std::string cJour;
    Montant nSoldeAff = 0;
    Montant nSoldeRef = 0;
    bool operator==(const TSoldeMensuel&) const = default;
};

// The bars of the ticked months of the ticked years, in tree order; a ticked month of an
// unticked year is not drawn.
std::vector<TSoldeMensuel> ConstruitSoldesMensuels(const ArbreSoldesMensuels& arbre);

}  // namespace varnelle
