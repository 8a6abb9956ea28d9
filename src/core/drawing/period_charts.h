#pragma once

#include <string_view>
#include <vector>

#include "core/drawing/drawing.h"
#include "core/model/budget.h"
#include "core/model/param.h"
#include "core/stats/operations_tree.h"
#include "core/stats/operations_window_lists.h"
#include "core/stats/period_graphs.h"

namespace varnelle {

// The expense-types graph: one bar per code of the period, labelled with the code, coloured by
// position. Without bars, the background only.
Drawing DessineGrapheTypesDep(int width, int height, const TextMetrics& metrics,
                              const std::vector<TTD>& barres, const TParam& param);

// The chart of the operations window: one bar per group of one date and one code, labelled
// with as much of the date as the bar step allows, coloured by position.
Drawing DessineGrapheOperationsTypeDep(int width, int height, const TextMetrics& metrics,
                                       const std::vector<TGrapheOperations>& groupes,
                                       const TParam& param);

// The two graphs of the "Graphes" page.
enum class GrapheDePeriode { TypesDep, Operations };

struct GraphePeriode {
    // Ok, or why nothing was drawn.
    ResultatPeriode resultat = ResultatPeriode::Ok;
    // The bounds as read, for the redrawings at another size.
    PeriodeGraphe periode;
    // The background alone when the period has nothing to draw; empty when the start is
    // after the end, for the surface keeps its last picture then.
    Drawing drawing;
};

// What "Dessiner" draws for the period typed as `texteDeb` and `texteFin`: a text that is not
// a date is an open bound. The window and the command line both draw through here, so that
// one period gives one picture. The colours are the budget's unless others are given.
GraphePeriode DessineGraphePeriode(GrapheDePeriode graphe, const Budget& budget,
                                   std::string_view texteDeb, std::string_view texteFin, int width,
                                   int height, const TextMetrics& metrics);
GraphePeriode DessineGraphePeriode(GrapheDePeriode graphe, const Budget& budget,
                                   const TParam& param, std::string_view texteDeb,
                                   std::string_view texteFin, int width, int height,
                                   const TextMetrics& metrics);

// The chart of a node's detail in the operations tree, a bar per row: at year level the first
// four letters of each month, coloured by the month's parity; at month level the type codes, at
// type level the dates, both coloured by position.
Drawing DessineGrapheArbre(int width, int height, const TextMetrics& metrics,
                           const std::vector<TDetailOperations>& lignes, int niveau,
                           const TParam& param);

// The binder's chart of a month, a bar per operation coloured by position, with its date and,
// on a second line, its type code.
Drawing DessineGrapheClasseur(int width, int height, const TextMetrics& metrics,
                              const std::vector<TDetailOperations>& lignes, const TParam& param);

}  // namespace varnelle
