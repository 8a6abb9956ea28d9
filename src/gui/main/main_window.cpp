#include "gui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/model/date_text.h"
#include "core/storage/data_file.h"
#include "core/storage/recovery.h"
#include "gui/editing/dep_journ_page.h"
#include "gui/editing/operations_page.h"
#include "gui/editing/types_dep_page.h"
#include "gui/main/button_icons.h"
#include "gui/main/change_mot_de_passe_dialog.h"
#include "gui/main/choix_fichier_dialog.h"
#include "gui/reports/apercu_rapport.h"
#include "gui/settings/acces_parametres.h"
#include "gui/statistics/arbo_operations_page.h"
#include "gui/statistics/calend_op_page.h"
#include "gui/statistics/classeur_page.h"
#include "gui/statistics/graphes_page.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/recap_types_dep_page.h"
#include "gui/statistics/soldes_mensuels_page.h"
#include "gui/statistics/statistiques_page.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/messages.h"
#include "gui/toolkit/page.h"
#include "gui/toolkit/page_control.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

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
      chooseFile_(chooseFile ? std::move(chooseFile) : ChooseFile(ChoixFichier)),
      apercu_([this](const RapportListe& rapport, QWidget* proprietaire) {
          TfmApercuRapport apercu(rapport, prompter_, proprietaire);
          apercu.exec();
      }) {
    setObjectName(QStringLiteral("fmMain"));
    setFont(interfaceFont());
    FormCreate();
}

TfmMain::~TfmMain() {
    // An edit still open would end as its grid goes, after the budget it writes to.
    termineEditions();
}

void TfmMain::FormCreate() {
    creePages();
    creeBoutons();
    loaded_ = ChargeFichier();
    if (!loaded_) return;
    budget_.calculeTout();
    historique_.vide();
    proposeRecuperation();
    for (int index = 0; index < pcVarnelle->count(); ++index) page(index)->prepare();
    pcVarnelle->choosePage(budget_.TypesDep.empty() ? kOngletTypesDep : kOngletOperations);
    // As tall as the screen, frame included, at its top left; the width stays as designed.
    resize(kLargeur, height());
    auto* hauteurEcran = new ScreenHeight(*this, ScreenHeight::Edge::Left, [this] {
        for (int index = 0; index < pcVarnelle->count(); ++index) page(index)->fenetreAjustee();
    });
    hauteurEcran->fit();
    metTitre();
}

void TfmMain::creePages() {
    pcVarnelle = new PageControl(this);
    pcVarnelle->setObjectName(QStringLiteral("pcVarnelle"));
    pcVarnelle->setChanging([this](int leaving) { return page(leaving)->peutQuitter(); });
    pcVarnelle->setChange([this] { pcVarnelleChange(); });
    const auto ajoute = [this](Page* page, const char* name, const QString& caption) {
        page->setObjectName(QString::fromLatin1(name));
        pcVarnelle->addTab(page, caption);
        connect(page, &Page::actionsChangees, this, [this] {
            majBoutons();
            metTitre();
        });
        page->setHistorique([this] { debutModification(); },
                            [this](std::string_view cle) { finModification(cle); });
    };
    const auto ouvreOperations = [this](QWidget* parent, std::string_view code) {
        OuvreOperationsTypeDep(parent, budget_, prompter_, code, kDateVide, kDateVide);
    };
    auto* operations = new OperationsPage(budget_, prompter_);
    const auto operationCourante = [operations] { return operations->operationCourante(); };
    auto* stats = new StatistiquesPage;

    // The pages, in the order of their tabs.
    ajoute(new TypesDepPage(budget_, prompter_, ouvreOperations), "tsTypesDep", "Types Dépenses");
    ajoute(operations, "tsOperations", "Opérations");
    ajoute(new DepJournPage(budget_, prompter_), "tsDepJourn", "Dépenses journalières");
    ajoute(stats, "tsStats", "Statistiques");
    stats->ajoutePage(new GraphesPage(budget_, prompter_, operationCourante), "tsGraphes",
                      "Graphes");
    stats->ajoutePage(new ArboOperationsPage(budget_, prompter_, operationCourante),
                      "tsArboOperations", "Arborescence des opérations");
    stats->ajoutePage(new ClasseurPage(budget_, prompter_, operationCourante),
                      "tsClasseursOperations", "Vue 'classeur' des opérations");
    stats->ajoutePage(new SoldesMensuelsPage(budget_, prompter_, operationCourante),
                      "tsSoldesMensuels", "Soldes mensuels");
    stats->ajoutePage(new RecapTypesDepPage(budget_, prompter_), "tsRecapTypesDep",
                      "Récap. types de dépenses");
    stats->ajoutePage(new CalendOpPage(budget_, prompter_), "tsCalendOp",
                      "Calendrier des opérations");
}

