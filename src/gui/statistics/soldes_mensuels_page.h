#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QPointer>

#include "core/model/budget.h"
#include "core/stats/monthly_balances.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;
class Tree;

// The "Soldes mensuels" page of the statistics: the month-end balances above, the
// simulations in grSimulations below.
class SoldesMensuelsPage final : public Page {
    Q_OBJECT

public:
    SoldesMensuelsPage(Budget& budget, Prompter& prompter, OperationCourante operationCourante,
                       QWidget* parent = nullptr);

    Grid& grSimulations() { return *grSimulations_; }
    Tree& tvSoldesMensuels() { return *tvSoldesMensuels_; }
    const ArbreSoldesMensuels& arbre() const { return arbre_; }
    const std::vector<TSoldeMensuel>& soldesMensuels() const { return soldesMensuels_; }
    // The window of reference balances, while it is open.
    QWidget* fenetreReference() const { return fmArbreRefSoldesMensuels_; }

    void prepare() override;
    OrigineParametres origineParametres() const override {
        return OrigineParametres::SoldesMensuels;
    }
    void appliqueParametres(const TParam& param) override;
    void redessine() override;
    // True without a current row, or when the current simulation has a valid start date
    // and an amount.
    bool SimulationCouranteValide();
    bool peutQuitter() override { return SimulationCouranteValide(); }
    // "Ajouter" and "Supprimer" on this page act on the simulations.
    bool ajoutPossible() const override { return true; }
    void ajoute() override;
    void supprime() override;
    bool montreEnregistrement(PartieBudget partie, std::size_t indice) override;

    // Toggles the tick of a node of the tree (a year gives its state to its months) and takes
    // the graph's bars again.
    void BasculeCocheSoldeMensuel(int noeud);

protected:
    // Rebuilds the tree from the operations; only the year of the current operation is ticked.
    void actualise() override;
    // Leaving the page closes the window of reference balances.
    void hideEvent(QHideEvent* event) override;

private:
    QVariant grSimulationsCellLoaded(int column, int row) const;
    void grSimulationsCellEdit(int column, int row, const QString& value);
    bool grSimulationsEndCellEdit(int column, int row, const QVariant& value);
    void grSimulationsButtonClick(int column, int row);
    // The simulations changed: the shown balances, the texts and the graph follow; the tree
    // keeps its ticks and its current node.
    void RecalculeSoldesMensuels();
    void ConstruitGrapheSoldesMensuels();
    void imgSoldesMensuelsClick(int x, int y);
    void imgSoldesMensuelsDblClick(int x, int y);
    // The same tree without the simulations, in a window of its own at the top right of the
    // screen; its records are its own, so the page's tree is left as it is.
    void montreFenetreReference();

    Budget& budget_;
    Prompter& prompter_;
    OperationCourante operationCourante_;
    TParam param_;
    ArbreSoldesMensuels arbre_;
    TreeShape forme_;
    std::vector<TSoldeMensuel> soldesMensuels_;
    ArbreSoldesMensuels arbreReference_;
    QPointer<QWidget> fmArbreRefSoldesMensuels_;
    Tree* tvSoldesMensuels_;
    DrawingSurface* imgSoldesMensuels_;
    Grid* grSimulations_;
};

}  // namespace varnelle::gui
