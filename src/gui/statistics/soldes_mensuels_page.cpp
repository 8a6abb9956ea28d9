#include "gui/statistics/soldes_mensuels_page.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/model/date_text.h"
#include "core/model/entries.h"
#include "gui/settings/grid_settings.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace varnelle::gui {

SoldesMensuelsPage::SoldesMensuelsPage(Budget& budget, Prompter& prompter, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter), grSimulations_(new Grid) {
    auto* spHorizSoldesMensuels = new QSplitter(Qt::Vertical, this);
    spHorizSoldesMensuels->setObjectName(QStringLiteral("spHorizSoldesMensuels"));
    spHorizSoldesMensuels->setHandleWidth(3);
    auto* pnSoldesMensuelsHaut = new QWidget;
    pnSoldesMensuelsHaut->setObjectName(QStringLiteral("pnSoldesMensuelsHaut"));
    auto* bas = new QWidget;
    auto* pnSoldesMensuelsTitre = new QLabel(QStringLiteral("Simulations"), bas);
    pnSoldesMensuelsTitre->setObjectName(QStringLiteral("pnSoldesMensuelsTitre"));
    pnSoldesMensuelsTitre->setFixedHeight(21);
    pnSoldesMensuelsTitre->setAlignment(Qt::AlignCenter);
    pnSoldesMensuelsTitre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    grSimulations_->setObjectName(QStringLiteral("grSimulations"));
    auto* basLayout = new QVBoxLayout(bas);
    basLayout->setContentsMargins(0, 0, 0, 0);
    basLayout->setSpacing(0);
    basLayout->addWidget(pnSoldesMensuelsTitre);
    basLayout->addWidget(grSimulations_);
    spHorizSoldesMensuels->addWidget(pnSoldesMensuelsHaut);
    spHorizSoldesMensuels->addWidget(bas);
    spHorizSoldesMensuels->setSizes({500, 120});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spHorizSoldesMensuels);
    grSimulations_->gridModel().setCellLoaded(
        [this](int column, int row) { return grSimulationsCellLoaded(column, row); });
}

void SoldesMensuelsPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grSimulations_->setColumns({
        {QString(), 20, Qt::AlignCenter, false, 0, Kind::CheckBox},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft},
        {QStringLiteral("Date début"), 80, GridColumn::kLeft, false, 10, Kind::Text, Button::Push},
        {QStringLiteral("Date fin"), 80, GridColumn::kLeft, false, 10, Kind::Text, Button::Push},
        {QStringLiteral("Montant (/mois)"), 80, GridColumn::kRight},
    });
    grSimulations_->setDefaultRowHeight(14);
    grSimulations_->setSelection(Grid::Selection::None);
    grSimulations_->setColumnResize(Grid::Resize::None);
    grSimulations_->setRowResize(Grid::Resize::None);
    grSimulations_->setRows(static_cast<int>(budget_.Simulations.size()));
    appliqueParametres(budget_.Param);
}

void SoldesMensuelsPage::appliqueParametres(const TParam& param) {
    appliqueCouleurs(*grSimulations_, param.nCoulGrilleSiFond, param.nCoulGrilleSiTexte, param);
    grSimulations_->setCheckShape(formeCoche(param));
}

bool SoldesMensuelsPage::SimulationCouranteValide() {
    const int row = grSimulations_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.Simulations.size())) return true;
    const TPSimulation& simulation = budget_.Simulations[static_cast<std::size_t>(row - 1)];
    return DateValide(simulation.cDateDeb) && simulation.nMontant != 0;
}

void SoldesMensuelsPage::ajoute() {
    if (!SimulationCouranteValide()) return;
    varnelle::ajouteSimulation(budget_);
    montreLigneAjoutee(*grSimulations_, budget_.Simulations.size());
}

void SoldesMensuelsPage::supprime() {
    const auto ligne = ligneASupprimer(*grSimulations_, budget_.Simulations.size(), prompter_,
                                       QStringLiteral("la simulation"));
    if (!ligne) return;
    varnelle::supprimeSimulation(budget_, *ligne);
    grSimulations_->setRows(static_cast<int>(budget_.Simulations.size()));
    grSimulations_->reload();
}

QVariant SoldesMensuelsPage::grSimulationsCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Simulations.size())) return {};
    const TPSimulation& simulation = budget_.Simulations[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return simulation.nSelect;
    case 2: return fromBudgetText(simulation.cLibelle);
    case 3: return fromBudgetText(simulation.cDateDeb);
    case 4: return fromBudgetText(simulation.cDateFin);
    case 5: return amountText(simulation.nMontant);
    default: return {};
    }
}

}  // namespace varnelle::gui