Page* TfmMain::page(int index) const {
    return static_cast<Page*>(pcVarnelle->widget(index));
}

Page& TfmMain::pageDevant() const {
    return *page(pcVarnelle->currentIndex());
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
    const std::pair<QPushButton*, QString> signets[] = {
        {btSvg1, QStringLiteral("Mémoriser les onglets affichés (signet 1, Maj+F5)")},
        {btSvg2, QStringLiteral("Mémoriser les onglets affichés (signet 2, Maj+F6)")},
        {btRst1, QStringLiteral("Revenir aux onglets du signet 1 (F5)")},
        {btRst2, QStringLiteral("Revenir aux onglets du signet 2 (F6)")}};
    for (const auto& [bouton, texte] : signets) {
        bouton->setToolTip(texte);
        bouton->setAccessibleName(texte);
    }

    // A bookmark is saved with the budget: storing one is a change like any other.
    connect(btSvg1, &QPushButton::clicked, this,
            [this] { modification([this] { btSvgClick(budget_.Param.ConfigOnglets1); }); });
    connect(btSvg2, &QPushButton::clicked, this,
            [this] { modification([this] { btSvgClick(budget_.Param.ConfigOnglets2); }); });
    connect(btRst1, &QPushButton::clicked, this,
            [this] { btRstClick(budget_.Param.ConfigOnglets1); });
    connect(btRst2, &QPushButton::clicked, this,
            [this] { btRstClick(budget_.Param.ConfigOnglets2); });
    connect(btFermer, &QPushButton::clicked, this, &QWidget::close);
    connect(btImprimer, &QPushButton::clicked, this, &TfmMain::btImprimerClick);
    // Every window opened under this one reaches the settings through this door.
    accesParametres_ =
        new AccesParametres({&budget_.Param, [this] { AppliqueParametres(); },
                             [this](QWidget* parent) {
                                 TfmChangeMotDePasse dialogue(file_, prompter_, parent);
                                 dialogue.exec();
                             },
                             [this] {
                                 termineEditions();
                                 debutModification();
                             },
                             [this] { finModification({}); }},
                            this);
    connect(btParametres, &QPushButton::clicked, this, [this] {
        accesParametres_->ouvre(this, pageDevant().origineParametres(),
                                [this] { AppliqueParametres(); });
    });
    connect(btAjouter, &QPushButton::clicked, this,
            [this] { modification([this] { pageDevant().ajoute(); }); });
    connect(btSupprimer, &QPushButton::clicked, this,
            [this] { modification([this] { pageDevant().supprime(); }); });
    recuperation_.setSingleShot(true);
    connect(&recuperation_, &QTimer::timeout, this, [this] { gardeRecuperation(true); });

    // The window's own keys; a cell being typed in keeps Ctrl+Z for its text.
    const auto raccourci = [this](QList<QKeySequence> touches, auto action) {
        auto* qaction = new QAction(this);
        qaction->setShortcuts(touches);
        qaction->setShortcutContext(Qt::WindowShortcut);
        connect(qaction, &QAction::triggered, this, action);
        addAction(qaction);
    };
    raccourci({QKeySequence::Save}, [this] { enregistre(); });
    // The bookmark buttons take no focus; their keys reach them from anywhere in the window.
    raccourci({QKeySequence(Qt::Key_F5)}, [this] { btRst1->click(); });
    raccourci({QKeySequence(Qt::Key_F6)}, [this] { btRst2->click(); });
    raccourci({QKeySequence(Qt::SHIFT | Qt::Key_F5)}, [this] { btSvg1->click(); });
    raccourci({QKeySequence(Qt::SHIFT | Qt::Key_F6)}, [this] { btSvg2->click(); });
    raccourci({QKeySequence::Undo}, [this] { annule(); });
    raccourci({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
              [this] { retablit(); });

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
    for (int index = 0; index < pcVarnelle->count(); ++index) page(index)->fenetreAffichee();
}

void TfmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    pageDevant().redessine();
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
    if (!historique_.modifie()) {
        SupprimeRecuperation(file_);
        return true;
    }
    switch (prompter_.askYesNoCancel(
        this, QStringLiteral("Sauvegarder les modifications apportées ?"), Prompter::Answer::No)) {
    case Prompter::Answer::Yes: return enregistre();
    case Prompter::Answer::No: SupprimeRecuperation(file_); return true;
    case Prompter::Answer::Cancel: return false;
    }
    return false;
}

