#include "main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/graphes_page.h"
#include "editing/dep_journ_page.h"
#include "editing/operations_page.h"
#include "editing/types_dep_page.h"
#include "main/button_icons.h"
#include "main/choix_fichier_dialog.h"
#include "model/date_text.h"
#include "projections/soldes_mensuels_page.h"
#include "projections/stats_grid_pages.h"
#include "render/budget_text.h"
#include "render/interface_font.h"
#include "storage/data_file.h"
#include "toolkit/grid.h"
#include "toolkit/messages.h"
#include "toolkit/page_control.h"
#include "toolkit/prompter.h"
#include "toolkit/window_placement.h"

namespace varnelle::gui {

namespace {

constexpr int kLargeur = 772;
constexpr int kHauteurCommandes = 41;
constexpr int kLargeurBouton = 81;
constexpr int kMargeFermer = 16;

QPushButton* bouton(QWidget* parent, const char* name, const QString& caption, const QIcon& icon,
                    int left, int width) {
    auto* button = new QPushButton(icon, caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    // The bar's buttons leave the keyboard where it was: "Supprimer" acts on the grid that
    // has it.
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 8, width, 25);
    return button;
}

}  // namespace

TfmMain::TfmMain(std::filesystem::path folder, Prompter& prompter, ChooseFile chooseFile,
                 QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), prompter_(prompter),
      chooseFile_(chooseFile ? std::move(chooseFile) : ChooseFile(ChoixFichier)) {
    setObjectName(QStringLiteral("fmMain"));
    setFont(interfaceFont());
    FormCreate();
}

TfmMain::~TfmMain() = default;

void TfmMain::FormCreate() {
    creeOnglets();
    creeBoutons();
    jaugeAffichee_ = false;
    lAActualiser_.fill(true);
    loaded_ = ChargeFichier();
    if (!loaded_) return;
    pcVarnelle->choosePage(budget_.TypesDep.empty() ? kOngletTypesDep : kOngletOperations);
    pcStats->choosePage(kStatsGraphes);
    tsGraphes->pcGraphes().setCurrentIndex(0);
    budget_.calculeTout();
    tsDepJourn->actualiseResteCourant();
    // As tall as the screen, frame included, at its top left; the width stays as designed.
    resize(kLargeur, height());
    // The frame is told once the window shows: the row made current then stays in view.
    auto* hauteurEcran = new ScreenHeight(*this, ScreenHeight::Edge::Left, [this] {
        Grid& grid = tsOperations->grOperations();
        if (grid.currentCell().row >= 1) grid.scrollToCell(grid.currentCell());
    });
    hauteurEcran->fit();
    metTitre();
}

void TfmMain::creeOnglets() {
    pcVarnelle = new PageControl(this);
    pcVarnelle->setObjectName(QStringLiteral("pcVarnelle"));
    tsTypesDep = new TypesDepPage(budget_, prompter_);
    tsTypesDep->setObjectName(QStringLiteral("tsTypesDep"));
    tsOperations = new OperationsPage(budget_, prompter_);
    tsOperations->setObjectName(QStringLiteral("tsOperations"));
    tsDepJourn = new DepJournPage(budget_, prompter_);
    tsDepJourn->setObjectName(QStringLiteral("tsDepJourn"));
    pcStats = new PageControl;
    pcStats->setObjectName(QStringLiteral("pcStats"));
    pcVarnelle->addTab(tsTypesDep, QStringLiteral("Types Dépenses"));
    pcVarnelle->addTab(tsOperations, QStringLiteral("Opérations"));
    pcVarnelle->addTab(tsDepJourn, QStringLiteral("Dépenses journalières"));
    auto* tsStats = new QWidget;
    tsStats->setObjectName(QStringLiteral("tsStats"));
    auto* statsLayout = new QVBoxLayout(tsStats);
    statsLayout->setContentsMargins(0, 0, 0, 0);
    statsLayout->addWidget(pcStats);
    pcVarnelle->addTab(tsStats, QStringLiteral("Statistiques"));

    tsGraphes = new GraphesPage(budget_, prompter_);
    tsGraphes->setObjectName(QStringLiteral("tsGraphes"));
    auto* tsArboOperations = new QWidget;
    tsArboOperations->setObjectName(QStringLiteral("tsArboOperations"));
    auto* tsClasseursOperations = new QWidget;
    tsClasseursOperations->setObjectName(QStringLiteral("tsClasseursOperations"));
    tsSoldesMensuels = new SoldesMensuelsPage(budget_, prompter_);
    tsSoldesMensuels->setObjectName(QStringLiteral("tsSoldesMensuels"));
    tsRecapTypesDep = new RecapTypesDepPage(budget_);
    tsRecapTypesDep->setObjectName(QStringLiteral("tsRecapTypesDep"));
    tsCalendOp = new CalendOpPage(budget_);
    tsCalendOp->setObjectName(QStringLiteral("tsCalendOp"));
    pcStats->addTab(tsGraphes, QStringLiteral("Graphes"));
    pcStats->addTab(tsArboOperations, QStringLiteral("Arborescence des opérations"));
    pcStats->addTab(tsClasseursOperations, QStringLiteral("Vue 'classeur' des opérations"));
    pcStats->addTab(tsSoldesMensuels, QStringLiteral("Soldes mensuels"));
    pcStats->addTab(tsRecapTypesDep, QStringLiteral("Récap. types de dépenses"));
    pcStats->addTab(tsCalendOp, QStringLiteral("Calendrier des opérations"));
    // Six captions side by side in the designed width.
    pcStats->setCompactTabs();

    pcVarnelle->setChanging([this](int leaving) { return pcVarnelleChanging(leaving); });
    pcVarnelle->setChange([this] { pcVarnelleChange(); });
    pcStats->setChanging([this](int leaving) { return pcStatsChanging(leaving); });
    pcStats->setChange([this] { pcStatsChange(); });
}

void TfmMain::creeBoutons() {
    auto* pnCommandes = new QFrame(this);
    pnCommandes->setObjectName(QStringLiteral("pnCommandes"));
    pnCommandes->setFixedHeight(kHauteurCommandes);
    pnCommandes->setFrameStyle(QFrame::Panel | QFrame::Raised);
    btAjouter = bouton(pnCommandes, "btAjouter", QStringLiteral("&Ajouter"),
                       buttonIcon(ButtonPicture::Add), 8, kLargeurBouton);
    btSupprimer = bouton(pnCommandes, "btSupprimer", QStringLiteral("&Supprimer"),
                         buttonIcon(ButtonPicture::Delete), 96, kLargeurBouton);
    btImprimer = bouton(pnCommandes, "btImprimer", QStringLiteral("&Imprimer"),
                        buttonIcon(ButtonPicture::Print), 184, kLargeurBouton);
    btParametres = bouton(pnCommandes, "btParametres", QStringLiteral("&Paramètres"),
                          buttonIcon(ButtonPicture::Settings), 272, kLargeurBouton);
    btSvg1 =
        bouton(pnCommandes, "btSvg1", {}, buttonIcon(ButtonPicture::StoreBookmark, 1), 360, 25);
    btSvg2 =
        bouton(pnCommandes, "btSvg2", {}, buttonIcon(ButtonPicture::StoreBookmark, 2), 384, 25);
    btRst1 = bouton(pnCommandes, "btRst1", {}, buttonIcon(ButtonPicture::GoToBookmark, 1), 416, 25);
    btRst2 = bouton(pnCommandes, "btRst2", {}, buttonIcon(ButtonPicture::GoToBookmark, 2), 440, 25);
    btFermer =
        bouton(pnCommandes, "btFermer", QStringLiteral("&Fermer"), buttonIcon(ButtonPicture::Close),
               kLargeur - kLargeurBouton - kMargeFermer, kLargeurBouton);
    btSvg1->setToolTip(QStringLiteral("Mémoriser les onglets affichés (signet 1)"));
    btSvg2->setToolTip(QStringLiteral("Mémoriser les onglets affichés (signet 2)"));
    btRst1->setToolTip(QStringLiteral("Revenir aux onglets du signet 1"));
    btRst2->setToolTip(QStringLiteral("Revenir aux onglets du signet 2"));

    connect(btSvg1, &QPushButton::clicked, this,
            [this] { btSvgClick(budget_.Param.ConfigOnglets1); });
    connect(btSvg2, &QPushButton::clicked, this,
            [this] { btSvgClick(budget_.Param.ConfigOnglets2); });
    connect(btRst1, &QPushButton::clicked, this,
            [this] { btRstClick(budget_.Param.ConfigOnglets1); });
    connect(btRst2, &QPushButton::clicked, this,
            [this] { btRstClick(budget_.Param.ConfigOnglets2); });
    connect(btFermer, &QPushButton::clicked, this, &QWidget::close);
    connect(btAjouter, &QPushButton::clicked, this, &TfmMain::btAjouterClick);
    connect(btSupprimer, &QPushButton::clicked, this, &TfmMain::btSupprimerClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pcVarnelle);
    layout->addWidget(pnCommandes);
}

bool TfmMain::ChargeFichier() {
    BudgetChoisi choisi = chooseFile_(folder_, prompter_);
    fileName_ = std::move(choisi.fileName);
    if (fileName_.empty()) return false;
    // The content whose password the chooser checked; the file is not read a second time.
    file_ = std::move(choisi.file);
    const std::filesystem::path path = folder_ / fileName_;
    if (varnelle::ChargeFichier(file_, budget_) == LoadStatus::Damaged) {
        prompter_.error(this, QStringLiteral("Erreur"), messageFichierEndommage(path));
        return false;
    }
    tsTypesDep->prepare();
    tsOperations->prepare();
    tsDepJourn->prepare();
    tsSoldesMensuels->prepare();
    tsRecapTypesDep->prepare();
    tsCalendOp->prepare();
    return true;
}

bool TfmMain::SauveFichier() {
    SaveResult result = varnelle::SauveFichier(file_, budget_);
    if (result.status == SaveStatus::ChangedOnDisk) {
        const QString question =
            QStringLiteral("Le fichier %1 a été modifié par un autre programme depuis son "
                           "ouverture.\n\nL'écraser avec le budget affiché ?")
                .arg(fromFileName(result.path.string()));
        if (prompter_.askYesNo(this, question, Prompter::Answer::No) != Prompter::Answer::Yes)
            return false;
        result = varnelle::SauveFichier(file_, budget_, ProfileFile::ExternalChange::Overwrite);
    }
    if (!result) {
        prompter_.error(this, QStringLiteral("Erreur"), messageEchecSauvegarde(result));
        return false;
    }
    if (result.backupError != 0)
        prompter_.error(this, QStringLiteral("Sauvegarde"), messageSansCopiePrecedente(result));
    return true;
}

void TfmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TfmMain::FormShow() {
    tsOperations->montreDerniereOperation();
}

void TfmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    redessineVueDevant();
    btFermer->move(width() - btFermer->width() - kMargeFermer, btFermer->y());
}

void TfmMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TfmMain::FormCloseQuery() {
    if (!loaded_) return true;
    // What is being typed in a cell is part of what the user expects to keep.
    termineEditions();
    switch (prompter_.askYesNoCancel(
        this, QStringLiteral("Sauvegarder les modifications apportées ?"), Prompter::Answer::No)) {
    case Prompter::Answer::Yes: return SauveFichier();
    case Prompter::Answer::No: return true;
    case Prompter::Answer::Cancel: return false;
    }
    return false;
}

void TfmMain::termineEditions() {
    for (Grid* grid : findChildren<Grid*>()) grid->endEdit();
}

bool TfmMain::pcVarnelleChanging(int leaving) {
    switch (leaving) {
    case kOngletTypesDep: return tsTypesDep->TypeDepCourantValide();
    case kOngletOperations: return tsOperations->OperationCouranteValide();
    case kOngletStats:
        return pcStats->currentIndex() != kStatsSoldesMensuels ||
               tsSoldesMensuels->SimulationCouranteValide();
    default: return true;
    }
}

void TfmMain::majAjouterSupprimer() {
    bool ajouter = true;
    switch (pcVarnelle->currentIndex()) {
    case kOngletOperations: ajouter = !budget_.TypesDep.empty(); break;
    case kOngletStats: ajouter = pcStats->currentIndex() == kStatsSoldesMensuels; break;
    default: break;
    }
    btAjouter->setEnabled(ajouter);
    btSupprimer->setEnabled(ajouter);
}

