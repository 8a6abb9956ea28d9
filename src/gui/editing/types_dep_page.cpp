#include "editing/types_dep_page.h"

#include <QVBoxLayout>

#include "settings/grid_settings.h"
#include "toolkit/budget_text.h"
#include "toolkit/grid.h"

namespace varnelle::gui {

namespace {
constexpr int kColonneJauge = 7;
}  // namespace

TypesDepPage::TypesDepPage(Budget& budget, QWidget* parent)
    : QWidget(parent), budget_(budget), grTypesDep_(new Grid(this)) {
    grTypesDep_->setObjectName(QStringLiteral("grTypesDep"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grTypesDep_);
    grTypesDep_->gridModel().setCellLoaded(
        [this](int column, int row) { return grTypesDepCellLoaded(column, row); });
}

void TypesDepPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    const int defaut = 64;
    grTypesDep_->setColumns({
        {QStringLiteral("Type"), 48, GridColumn::kLeft, false, 3, Kind::Text, Button::Push},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft},
        {QStringLiteral("Montant"), defaut, GridColumn::kRight},
        {QStringLiteral("Périodicité"), 104, GridColumn::kLeft, true, 0, Kind::Text, Button::Push},
        {QStringLiteral("Total"), defaut, GridColumn::kRight, true},
        {QStringLiteral("Solde"), defaut, GridColumn::kRight, true},
        {QStringLiteral("Jauge"), 100, GridColumn::kLeft, true},
    });
    grTypesDep_->setDefaultRowHeight(15);
    grTypesDep_->setSelection(Grid::Selection::None);
    grTypesDep_->setColumnResize(Grid::Resize::None);
    grTypesDep_->setRows(static_cast<int>(budget_.TypesDep.size()));
    appliqueCouleurs(*grTypesDep_, budget_.Param.nCoulGrilleTDFond,
                     budget_.Param.nCoulGrilleTDTexte, budget_.Param);
}

void TypesDepPage::appliqueParametres() {
    appliqueCouleurs(*grTypesDep_, budget_.Param.nCoulGrilleTDFond,
                     budget_.Param.nCoulGrilleTDTexte, budget_.Param);
    grTypesDep_->reload();
}

void TypesDepPage::setJaugeVisible(bool visible) {
    grTypesDep_->setColumnVisible(kColonneJauge, visible);
}

bool TypesDepPage::TypeDepCourantValide() {
    const int row = grTypesDep_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return true;
    grTypesDep_->endEdit();
    const std::string& code = budget_.TypesDep[static_cast<std::size_t>(row - 1)].cTypeDep;
    return code.find_first_not_of(' ') != std::string::npos;
}

QVariant TypesDepPage::grTypesDepCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return {};
    const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return fromBudgetText(type.cTypeDep);
    case 2: return fromBudgetText(type.cLibelle);
    case 3: return amountText(type.nMontant);
    case 5: return amountText(type.nTotal);
    case 6: return amountText(type.nSolde);
    default: return {};  // months due and gauge are drawn
    }
}

}  // namespace varnelle::gui
