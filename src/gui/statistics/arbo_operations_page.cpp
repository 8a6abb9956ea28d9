#include "gui/statistics/arbo_operations_page.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "core/drawing/period_charts.h"
#include "gui/settings/grid_settings.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/tree.h"
#include "gui/toolkit/tree_pictures.h"
#include "render/budget_text.h"

namespace varnelle::gui {

ArboOperationsPage::ArboOperationsPage(const Budget& budget, Prompter& prompter,
                                       OperationCourante operationCourante, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter),
      operationCourante_(std::move(operationCourante)), tvOperations_(new Tree),
      grDetailOperations_(new Grid), imgDetailOperations_(new DrawingSurface) {
    auto* spVertArbreOp = new QSplitter(Qt::Horizontal, this);
    spVertArbreOp->setObjectName(QStringLiteral("spVertArbreOp"));
    spVertArbreOp->setHandleWidth(3);
    auto* spHorizArbreOp = new QSplitter(Qt::Vertical);
    spHorizArbreOp->setObjectName(QStringLiteral("spHorizArbreOp"));
    spHorizArbreOp->setHandleWidth(3);
    spHorizArbreOp->addWidget(grDetailOperations_);
    spHorizArbreOp->addWidget(imgDetailOperations_);
    spHorizArbreOp->setSizes({200, 300});
    spVertArbreOp->addWidget(tvOperations_);
    spVertArbreOp->addWidget(spHorizArbreOp);
    spVertArbreOp->setStretchFactor(1, 1);
    spVertArbreOp->setSizes({241, 500});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spVertArbreOp);

    tvOperations_->setNames(QStringLiteral("tvOperations"),
                            QStringLiteral("Arborescence des opérations"));
    tvOperations_->setImages(treePictures());
    tvOperations_->setSelectionKeptVisible(true);
    tvOperations_->setIndentation(19);
    tvOperations_->setNodes(&arbre_.noeuds);
    tvOperations_->onCurrentNodeChanged([this](int noeud) { tvOperationsChange(noeud); });
    grDetailOperations_->setObjectName(QStringLiteral("grDetailOperations"));
    grDetailOperations_->setAccessibleName(QStringLiteral("Détail des opérations"));
    grDetailOperations_->gridModel().setCellLoaded(
        [this](int column, int row) { return celluleDetail(detail_, column, row); });
    imgDetailOperations_->setObjectName(QStringLiteral("imgDetailOperations"));
    imgDetailOperations_->setAccessibleName(QStringLiteral("Graphe du détail des opérations"));
    imgDetailOperations_->setPainter([this](int width, int height, const TextMetrics& metrics) {
        return niveau_ < 0 ? Drawing{}
                           : DessineGrapheArbre(width, height, metrics, detail_, niveau_, param_);
    });
    imgDetailOperations_->setClickHandler([this](int x, int y) {
        choisitLigneDeBarre(*grDetailOperations_, *imgDetailOperations_, x, y, detail_.size(),
                            kColonneLibelle, prompter_);
    });
}

void ArboOperationsPage::colonnes(bool type) {
    grDetailOperations_->setColumns({
        {QString(), 20, Qt::AlignCenter, true, 0, GridColumn::Kind::CheckBox},
        {QStringLiteral("Date"), 72, GridColumn::kLeft, true},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft, true},
        {type ? QStringLiteral("Montant") : QStringLiteral("Total"), 64, GridColumn::kRight, true},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });
    // The type level shows the mark and the date, and its amount before the label.
    grDetailOperations_->setColumnVisible(kColonneCoche, type);
    grDetailOperations_->setColumnVisible(kColonneDate, type);
    if (type) grDetailOperations_->setDisplayPosition(kColonneMontant, kColonneLibelle);
}

OrigineParametres ArboOperationsPage::origineParametres() const {
    const int noeud = tvOperations_->currentNode();
    if (noeud < 0 || static_cast<std::size_t>(noeud) >= arbre_.noeuds.size())
        return OrigineParametres::ArboSansNoeud;
    switch (arbre_.noeuds[static_cast<std::size_t>(noeud)].level) {
    case 0: return OrigineParametres::ArboAnnee;
    case 1: return OrigineParametres::ArboMois;
    default: return OrigineParametres::ArboType;
    }
}

void ArboOperationsPage::prepare() {
    colonnes(false);
    grDetailOperations_->setDefaultRowHeight(14);
    grDetailOperations_->setReadOnly(true);
    grDetailOperations_->setSelection(Grid::Selection::Rows);
    appliqueParametres(budget_.Param);
}

void ArboOperationsPage::appliqueParametres(const TParam& param) {
    param_ = param;
    appliqueCouleurs(*grDetailOperations_, param.nCoulGrilleDOFond, param.nCoulGrilleDOTexte,
                     param);
    grDetailOperations_->setCheckShape(formeCoche(param));
    imgDetailOperations_->redraw();
}

void ArboOperationsPage::redessine() {
    imgDetailOperations_->redraw();
}

void ArboOperationsPage::actualise() {
    {
        const Tree::Building construction(*tvOperations_);
        arbre_ =
            ConstruitArbreOperations(budget_, dateOperationCourante(budget_, operationCourante_));
        tvOperations_->reload();
    }
    // Without a node to show, the detail is emptied rather than left on rows that are gone.
    tvOperationsChange(-1);
    if (arbre_.selection) {
        tvOperations_->selectNode(static_cast<int>(*arbre_.selection));
        tvOperations_->scrollToNode(static_cast<int>(*arbre_.selection));
    }
    tvOperations_->setFocus();
}

void ArboOperationsPage::tvOperationsChange(int noeud) {
    const bool valide = noeud >= 0 && noeud < static_cast<int>(arbre_.noeuds.size());
    const auto position = static_cast<std::size_t>(noeud);
    detail_ =
        valide ? DetailOperations(budget_, arbre_, position) : std::vector<TDetailOperations>{};
    niveau_ = valide ? arbre_.noeuds[position].level : -1;
    colonnes(niveau_ == 2);
    grDetailOperations_->setRows(static_cast<int>(detail_.size()));
    grDetailOperations_->reload();
    if (!detail_.empty()) grDetailOperations_->setCurrentCell({kColonneLibelle, 1});
    imgDetailOperations_->redraw();
    titre_ = valide ? fromBudgetText(TitreDetailOperations(arbre_, position)) : QString();
    imgDetailOperations_->setAccessibleDescription(descriptionDetail(titre_, detail_));
    emit actionsChangees();
}

}  // namespace varnelle::gui
