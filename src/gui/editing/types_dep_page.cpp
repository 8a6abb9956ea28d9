#include "editing/types_dep_page.h"

#include <QVBoxLayout>

#include "model/amount.h"
#include "model/locale_facts.h"
#include "settings/grid_settings.h"
#include "toolkit/budget_text.h"
#include "toolkit/grid.h"

namespace varnelle::gui {

namespace {
constexpr int kColonneJauge = 7;
constexpr Qt::Alignment kDroite = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kGauche = Qt::AlignLeft | Qt::AlignVCenter;
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
        {QStringLiteral("Type"), 48, kGauche, false, 3, Kind::Text, Button::Push},
        {QStringLiteral("Libellé"), 200, kGauche},
        {QStringLiteral("Montant"), defaut, kDroite},
        {QStringLiteral("Périodicité"), 104, kGauche, true, 0, Kind::Text, Button::Push},
        {QStringLiteral("Total"), defaut, kDroite, true},
        {QStringLiteral("Solde"), defaut, kDroite, true},
        {QStringLiteral("Jauge"), 100, kGauche, true},
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
    const char separateur = localeFacts().separateurDecimal;
    switch (column) {
    case 1: return fromBudgetText(type.cTypeDep);
    case 2: return fromBudgetText(type.cLibelle);
    case 3: return QString::fromStdString(formatAmount(type.nMontant, separateur));
    case 5: return QString::fromStdString(formatAmount(type.nTotal, separateur));
    case 6: return QString::fromStdString(formatAmount(type.nSolde, separateur));
    default: return {};  // months due and gauge are drawn
    }
}

}  // namespace varnelle::gui
