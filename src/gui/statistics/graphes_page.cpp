#include "gui/statistics/graphes_page.h"

#include "core/model/amount.h"

#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/drawing/bar_chart.h"
#include "core/drawing/period_charts.h"
#include "core/stats/period.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/month_choice.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/drawing_replay.h"

namespace varnelle::gui {
namespace {

constexpr int kHauteurPanneau = 41;

QLineEdit* champDate(QWidget* parent, const char* name, int x) {
    auto* champ = new QLineEdit(parent);
    champ->setObjectName(QString::fromLatin1(name));
    champ->setInputMask(QStringLiteral("99/99/9999;_"));
    champ->setGeometry(x, 8, 73, 21);
    return champ;
}

QComboBox* listeDeroulante(QWidget* parent, const char* name, const QRect& at, int lignes) {
    auto* liste = new QComboBox(parent);
    liste->setObjectName(QString::fromLatin1(name));
    liste->setGeometry(at);
    liste->setMaxVisibleItems(lignes);
    return liste;
}

}  // namespace

GraphesPage::GraphesPage(const Budget& budget, Prompter& prompter,
                         OperationCourante operationCourante, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter),
      operationCourante_(std::move(operationCourante)), param_(budget.Param) {
    auto* pnGraphes = new QFrame;
    pnGraphes->setObjectName(QStringLiteral("pnGraphes"));
    pnGraphes->setFixedHeight(kHauteurPanneau);
    creePanneau(pnGraphes);

    pcGraphes_ = new QTabWidget;
    pcGraphes_->setObjectName(QStringLiteral("pcGraphes"));
    const auto page = [this](const char* name, const char* surfaceName, const QString& caption) {
        auto* ts = new QWidget;
        ts->setObjectName(QString::fromLatin1(name));
        auto* surface = new DrawingSurface;
        surface->setObjectName(QString::fromLatin1(surfaceName));
        surface->setAccessibleName(QStringLiteral("Graphe : ") + caption);
        auto* layout = new QVBoxLayout(ts);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(surface);
        pcGraphes_->addTab(ts, caption);
        return surface;
    };
    imgTypesDep_ = page("tsGrapheTypesDep", "imgTypesDep", QStringLiteral("Types de dépenses"));
    imgOperations_ = page("tsGrapheOperations", "imgOperations", QStringLiteral("Opérations"));

    // The surfaces show the last lists computed; nothing is computed while painting.
    imgTypesDep_->setPainter([this](int w, int h, const TextMetrics& metrics) {
        return dessin(kGrapheTypesDep, w, h, metrics);
    });
    imgOperations_->setPainter([this](int w, int h, const TextMetrics& metrics) {
        return dessin(kGrapheOperations, w, h, metrics);
    });
    imgTypesDep_->setDoubleClickHandler([this](int x, int y) { imgTypesDepDblClick(x, y); });
    imgOperations_->setDoubleClickHandler([this](int x, int y) { imgOperationsDblClick(x, y); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnGraphes);
    layout->addWidget(pcGraphes_);
}

void GraphesPage::creePanneau(QWidget* pnGraphes) {
    placedControl<QLabel>(pnGraphes, "stDateDeb", QStringLiteral("du"), QRect(8, 8, 16, 21));
    edDateDeb_ = champDate(pnGraphes, "edDateDeb", 24);
    edDateDeb_->setAccessibleName(QStringLiteral("Date de début"));
    btDateDeb_ = placedControl<QPushButton>(pnGraphes, "btDateDeb", QStringLiteral("..."),
                                            QRect(96, 8, 23, 21));
    placedControl<QLabel>(pnGraphes, "stDateFin", QStringLiteral("au"), QRect(128, 8, 16, 21));
    edDateFin_ = champDate(pnGraphes, "edDateFin", 144);
    edDateFin_->setAccessibleName(QStringLiteral("Date de fin"));
    btDateFin_ = placedControl<QPushButton>(pnGraphes, "btDateFin", QStringLiteral("..."),
                                            QRect(216, 8, 23, 21));
    for (QPushButton* bouton : {btDateDeb_, btDateFin_}) bouton->setToolTip("Calendrier");
    btDateDeb_->setAccessibleName(QStringLiteral("Calendrier de la date de début"));
    btDateFin_->setAccessibleName(QStringLiteral("Calendrier de la date de fin"));
    btDessinerGraphe_ = placedControl<QPushButton>(
        pnGraphes, "btDessinerGraphe", QStringLiteral("&Dessiner"), QRect(248, 8, 65, 23));

    auto* gbMoisComplet = new QGroupBox(QStringLiteral("Mois complet"), pnGraphes);
    gbMoisComplet->setObjectName(QStringLiteral("gbMoisComplet"));
    gbMoisComplet->setGeometry(320, 0, 289, 40);
    // The group's title takes its top; the controls stand inside its frame.
    cbMois_ = listeDeroulante(gbMoisComplet, "cbMois", QRect(8, 16, 97, 21), 12);
    cbAnnees_ = listeDeroulante(gbMoisComplet, "cbAnnees", QRect(109, 16, 61, 21), 4);
    btAppliquerDates_ = placedControl<QPushButton>(
        gbMoisComplet, "btAppliquerDates", QStringLiteral("App&liquer"), QRect(174, 16, 61, 21));
    btMoisPrec_ = placedControl<QPushButton>(gbMoisComplet, "btMoisPrec", QStringLiteral("<"),
                                             QRect(239, 16, 21, 21));
    btMoisSuiv_ = placedControl<QPushButton>(gbMoisComplet, "btMoisSuiv", QStringLiteral(">"),
                                             QRect(262, 16, 21, 21));
    btMoisPrec_->setToolTip(QStringLiteral("Mois précédent"));
    btMoisSuiv_->setToolTip(QStringLiteral("Mois suivant"));
    remplitMois(*cbMois_);

    connect(btDateDeb_, &QPushButton::clicked, this, [this] { btDateClick(*edDateDeb_); });
    connect(btDateFin_, &QPushButton::clicked, this, [this] { btDateClick(*edDateFin_); });
    connect(btDessinerGraphe_, &QPushButton::clicked, this, &GraphesPage::btDessinerGrapheClick);
    connect(btAppliquerDates_, &QPushButton::clicked, this, &GraphesPage::AppliqueMoisComplet);
    connect(btMoisPrec_, &QPushButton::clicked, this, &GraphesPage::btMoisPrecClick);
    connect(btMoisSuiv_, &QPushButton::clicked, this, &GraphesPage::btMoisSuivClick);
}

std::string GraphesPage::texteDate(const QLineEdit& edDate) const {
    // The mask's blanks are the spaces of the budget's empty date text.
    QString texte = edDate.displayText();
    texte.replace(QLatin1Char('_'), QLatin1Char(' '));
    return toBudgetText(texte).value_or(std::string(kDateVide));
}

void GraphesPage::erreur(const QString& texte) {
    prompter_.error(this, QStringLiteral("Erreur"), texte);
}

void GraphesPage::btDateClick(QLineEdit& edDate) {
    const std::string texte = texteDate(edDate);
    if (texte != kDateVide && !DateValide(texte)) {
        erreur(QStringLiteral("'%1' n'est pas une date correcte").arg(fromBudgetText(texte)));
        return;
    }
    if (const std::optional<std::string> date = ChoisitDate(this, texte))
        edDate.setText(fromBudgetText(*date));
}

void GraphesPage::btDessinerGrapheClick() {
    const PeriodeGraphe periode = LitPeriodeGraphe(texteDate(*edDateDeb_), texteDate(*edDateFin_));
    if (periode.resultat == ResultatPeriode::DateInitialeApresFinale) {
        erreur(QStringLiteral("Date Initiale > Date Finale."));
        return;
    }
    if (pcGraphes_->currentIndex() == kGrapheTypesDep) {
        cDateDebTD_ = periode.cDateDeb;
        cDateFinTD_ = periode.cDateFin;
        DessineGrapheTypesDep();
    } else {
        cDateDebOp_ = periode.cDateDeb;
        cDateFinOp_ = periode.cDateFin;
        DessineGrapheOperations();
    }
}

GraphePeriode GraphesPage::calculeDessin(Graphe graphe, int w, int h, const TextMetrics& metrics) {
    const bool td = graphe == kGrapheTypesDep;
    return DessineGraphePeriode(td ? GrapheDePeriode::TypesDep : GrapheDePeriode::Operations,
                                budget_, param_, td ? cDateDebTD_ : cDateDebOp_,
                                td ? cDateFinTD_ : cDateFinOp_, w, h, metrics);
}

Drawing GraphesPage::dessin(Graphe graphe, int w, int h, const TextMetrics& metrics) {
    DessinGarde& garde = dessins_[graphe];
    // Until its first drawing a surface shows the page's own colour.
    if (!garde.tente) return {};
    // A failed drawing stays as it is until the user draws again.
    const bool dessine = graphe == kGrapheTypesDep ? lGrapheTDDessine_ : lGrapheOpDessine_;
    if (dessine && (garde.largeur != w || garde.hauteur != h))
        garde = {true, w, h, calculeDessin(graphe, w, h, metrics).drawing};
    return garde.drawing;
}

bool GraphesPage::dessineGraphe(Graphe graphe) {
    DrawingSurface& surface = graphe == kGrapheTypesDep ? *imgTypesDep_ : *imgOperations_;
    const int w = surface.width(), h = surface.height();
    GraphePeriode resultat = calculeDessin(graphe, w, h, FontMetrics(surfaceFont()));
    dessins_[graphe] = {true, w, h, std::move(resultat.drawing)};
    surface.redraw();
    if (resultat.resultat != ResultatPeriode::Ok) {
        surface.setAccessibleDescription(QStringLiteral("Aucune opération dans la période."));
        erreur(QStringLiteral("Aucune opération dans l'intervalle de dates."));
        return false;
    }
    // What the picture shows, for a screen reader: the period, and the types' total.
    const bool td = graphe == kGrapheTypesDep;
    const std::string& deb = td ? cDateDebTD_ : cDateDebOp_;
    const std::string& fin = td ? cDateFinTD_ : cDateFinOp_;
    QString description = (deb == kDateVide ? QStringLiteral("Depuis le début")
                                            : QStringLiteral("Du %1").arg(fromBudgetText(deb))) +
                          (fin == kDateVide ? QStringLiteral(" jusqu'à la fin")
                                            : QStringLiteral(" au %1").arg(fromBudgetText(fin)));
    if (td) {
        const TotauxTypesDep totaux = CalculeTotauxTD(budget_, cDateDebTD_, cDateFinTD_);
        Montant total = 0;
        for (const TTD& barre : totaux.barres) total += barre.nMontant;
        description += QStringLiteral(" : %1 types, total %2")
                           .arg(totaux.barres.size())
                           .arg(fromBudgetText(formatAmount(total, ',')));
    }
    surface.setAccessibleDescription(description);
    return true;
}

void GraphesPage::DessineGrapheTypesDep() {
    lGrapheTDDessine_ = false;
    lGrapheTDDessine_ = dessineGraphe(kGrapheTypesDep);
}

void GraphesPage::DessineGrapheOperations() {
    lGrapheOpDessine_ = false;
    lGrapheOpDessine_ = dessineGraphe(kGrapheOperations);
}

void GraphesPage::redessineGrapheVisible() {
    if (pcGraphes_->currentIndex() == kGrapheTypesDep) {
        if (lGrapheTDDessine_) DessineGrapheTypesDep();
    } else if (lGrapheOpDessine_) {
        DessineGrapheOperations();
    }
}

void GraphesPage::InitMoisAnnees() {
    const QDate today = QDate::currentDate();
    remplitMoisAnnees(*cbMois_, *cbAnnees_,
                      MoisAnneesDeReference(budget_.Operations, operationCourante_(),
                                            CivilDate{today.day(), today.month(), today.year()}));
}

bool GraphesPage::moisAnneesRemplis() const {
    return cbMois_->count() > 0 && cbAnnees_->count() > 0;
}

void GraphesPage::montre() {
    edDateDeb_->setFocus();
    // Statistics first shown on another page leave the month lists to fill here.
    if (!moisAnneesRemplis()) InitMoisAnnees();
}

void GraphesPage::montreAvecOnglet() {
    reconstruit();
    InitMoisAnnees();
}

void GraphesPage::appliqueParametres(const TParam& param) {
    param_ = param;
    // The pictures in store were drawn in the former colours.
    for (DessinGarde& garde : dessins_) garde.largeur = -1;
}

int GraphesPage::sousPageDevant() const {
    return pcGraphes_->currentIndex();
}

OrigineParametres GraphesPage::origineParametres() const {
    return pcGraphes_->currentIndex() == 1 ? OrigineParametres::GraphesOperations
                                           : OrigineParametres::GraphesTypesDep;
}

bool GraphesPage::choisitSousPage(int index) {
    if (index < 0 || index >= pcGraphes_->count()) return false;
    pcGraphes_->setCurrentIndex(index);
    return true;
}

void GraphesPage::AppliqueMoisComplet() {
    // Without a month and a year chosen there is no period to apply.
    if (cbMois_->currentIndex() < 0 || cbAnnees_->currentIndex() < 0) {
        prompter_.beep();
        return;
    }
    const int mois = cbMois_->currentIndex() + 1;
    const int annee = cbAnnees_->currentText().toInt();
    const QString mm = QStringLiteral("%1").arg(mois, 2, 10, QLatin1Char('0'));
    const QString aaaa = cbAnnees_->currentText();
    edDateDeb_->setText(QStringLiteral("01/%1/%2").arg(mm, aaaa));
    edDateFin_->setText(QStringLiteral("%1/%2/%3").arg(JoursDansMois(mois, annee)).arg(mm, aaaa));
    edDateDeb_->repaint();
    edDateFin_->repaint();
    btDessinerGrapheClick();
}

void GraphesPage::btMoisPrecClick() {
    pasMois(-1);
}

void GraphesPage::btMoisSuivClick() {
    pasMois(1);
}

void GraphesPage::pasMois(int sens) {
    if (!moisAnneesRemplis()) return;
    // A month out of the year steps into the next or previous listed year, if there is one.
    const int mois = cbMois_->currentIndex() + sens;
    if (mois < 0 || mois >= cbMois_->count()) {
        const int annee = cbAnnees_->currentIndex() + sens;
        if (annee < 0 || annee >= cbAnnees_->count()) {
            prompter_.beep();
            return;
        }
        cbAnnees_->setCurrentIndex(annee);
    }
    cbMois_->setCurrentIndex((mois + cbMois_->count()) % cbMois_->count());
    AppliqueMoisComplet();
}

void GraphesPage::imgTypesDepDblClick(int x, int y) {
    if (!lGrapheTDDessine_) return;
    const int w = imgTypesDep_->width(), h = imgTypesDep_->height();
    if (!dansLeTrace(x, y, w, h)) {
        prompter_.beep();
        return;
    }
    // The bars of the budget as it is now, which a redrawing would show.
    const TotauxTypesDep totaux = CalculeTotauxTD(budget_, cDateDebTD_, cDateFinTD_);
    const std::optional<std::size_t> barre = barreSousPoint(x, y, w, h, totaux.barres.size());
    if (!barre) return;
    OuvreOperationsTypeDep(this, budget_, prompter_, totaux.barres[*barre].cTypeDep, cDateDebTD_,
                           cDateFinTD_);
}

void GraphesPage::imgOperationsDblClick(int x, int y) {
    if (!lGrapheOpDessine_) return;
    const int w = imgOperations_->width(), h = imgOperations_->height();
    if (!dansLeTrace(x, y, w, h)) {
        prompter_.beep();
        return;
    }
    const SerieJours serie = CalculeSerieJours(budget_, cDateDebOp_, cDateFinOp_);
    if (serie.resultat != ResultatPeriode::Ok) return;
    // The segments are the bars of this graph: one fewer than the days.
    const std::optional<std::size_t> j =
        barreSousPoint(x, y, w, h, static_cast<std::size_t>(serie.D - 1));
    if (!j) return;
    const PeriodeSegment periode =
        PeriodeDuSegment(budget_, serie.date0, static_cast<std::int32_t>(*j));
    OuvreOperationsTypeDep(this, budget_, prompter_, "", periode.cDateDeb, periode.cDateFin);
}

}  // namespace varnelle::gui
