#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QVariant>

#include "core/model/budget.h"
#include "core/stats/operations_tree.h"

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;

// What the statistics pages share about the operations they detail.

// The position of the current operation of the operations page, if any.
using OperationCourante = std::function<std::optional<std::size_t>()>;
// Its date text; empty without a current operation.
std::string dateOperationCourante(const Budget& budget, const OperationCourante& courante);

// The data columns of a grid of detail rows; each page shows those it needs, in its order.
enum ColonneDetail {
    kColonneCoche = 1,
    kColonneDate,
    kColonneLibelle,
    kColonneMontant,
    kColonneSolde,
    kColonneCode
};
QVariant celluleDetail(const std::vector<TDetailOperations>& lignes, int column, int row);

// A click on the chart of `n` detail rows: the row of the bar under it becomes current in
// `colonne`, in view; outside the bars, a beep.
void choisitLigneDeBarre(Grid& grid, const DrawingSurface& chart, int x, int y, std::size_t n,
                         int colonne, Prompter& prompter);

// What a chart of detail rows shows, for a screen reader: "<quoi> : 3 lignes, total -60,00".
QString descriptionDetail(const QString& quoi, const std::vector<TDetailOperations>& lignes);

}  // namespace varnelle::gui
