#include "gui/statistics/statistiques_page.h"

#include <QVBoxLayout>

#include "gui/toolkit/page_control.h"

namespace varnelle::gui {

StatistiquesPage::StatistiquesPage(QWidget* parent) : Page(parent), pcStats_(new PageControl) {
    pcStats_->setObjectName(QStringLiteral("pcStats"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcStats_);
    // Six captions side by side in the designed width.
    pcStats_->setCompactTabs();
    pcStats_->setChanging([this](int leaving) { return page(leaving)->peutQuitter(); });
    pcStats_->setChange([this] { pcStatsChange(); });
}

void StatistiquesPage::ajoutePage(Page* page, const char* name, const QString& caption) {
    page->setObjectName(QString::fromLatin1(name));
    pcStats_->addTab(page, caption);
    lAActualiser_.push_back(true);
    page->setHistorique(debutModification(), finModification());
    connect(page, &Page::actionsChangees, this, &Page::actionsChangees);
}

void StatistiquesPage::setHistorique(DebutModification debut, FinModification fin) {
    Page::setHistorique(debut, fin);
    for (int index = 0; index < pcStats_->count(); ++index) page(index)->setHistorique(debut, fin);
}

bool StatistiquesPage::montreEnregistrement(PartieBudget partie, std::size_t indice) {
    for (int index = 0; index < pcStats_->count(); ++index)
        if (page(index)->montreEnregistrement(partie, indice)) {
            choisitSousPage(index);
            page(index)->montreEnregistrement(partie, indice);
            return true;
        }
    return false;
}

Page* StatistiquesPage::page(int index) const {
    return static_cast<Page*>(pcStats_->widget(index));
}

Page* StatistiquesPage::pageDevant() {
    return page(pcStats_->currentIndex());
}

QString StatistiquesPage::titre() const {
    return page(pcStats_->currentIndex())->titre();
}

void StatistiquesPage::prepare() {
    for (int index = 0; index < pcStats_->count(); ++index) page(index)->prepare();
}

void StatistiquesPage::fenetreAjustee() {
    pageDevant()->fenetreAjustee();
}

bool StatistiquesPage::peutQuitter() {
    return pageDevant()->peutQuitter();
}

void StatistiquesPage::montre() {
    const int devant = pcStats_->currentIndex();
    page(devant)->montreAvecOnglet();
    lAActualiser_.assign(lAActualiser_.size(), true);
    lAActualiser_[static_cast<std::size_t>(devant)] = false;
}

void StatistiquesPage::pcStatsChange() {
    const auto devant = static_cast<std::size_t>(pcStats_->currentIndex());
    Page* page = pageDevant();
    page->montre();
    if (lAActualiser_[devant]) page->reconstruit();
    lAActualiser_[devant] = false;
    emit actionsChangees();
}

void StatistiquesPage::redessine() {
    pageDevant()->redessine();
}

void StatistiquesPage::appliqueParametres(const TParam& param) {
    for (int index = 0; index < pcStats_->count(); ++index) page(index)->appliqueParametres(param);
}

bool StatistiquesPage::ajoutPossible() const {
    return page(pcStats_->currentIndex())->ajoutPossible();
}

void StatistiquesPage::ajoute() {
    pageDevant()->ajoute();
}

void StatistiquesPage::supprime() {
    pageDevant()->supprime();
}

OrigineParametres StatistiquesPage::origineParametres() const {
    const Page* devant = page(pcStats_->currentIndex());
    return devant != nullptr ? devant->origineParametres() : Page::origineParametres();
}

int StatistiquesPage::sousPageDevant() const {
    return pcStats_->currentIndex();
}

bool StatistiquesPage::choisitSousPage(int index) {
    if (index < 0 || index >= pcStats_->count()) return false;
    pcStats_->choosePage(index);
    pcStatsChange();
    return true;
}

}  // namespace varnelle::gui
