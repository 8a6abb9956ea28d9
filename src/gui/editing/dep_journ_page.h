#pragma once

#include <QWidget>

#include "model/budget.h"

class QGroupBox;

namespace varnelle::gui {

class Grid;

// The "Dépenses journalières" tab: the spending of each day of the month in grDepJourn and
// the savings in grEconomies.
class DepJournPage final : public QWidget {
    Q_OBJECT

public:
    DepJournPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grDepJourn() { return *grDepJourn_; }
    Grid& grEconomies() { return *grEconomies_; }

    void prepare();
    void appliqueParametres();
    // Brings the last savings row, if any, to the front.
    void montreDerniereEconomie();

private:
    QVariant grDepJournCellLoaded(int column, int row) const;
    QVariant grEconomiesCellLoaded(int column, int row) const;

    Budget& budget_;
    Grid* grDepJourn_;
    QGroupBox* gbEconomies_;
    Grid* grEconomies_;
};

}  // namespace varnelle::gui
