#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/budget.h"
#include "core/model/tree_nodes.h"

namespace varnelle {

// What a node of the operations tree stands for: a year, a month of it, or an expense type used
// in that month, with where its operations start and what they add up to.
struct TInfoNoeudArbreOp {
    std::size_t nIndiceOp = 0;  // position of the node's first operation
    std::string cMois;          // month and type: "01".."12"
    std::string cTypeDep;       // type: its code
    Montant nTotal = 0;         // sum of the node's operations
    std::size_t nNbOperations = 0;
    bool operator==(const TInfoNoeudArbreOp&) const = default;
};

// The tree of years, months and types, depth first; records and nodes share their positions.
struct ArbreOperations {
    std::vector<TInfoNoeudArbreOp> infos;
    TreeNodes noeuds;
    std::optional<std::size_t> selection;  // the month of the current operation
};

// One pass over the journal in its order. A type gets one node per month, where its first
// operation of the month comes; it is named by its label, or by its code when no type has it.
// Operations whose date is not valid are left out and end a run.
ArbreOperations ConstruitArbreOperations(const Budget& budget, std::string_view dateCourante);

// One row of the detail of a node: a month of a year, a type of a month, an operation of a type.
struct TDetailOperations {
    std::int32_t nSelect = 0;
    std::string cCle;  // year: month number; month: type code; type: empty
    std::string cDate;
    std::string cLibelle;
    Montant nMontant = 0;
    Montant nSolde = 0;  // balance after the row's last operation
    bool operator==(const TDetailOperations&) const = default;
};

// The rows of a node's detail, from the node's own run of operations only.
std::vector<TDetailOperations> DetailOperations(const Budget& budget, const ArbreOperations& arbre,
                                                std::size_t noeud);

// "Vue arbrorescente des opérations (Mars 2024 : Loyer)", and the year and month forms.
std::string TitreDetailOperations(const ArbreOperations& arbre, std::size_t noeud);

// A month of the binder: its year and month texts and the positions of its first and last
// operation. Consecutive operations of the same month make one; an undated one ends it.
struct MoisClasseur {
    std::string cAnnee;
    std::string cMois;
    std::size_t premier = 0;
    std::size_t dernier = 0;
    bool operator==(const MoisClasseur&) const = default;
};

std::vector<MoisClasseur> ConstruitClasseur(const std::vector<TOperation>& operations);

// The binder's rows of a month: a copy of each of its operations, the type code as key.
std::vector<TDetailOperations> DetailMoisClasseur(const std::vector<TOperation>& operations,
                                                  const MoisClasseur& mois);

}  // namespace varnelle
