#include "gui/statistics/recap_types_dep_page.h"

#include "gui/statistics/stats_grid.h"

namespace varnelle::gui {

RecapTypesDepPage::RecapTypesDepPage(Budget& budget, QWidget* parent)
    : Page(parent), budget_(budget), grRecapTypesDep_(grilleRemplissant(*this, "grRecapTypesDep")) {
}

void RecapTypesDepPage::prepare() {
    prepareGrilleStats(*grRecapTypesDep_);
    grRecapTypesDep_->setRowBar(true, false);
    grRecapTypesDep_->setDefaultColumnWidth(276);
    grRecapTypesDep_->setDefaultRowHeight(100);
    grRecapTypesDep_->setColumns({{QStringLiteral("Type de dépenses"), 120}});
    appliqueParametres(budget_.Param);
}

void RecapTypesDepPage::appliqueParametres(const TParam& param) {
    grRecapTypesDep_->setRowResize(ensemble(param.lRTDRetailLigEns));
    grRecapTypesDep_->setColumnResize(ensemble(param.lRTDRetailColEns));
    appliqueColonneFixe(*grRecapTypesDep_, param);
    grRecapTypesDep_->reload();
}

}  // namespace varnelle::gui