void TfmMain::termineEditions() {
    for (Grid* grid : findChildren<Grid*>()) grid->endEdit();
}

void TfmMain::majBoutons() {
    const bool ajout = pageDevant().ajoutPossible();
    btAjouter->setEnabled(ajout);
    btSupprimer->setEnabled(ajout);
}

void TfmMain::pcVarnelleChange() {
    majBoutons();
    btImprimer->setEnabled(pageDevant().listeImprimee().has_value());
    pageDevant().montre();
    metTitre();
}

void TfmMain::metTitre() {
    // A leading star while there are changes the file does not hold yet.
    const QString titre = pageDevant().titre();
    setWindowTitle(
        QStringLiteral("[*]") +
        (titre.isEmpty() ? QStringLiteral("Varnelle - [%1]").arg(fromFileName(fileName_)) : titre));
    setWindowModified(historique_.modifie());
}

bool TfmMain::enregistre() {
    if (!loaded_) return false;
    termineEditions();
    if (!SauveFichier()) return false;
    historique_.marqueEnregistre();
    SupprimeRecuperation(file_);
    recuperation_.stop();
    metTitre();
    return true;
}

void TfmMain::proposeRecuperation() {
    if (!RecuperationRecente(file_)) return;
    const QString question = QStringLiteral(
        "Des modifications de ce budget n'avaient pas été enregistrées quand le programme s'est "
        "arrêté.\n\nLes récupérer ?");
    // Asked before the window is shown: on its own, in the middle of the screen, so that the
    // window is placed afterwards as it always is.
    if (prompter_.askYesNo(nullptr, question, Prompter::Answer::Yes) != Prompter::Answer::Yes) {
        SupprimeRecuperation(file_);
        return;
    }
    if (ChargeRecuperation(file_, budget_))
        historique_.marqueNonEnregistre();
    else
        prompter_.error(nullptr, QStringLiteral("Erreur"),
                        QStringLiteral("Les modifications n'ont pas pu être relues : le budget "
                                       "s'ouvre tel qu'il a été enregistré."));
}

void TfmMain::gardeRecuperation(bool maintenant) {
    if (!historique_.modifie()) {
        recuperation_.stop();
        SupprimeRecuperation(file_);
    } else if (maintenant || delaiRecuperation_ <= 0) {
        recuperation_.stop();
        EcritRecuperation(file_, budget_);
    } else if (!recuperation_.isActive()) {
        recuperation_.start(delaiRecuperation_);
    }
}

