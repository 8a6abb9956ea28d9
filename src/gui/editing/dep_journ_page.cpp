#include "editing/dep_journ_page.h"

#include <QGroupBox>

#include "settings/grid_settings.h"
#include "toolkit/budget_text.h"
#include "toolkit/grid.h"

namespace varnelle::gui {

DepJournPage::DepJournPage(Budget& budget, QWidget* parent)
    : QWidget(parent), budget_(budget), grDepJourn_(new Grid(this)),
      gbEconomies_(new QGroupBox(QStringLiteral("Economies"), this)),
      grEconomies_(new Grid(gbEconomies_)) {
    grDepJourn_->setObjectName(QStringLiteral("grDepJourn"));
    gbEconomies_->setObjectName(QStringLiteral("gbEconomies"));
    grEconomies_->setObjectName(QStringLiteral("grEconomies"));
    grDepJourn_->setGeometry(0, 0, 201, 457);
    gbEconomies_->setGeometry(208, 176, 370, 281);
    grEconomies_->setGeometry(8, 18, 354, 257);
    grDepJourn_->gridModel().setCellLoaded(
        [this](int column, int row) { return grDepJournCellLoaded(column, row); });
    grEconomies_->gridModel().setCellLoaded(
        [this](int column, int row) { return grEconomiesCellLoaded(column, row); });
}

void DepJournPage::prepare() {
    grDepJourn_->setColumns({
        {QStringLiteral("Jour"), 40, GridColumn::kLeft, true},
        {QStringLiteral("Montant"), 64, GridColumn::kRight},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });
    grDepJourn_->setRows(kNbJoursDepJourn);
    grEconomies_->setColumns({
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft},
        {QStringLiteral("Montant"), 64, GridColumn::kRight},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });
    grEconomies_->setRows(static_cast<int>(budget_.Economies.size()));
    appliqueParametres();
}

void DepJournPage::appliqueParametres() {
    const TParam& param = budget_.Param;
    appliqueCouleurs(*grDepJourn_, param.nCoulGrilleDJFond, param.nCoulGrilleDJTexte, param);
    appliqueCouleurs(*grEconomies_, param.nCoulGrilleEcFond, param.nCoulGrilleEcTexte, param);
}

void DepJournPage::montreDerniereEconomie() {
    const int rows = static_cast<int>(budget_.Economies.size());
    if (rows == 0) return;
    grEconomies_->setCurrentCell({1, rows});
    grEconomies_->scrollToCell({1, rows});
}

QVariant DepJournPage::grDepJournCellLoaded(int column, int row) const {
    if (row < 1 || row > kNbJoursDepJourn) return {};
    const TDepJourn& jour = budget_.DepJourn[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return QString::number(jour.nJour);
    case 2: return QString::number(jour.nMontant);
    case 3: return QString::number(jour.nCumul);
    default: return {};
    }
}

QVariant DepJournPage::grEconomiesCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Economies.size())) return {};
    const TEconomie& economie = budget_.Economies[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return fromBudgetText(economie.cLibelle);
    case 2: return QString::number(economie.nMontant);
    case 3: return QString::number(economie.nCumul);
    default: return {};
    }
}

}  // namespace varnelle::gui