void TfmMain::pcVarnelleChange() {
    const int onglet = pcVarnelle->currentIndex();
    majAjouterSupprimer();
    btImprimer->setEnabled(onglet != kOngletStats);
    switch (onglet) {
    case kOngletTypesDep: {
        const auto& operations = budget_.Operations;
        jaugeAffichee_ = !operations.empty() && partieAnnee(operations.front().cDate) ==
                                                    partieAnnee(operations.back().cDate);
        tsTypesDep->setJaugeVisible(jaugeAffichee_);
        break;
    }
    case kOngletDepJourn:
        redessineVueDevant();
        tsDepJourn->montreDerniereEconomie();
        break;
    case kOngletStats: {
        const int page = pcStats->currentIndex();
        reconstruitPageStats(page);
        if (page == kStatsGraphes) InitMoisAnnees();
        lAActualiser_.fill(true);
        lAActualiser_[static_cast<std::size_t>(page)] = false;
        break;
    }
    default: break;
    }
    if (onglet != kOngletStats) metTitre();
}

bool TfmMain::pcStatsChanging(int leaving) {
    return leaving != kStatsSoldesMensuels || tsSoldesMensuels->SimulationCouranteValide();
}

void TfmMain::pcStatsChange() {
    const int page = pcStats->currentIndex();
    majAjouterSupprimer();
    if (page == kStatsGraphes) {
        tsGraphes->donneFocusDateDeb();
        // Statistics first shown on another page leave the month lists to fill here.
        if (!tsGraphes->moisAnneesRemplis()) InitMoisAnnees();
    }
    auto& drapeau = lAActualiser_[static_cast<std::size_t>(page)];
    if (drapeau) reconstruitPageStats(page);
    drapeau = false;
    if (page != kStatsArboOperations) metTitre();
}

