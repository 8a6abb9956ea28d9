#pragma once

#include <cstddef>
#include <vector>

#include "core/model/budget.h"
#include "core/stats/operations_tree.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;
class Tree;

// "Arborescence des opérations": the operations by year, month and expense type, and the detail
// of the node in front, as a grid and a chart with a bar per row.
class ArboOperationsPage final : public Page {
    Q_OBJECT

public:
    ArboOperationsPage(const Budget& budget, Prompter& prompter,
                       OperationCourante operationCourante, QWidget* parent = nullptr);

    Tree& tvOperations() { return *tvOperations_; }
    Grid& grDetailOperations() { return *grDetailOperations_; }
    const ArbreOperations& arbre() const { return arbre_; }
    const std::vector<TDetailOperations>& detail() const { return detail_; }

    void prepare() override;
    OrigineParametres origineParametres() const override;
    void appliqueParametres(const TParam& param) override;
    void redessine() override;
    // Names the node whose detail is shown.
    QString titre() const override { return titre_; }

protected:
    // Rebuilds the tree, all closed; the month of the current operation is selected.
    void actualise() override;

private:
    void colonnes(bool type);
    void tvOperationsChange(int noeud);

    const Budget& budget_;
    Prompter& prompter_;
    OperationCourante operationCourante_;
    TParam param_;
    ArbreOperations arbre_;
    std::vector<TDetailOperations> detail_;
    int niveau_ = -1;  // of the node whose detail is shown
    QString titre_;
    Tree* tvOperations_;
    Grid* grDetailOperations_;
    DrawingSurface* imgDetailOperations_;
};

}  // namespace varnelle::gui
