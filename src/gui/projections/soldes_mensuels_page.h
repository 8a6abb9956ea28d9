#pragma once

#include <QWidget>

#include "model/budget.h"

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Soldes mensuels" page of the statistics: the month-end balances above, the
// simulations in grSimulations below.
class SoldesMensuelsPage final : public QWidget {
    Q_OBJECT

public:
    SoldesMensuelsPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grSimulations() { return *grSimulations_; }

    void prepare();
    void appliqueParametres();
    // True without a current row, or when the current simulation has a valid start date
    // and an amount.
    bool SimulationCouranteValide();
    // "Ajouter" and "Supprimer" on this page act on the simulations.
    void ajouteSimulation();
    void supprimeSimulation();

private:
    QVariant grSimulationsCellLoaded(int column, int row) const;

    Budget& budget_;
    Prompter& prompter_;
    Grid* grSimulations_;
};

}  // namespace varnelle::gui