void TfmMain::reconstruitPageStats(int page) {
    // The views of the statistics pages are built from the budget here, page by page, as
    // each comes into the program.
    if (page == kStatsGraphes) tsGraphes->redessineGrapheVisible();
    emit statsPageRebuilt(page);
}

void TfmMain::InitMoisAnnees() {
    const Grid::Cell courante = tsOperations->grOperations().currentCell();
    std::optional<std::size_t> position;
    if (courante.row >= 1) position = static_cast<std::size_t>(courante.row - 1);
    tsGraphes->InitMoisAnnees(position);
}

void TfmMain::redessineVueDevant() {
    // The charts of the tree, binder and balances pages are redrawn here once they exist;
    // the grids repaint themselves.
    if (pcVarnelle->currentIndex() == kOngletDepJourn) tsDepJourn->redessine();
    if (pcVarnelle->currentIndex() == kOngletStats && pcStats->currentIndex() == kStatsGraphes)
        tsGraphes->redessineGrapheVisible();
}

void TfmMain::metTitre() {
    setWindowTitle(QStringLiteral("Varnelle - [%1]").arg(fromFileName(fileName_)));
}

void TfmMain::AppliqueParametres() {
    tsTypesDep->appliqueParametres();
    tsOperations->appliqueParametres();
    tsDepJourn->appliqueParametres();
    tsSoldesMensuels->appliqueParametres();
    tsRecapTypesDep->appliqueParametres();
    tsCalendOp->appliqueParametres();
    redessineVueDevant();
}

void TfmMain::btAjouterClick() {
    switch (pcVarnelle->currentIndex()) {
    case kOngletTypesDep: tsTypesDep->ajoute(); break;
    case kOngletOperations: tsOperations->ajoute(); break;
    case kOngletDepJourn: tsDepJourn->ajouteEconomie(); break;
    case kOngletStats:
        if (pcStats->currentIndex() == kStatsSoldesMensuels) tsSoldesMensuels->ajouteSimulation();
        break;
    default: break;
    }
}

void TfmMain::btSupprimerClick() {
    // Only the grid that has the keyboard, on the tab in front, loses a row.
    const auto aLeClavier = [this](Grid& grid) {
        const QWidget* focus = focusWidget();
        return focus != nullptr && (focus == &grid || grid.isAncestorOf(focus));
    };
    switch (pcVarnelle->currentIndex()) {
    case kOngletTypesDep:
        if (aLeClavier(tsTypesDep->grTypesDep())) tsTypesDep->supprime();
        break;
    case kOngletOperations:
        if (aLeClavier(tsOperations->grOperations())) tsOperations->supprime();
        break;
    case kOngletDepJourn:
        if (aLeClavier(tsDepJourn->grEconomies())) tsDepJourn->supprimeEconomie();
        break;
    case kOngletStats:
        if (pcStats->currentIndex() == kStatsSoldesMensuels &&
            aLeClavier(tsSoldesMensuels->grSimulations()))
            tsSoldesMensuels->supprimeSimulation();
        break;
    default: break;
    }
}

void TfmMain::btSvgClick(TConfigOnglets& signet) {
    signet.nOnglet1 = pcVarnelle->currentIndex();
    if (signet.nOnglet1 == kOngletStats) {
        signet.nOnglet2 = pcStats->currentIndex();
        signet.nOnglet3 =
            signet.nOnglet2 == kStatsGraphes ? tsGraphes->pcGraphes().currentIndex() : -1;
    } else {
        signet.nOnglet2 = -1;
    }
}

void TfmMain::btRstClick(const TConfigOnglets& signet) {
    // An index beyond its tabs (an edited file) stops the jump at the last level it fits.
    if (signet.nOnglet1 < 0 || signet.nOnglet1 >= pcVarnelle->count()) return;
    pcVarnelle->choosePage(signet.nOnglet1);
    pcVarnelleChange();
    if (signet.nOnglet1 != kOngletStats || signet.nOnglet2 < 0 ||
        signet.nOnglet2 >= pcStats->count())
        return;
    pcStats->choosePage(signet.nOnglet2);
    pcStatsChange();
    if (signet.nOnglet2 == kStatsGraphes && signet.nOnglet3 >= 0 &&
        signet.nOnglet3 < tsGraphes->pcGraphes().count())
        tsGraphes->pcGraphes().setCurrentIndex(signet.nOnglet3);
}

}  // namespace varnelle::gui
