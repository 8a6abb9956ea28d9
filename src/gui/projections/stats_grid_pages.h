#pragma once

#include <QWidget>

#include "model/budget.h"

namespace varnelle::gui {

class Grid;

// The grid pages of the statistics.

// The "Récap. types de dépenses" page of the statistics: grRecapTypesDep, one row per
// expense type and one column per year once built.
class RecapTypesDepPage final : public QWidget {
    Q_OBJECT

public:
    RecapTypesDepPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grRecapTypesDep() { return *grRecapTypesDep_; }

    void prepare();
    void appliqueParametres();

private:
    Budget& budget_;
    Grid* grRecapTypesDep_;
};

// The "Calendrier des opérations" page: grCalendOp, one row per day of the month and one
// column per month once built.
class CalendOpPage final : public QWidget {
    Q_OBJECT

public:
    CalendOpPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grCalendOp() { return *grCalendOp_; }

    void prepare();
    void appliqueParametres();

private:
    Budget& budget_;
    Grid* grCalendOp_;
};

}  // namespace varnelle::gui
