#pragma once

#include "core/model/budget.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Soldes mensuels" page of the statistics: the month-end balances above, the
// simulations in grSimulations below.
class SoldesMensuelsPage final : public Page {
    Q_OBJECT

public:
    SoldesMensuelsPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grSimulations() { return *grSimulations_; }

    void prepare() override;
    void appliqueParametres(const TParam& param) override;
    // True without a current row, or when the current simulation has a valid start date
    // and an amount.
    bool SimulationCouranteValide();
    bool peutQuitter() override { return SimulationCouranteValide(); }
    // "Ajouter" and "Supprimer" on this page act on the simulations.
    bool ajoutPossible() const override { return true; }
    void ajoute() override;
    void supprime() override;

private:
    QVariant grSimulationsCellLoaded(int column, int row) const;

    Budget& budget_;
    Prompter& prompter_;
    Grid* grSimulations_;
};

}  // namespace varnelle::gui
