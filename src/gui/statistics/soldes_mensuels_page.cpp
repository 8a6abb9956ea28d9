#include "gui/statistics/soldes_mensuels_page.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/drawing/bar_chart.h"
#include "core/drawing/monthly_balances_chart.h"
#include "core/model/amount.h"
#include "core/model/date_text.h"
#include "core/model/edits.h"
#include "core/model/entries.h"
#include "core/storage/profile_file.h"
#include "gui/settings/grid_settings.h"
#include "gui/statistics/detail_operations.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/tree.h"
#include "gui/toolkit/tree_pictures.h"
#include "render/budget_text.h"

namespace varnelle::gui {

SoldesMensuelsPage::SoldesMensuelsPage(Budget& budget, Prompter& prompter,
                                       OperationCourante operationCourante, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter),
      operationCourante_(std::move(operationCourante)), tvSoldesMensuels_(new Tree),
      imgSoldesMensuels_(new DrawingSurface), grSimulations_(new Grid) {
    auto* spHorizSoldesMensuels = new QSplitter(Qt::Vertical, this);
    spHorizSoldesMensuels->setObjectName(QStringLiteral("spHorizSoldesMensuels"));
    spHorizSoldesMensuels->setHandleWidth(3);
    auto* pnSoldesMensuelsHaut = new QSplitter(Qt::Horizontal);
    pnSoldesMensuelsHaut->setObjectName(QStringLiteral("pnSoldesMensuelsHaut"));
    pnSoldesMensuelsHaut->setHandleWidth(3);
    pnSoldesMensuelsHaut->addWidget(tvSoldesMensuels_);
    pnSoldesMensuelsHaut->addWidget(imgSoldesMensuels_);
    pnSoldesMensuelsHaut->setStretchFactor(1, 1);
    pnSoldesMensuelsHaut->setSizes({251, 500});
    tvSoldesMensuels_->setNames(QStringLiteral("tvSoldesMensuels"),
                                QStringLiteral("Soldes mensuels"));
    tvSoldesMensuels_->setImages(treePictures());
    tvSoldesMensuels_->setTickImages(images_arbres::kCaseVide, images_arbres::kCaseCochee);
    tvSoldesMensuels_->setFixedPitch(11);
    tvSoldesMensuels_->setSelectionKeptVisible(true);
    tvSoldesMensuels_->setIndentation(19);
    tvSoldesMensuels_->setNodes(&arbre_.noeuds);
    tvSoldesMensuels_->onTickToggle([this](int noeud) { BasculeCocheSoldeMensuel(noeud); });
    tvSoldesMensuels_->onMouseDown(
        [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const TreeHit&) {
            if (button == Qt::RightButton && modifiers == Qt::NoModifier &&
                tvSoldesMensuels_->currentNode() >= 0)
                montreFenetreReference();
        });
    imgSoldesMensuels_->setObjectName(QStringLiteral("imgSoldesMensuels"));
    imgSoldesMensuels_->setAccessibleName(QStringLiteral("Graphe des soldes mensuels"));
    imgSoldesMensuels_->setPainter([this](int width, int height, const TextMetrics& metrics) {
        return DessineGrapheSoldesMensuels(width, height, metrics, soldesMensuels_, param_);
    });
    imgSoldesMensuels_->setClickHandler([this](int x, int y) { imgSoldesMensuelsClick(x, y); });
    imgSoldesMensuels_->setDoubleClickHandler(
        [this](int x, int y) { imgSoldesMensuelsDblClick(x, y); });
    auto* bas = new QWidget;
    auto* pnSoldesMensuelsTitre = new QLabel(QStringLiteral("Simulations"), bas);
    pnSoldesMensuelsTitre->setObjectName(QStringLiteral("pnSoldesMensuelsTitre"));
    pnSoldesMensuelsTitre->setFixedHeight(21);
    pnSoldesMensuelsTitre->setAlignment(Qt::AlignCenter);
    pnSoldesMensuelsTitre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    grSimulations_->setObjectName(QStringLiteral("grSimulations"));
    grSimulations_->setAccessibleName(QStringLiteral("Simulations"));
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
    grSimulations_->onCellEdit(
        [this](int column, int row, QString& value) { grSimulationsCellEdit(column, row, value); });
    grSimulations_->onEndCellEdit([this](int column, int row, const QVariant& value) {
        return modification([&] { return grSimulationsEndCellEdit(column, row, value); });
    });
    grSimulations_->onButtonClick([this](int column, int row) {
        modification([&] { grSimulationsButtonClick(column, row); });
    });
}

void SoldesMensuelsPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grSimulations_->setColumns({
        {QString(), 20, Qt::AlignCenter, false, 0, Kind::CheckBox},
        // No longer than the data file can hold: refused as it is typed, not at the save.
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft, false,
         static_cast<int>(ProfileFile::kMaxValueLength)},
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

void SoldesMensuelsPage::hideEvent(QHideEvent* event) {
    delete fmArbreRefSoldesMensuels_;
    Page::hideEvent(event);
}

void SoldesMensuelsPage::montreFenetreReference() {
    if (fmArbreRefSoldesMensuels_) {
        fmArbreRefSoldesMensuels_->activateWindow();
        return;
    }
    arbreReference_ = arbre_;
    CalculeSoldesMensuels(arbreReference_, budget_.Simulations, false);
    for (TreeNode& noeud : arbreReference_.noeuds) noeud.tick = TickState::None;

    auto* fenetre = new QWidget(window(), Qt::Tool);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setObjectName(QStringLiteral("fmArbreRefSoldesMensuels"));
    fenetre->setWindowTitle(QStringLiteral("Soldes mensuels de référence"));
    fenetre->resize(251, 541);
    auto* arbre = new Tree(fenetre);
    arbre->setNames(QStringLiteral("tvSoldesMensuelsRef"),
                    QStringLiteral("Soldes mensuels de référence"));
    arbre->setImages(treePictures());
    arbre->setFixedPitch(11);
    arbre->setSelectionKeptVisible(true);
    arbre->setIndentation(19);
    arbre->setNodes(&arbreReference_.noeuds);
    arbre->expandAll();
    arbre->selectNode(tvSoldesMensuels_->currentNode());
    auto* pnCommandes = new QFrame(fenetre);
    pnCommandes->setObjectName(QStringLiteral("pnCommandes"));
    pnCommandes->setFixedHeight(41);
    auto* btFermer = new QPushButton(QStringLiteral("&Fermer"), pnCommandes);
    btFermer->setObjectName(QStringLiteral("btFermer"));
    btFermer->setFlat(true);
    btFermer->setGeometry(8, 8, 233, 25);
    connect(btFermer, &QPushButton::clicked, fenetre, &QWidget::close);
    auto* layout = new QVBoxLayout(fenetre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(arbre);
    layout->addWidget(pnCommandes);
    const QRect ecran =
        (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    fenetre->move(ecran.right() + 1 - fenetre->frameGeometry().width(), ecran.top());
    fenetre->show();
    fmArbreRefSoldesMensuels_ = fenetre;
}

void SoldesMensuelsPage::actualise() {
    // Its records are those of the tree being rebuilt.
    delete fmArbreRefSoldesMensuels_;
    const std::string dateCourante = dateOperationCourante(budget_, operationCourante_);
    {
        const Tree::Building construction(*tvSoldesMensuels_);
        arbre_ = ConstruitArbreSoldesMensuels(budget_.Operations, dateCourante);
        CalculeSoldesMensuels(arbre_, budget_.Simulations, true);
        forme_ = TreeShape(arbre_.noeuds);
        tvSoldesMensuels_->reload();
    }
    for (int noeud = 0; noeud < static_cast<int>(arbre_.noeuds.size()); ++noeud)
        if (arbre_.noeuds[static_cast<std::size_t>(noeud)].level == 0)
            tvSoldesMensuels_->expandNode(noeud);
    if (arbre_.selection) {
        tvSoldesMensuels_->selectNode(static_cast<int>(*arbre_.selection));
        tvSoldesMensuels_->scrollToNode(static_cast<int>(*arbre_.selection));
    }
    // Every rebuild takes the bars again, so that none points at a month no longer there.
    ConstruitGrapheSoldesMensuels();
    tvSoldesMensuels_->setFocus();
}

void SoldesMensuelsPage::BasculeCocheSoldeMensuel(int noeud) {
    if (!toggleTick(arbre_.noeuds, forme_, noeud)) return;
    tvSoldesMensuels_->reload();
    ConstruitGrapheSoldesMensuels();
}

void SoldesMensuelsPage::ConstruitGrapheSoldesMensuels() {
    soldesMensuels_ = ConstruitSoldesMensuels(arbre_);
    imgSoldesMensuels_->redraw();
    imgSoldesMensuels_->setAccessibleDescription(
        QStringLiteral("Soldes de %1 mois cochés").arg(soldesMensuels_.size()));
}

void SoldesMensuelsPage::imgSoldesMensuelsClick(int x, int y) {
    const auto barre = barreSousPoint(x, y, imgSoldesMensuels_->width(),
                                      imgSoldesMensuels_->height(), soldesMensuels_.size());
    if (!barre) {
        prompter_.beep();
        return;
    }
    const int noeud = static_cast<int>(soldesMensuels_[*barre].nIndiceNoeud);
    tvSoldesMensuels_->selectNode(noeud);
    tvSoldesMensuels_->scrollToNode(noeud);
}

// The month of the bar under the pointer, from its first day to its last operation, with the
// simulations' lines and what they had added before it.
void SoldesMensuelsPage::imgSoldesMensuelsDblClick(int x, int y) {
    const auto barre = barreSousPoint(x, y, imgSoldesMensuels_->width(),
                                      imgSoldesMensuels_->height(), soldesMensuels_.size());
    if (!barre) {
        prompter_.beep();
        return;
    }
    const TSoldeMensuel& mois = soldesMensuels_[*barre];
    tvSoldesMensuels_->selectNode(static_cast<int>(mois.nIndiceNoeud));
    Montant decalage = 0;
    const std::vector<TOperation> lignes =
        LignesSimulationMois(arbre_, budget_.Simulations, mois.nIndiceNoeud, decalage);
    OuvreOperationsTypeDep(this, budget_, prompter_, {}, "01/" + mois.cMois + "/" + mois.cAnnee,
                           mois.cJour + "/" + mois.cMois + "/" + mois.cAnnee, decalage, &lignes);
}

void SoldesMensuelsPage::redessine() {
    imgSoldesMensuels_->redraw();
}

void SoldesMensuelsPage::appliqueParametres(const TParam& param) {
    param_ = param;
    imgSoldesMensuels_->redraw();
    appliqueCouleurs(*grSimulations_, param.nCoulGrilleSiFond, param.nCoulGrilleSiTexte, param);
    grSimulations_->setCheckShape(formeCoche(param));
}

bool SoldesMensuelsPage::SimulationCouranteValide() {
    const int row = grSimulations_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.Simulations.size())) return true;
    grSimulations_->endEdit();  // what is being typed counts
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
    // A ticked simulation leaves the balances at once.
    RecalculeSoldesMensuels();
}

bool SoldesMensuelsPage::montreEnregistrement(PartieBudget partie, std::size_t indice) {
    if (partie != PartieBudget::Simulations) return false;
    montreLigne(*grSimulations_, indice);
    return true;
}

void SoldesMensuelsPage::RecalculeSoldesMensuels() {
    CalculeSoldesMensuels(arbre_, budget_.Simulations, true);
    tvSoldesMensuels_->reload();
    ConstruitGrapheSoldesMensuels();
}

void SoldesMensuelsPage::grSimulationsCellEdit(int column, int row, const QString& value) {
    if (column != 1 || row < 1 || row > static_cast<int>(budget_.Simulations.size())) return;
    changeSelectSimulation(budget_, static_cast<std::size_t>(row - 1),
                           value == QLatin1String("1") ? kCoche : 0);
    RecalculeSoldesMensuels();
}

bool SoldesMensuelsPage::grSimulationsEndCellEdit(int column, int row, const QVariant& value) {
    if (row < 1 || row > static_cast<int>(budget_.Simulations.size())) return false;
    const auto index = static_cast<std::size_t>(row - 1);
    if (column == 1) return true;  // stored as it was ticked
    const std::optional<std::string> text = toBudgetText(value.toString());
    if (!text) return false;
    bool accepte = false;
    switch (column) {
    case 2: return changeLibelleSimulation(budget_, index, *text);
    case 3:
    case 4: accepte = changeDateSimulation(budget_, index, column == 4, *text); break;
    case 5: {
        const std::optional<Montant> montant = parseAmount(*text);
        if (!montant) {
            prompter_.beep();
            return false;
        }
        accepte = changeMontantSimulation(budget_, index, *montant);
        break;
    }
    default: return false;
    }
    if (accepte) RecalculeSoldesMensuels();
    return accepte;
}

void SoldesMensuelsPage::grSimulationsButtonClick(int column, int row) {
    if ((column != 3 && column != 4) || row < 1 ||
        row > static_cast<int>(budget_.Simulations.size()))
        return;
    const auto index = static_cast<std::size_t>(row - 1);
    const TPSimulation& simulation = budget_.Simulations[index];
    const std::optional<std::string> date =
        ChoisitDate(this, column == 3 ? simulation.cDateDeb : simulation.cDateFin);
    if (date && changeDateSimulation(budget_, index, column == 4, *date)) RecalculeSoldesMensuels();
    grSimulations_->reload();
}

QVariant SoldesMensuelsPage::grSimulationsCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Simulations.size())) return {};
    const TPSimulation& simulation = budget_.Simulations[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return simulation.nSelect == kCoche ? 1 : 0;  // any other mark reads as unticked
    case 2: return fromBudgetText(simulation.cLibelle);
    case 3: return fromBudgetText(simulation.cDateDeb);
    case 4: return fromBudgetText(simulation.cDateFin);
    case 5: return amountText(simulation.nMontant);
    default: return {};
    }
}

}  // namespace varnelle::gui
