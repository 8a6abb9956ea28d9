#pragma once

#include "core/model/budget.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class Grid;

// The "Récap. types de dépenses" page of the statistics: grRecapTypesDep, one row per
// expense type and one column per year once built.
class RecapTypesDepPage final : public Page {
    Q_OBJECT

public:
    explicit RecapTypesDepPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grRecapTypesDep() { return *grRecapTypesDep_; }

    void prepare() override;
    void appliqueParametres(const TParam& param) override;

private:
    Budget& budget_;
    Grid* grRecapTypesDep_;
};

}  // namespace varnelle::gui