void TfmMain::debutModification() {
    if (!rejeu_) historique_.debut(budget_);
}

void TfmMain::finModification(std::string_view cle) {
    if (rejeu_ || !historique_.fin(budget_, cle)) return;
    metTitre();
    // A batch (operations of several types added, a month deleted, a statement imported) is
    // kept for recovery at once; the edit of one record waits for the delay, as a full write
    // of a large budget at each click would be felt.
    gardeRecuperation(historique_.nbAjoutesOuRetires() > 1);
}

bool TfmMain::annule() {
    return rejoue(false);
}

bool TfmMain::retablit() {
    return rejoue(true);
}

bool TfmMain::rejoue(bool enAvant) {
    if (!loaded_) return false;
    termineEditions();
    rejeu_ = true;
    const auto endroit = enAvant ? historique_.retablit(budget_) : historique_.annule(budget_);
    if (endroit) {
        for (int index = 0; index < pcVarnelle->count(); ++index) page(index)->prepare();
        // The page of the part that changed comes to the front, the record current in it.
        int onglet = pcVarnelle->currentIndex();
        switch (endroit->partie) {
        case PartieBudget::TypesDep: onglet = kOngletTypesDep; break;
        case PartieBudget::Operations: onglet = kOngletOperations; break;
        case PartieBudget::DepJourn:
        case PartieBudget::Economies:
        case PartieBudget::Valeurs: onglet = kOngletDepJourn; break;
        case PartieBudget::Simulations: onglet = kOngletStats; break;
        case PartieBudget::Parametres: AppliqueParametres(); break;
        }
        pcVarnelle->choosePage(onglet);
        pcVarnelleChange();
        pageDevant().montreEnregistrement(endroit->partie, endroit->indice);
    }
    rejeu_ = false;
    metTitre();
    if (endroit) gardeRecuperation(false);
    return endroit.has_value();
}

void TfmMain::AppliqueParametres() {
    for (int index = 0; index < pcVarnelle->count(); ++index)
        page(index)->appliqueParametres(budget_.Param);
    pageDevant().redessine();
}

void TfmMain::btSvgClick(TConfigOnglets& signet) {
    signet.nOnglet1 = pcVarnelle->currentIndex();
    signet.nOnglet2 = pageDevant().sousPageDevant();
    if (signet.nOnglet2 < 0) return;
    const Page* sousPage = pageDevant().pageDevant();
    signet.nOnglet3 = sousPage ? sousPage->sousPageDevant() : -1;
}

void TfmMain::btImprimerClick() {
    const std::optional<ListeImprimee> liste = pageDevant().listeImprimee();
    if (!liste) return;
    // What is being typed belongs in the printout.
    termineEditions();
    const RapportListe rapport(budget_, *liste);
    if (rapport.nbPages() == 0) {
        prompter_.error(this, QStringLiteral("Erreur"), QStringLiteral("Rien à imprimer."));
        return;
    }
    btImprimer->setEnabled(false);
    // Enabled again however the preview ends, an exception included.
    const struct Reactive {
        TfmMain& fenetre;
        ~Reactive() {
            fenetre.btImprimer->setEnabled(fenetre.pageDevant().listeImprimee().has_value());
        }
    } reactive{*this};
    apercu_(rapport, this);
}

void TfmMain::btRstClick(const TConfigOnglets& signet) {
    // An index beyond its tabs (an edited file) stops the jump at the last level it fits.
    if (signet.nOnglet1 < 0 || signet.nOnglet1 >= pcVarnelle->count()) return;
    pcVarnelle->choosePage(signet.nOnglet1);
    pcVarnelleChange();
    if (!pageDevant().choisitSousPage(signet.nOnglet2)) return;
    if (Page* sousPage = pageDevant().pageDevant()) sousPage->choisitSousPage(signet.nOnglet3);
}

}  // namespace varnelle::gui
