#pragma once

#include "core/model/budget.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class Grid;

// The "Calendrier des opérations" page: grCalendOp, one row per day of the month and one
// column per month once built.
class CalendOpPage final : public Page {
    Q_OBJECT

public:
    explicit CalendOpPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grCalendOp() { return *grCalendOp_; }

    void prepare() override;
    void appliqueParametres(const TParam& param) override;

private:
    Budget& budget_;
    Grid* grCalendOp_;
};

}  // namespace varnelle::gui
