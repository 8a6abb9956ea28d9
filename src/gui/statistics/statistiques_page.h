#pragma once

#include <vector>

#include "gui/toolkit/page.h"

namespace varnelle::gui {

class PageControl;

// The "Statistiques" tab: pages of their own in pcStats. A page is rebuilt from the budget
// when the tab shows with it in front, and otherwise only when it comes to the front after
// the tab was shown again, as its refresh flag says.
class StatistiquesPage final : public Page {
    Q_OBJECT

public:
    explicit StatistiquesPage(QWidget* parent = nullptr);

    void ajoutePage(Page* page, const char* name, const QString& caption);

    void prepare() override;
    OrigineParametres origineParametres() const override;
    void fenetreAjustee() override;
    bool peutQuitter() override;
    void montre() override;
    void redessine() override;
    void appliqueParametres(const TParam& param) override;
    bool ajoutPossible() const override;
    void ajoute() override;
    void supprime() override;
    int sousPageDevant() const override;
    bool choisitSousPage(int index) override;
    Page* pageDevant() override;
    QString titre() const override;
    void setHistorique(DebutModification debut, FinModification fin) override;
    // The page that shows the part comes to the front, the record current in it.
    bool montreEnregistrement(PartieBudget partie, std::size_t indice) override;

private:
    Page* page(int index) const;
    void pcStatsChange();

    PageControl* pcStats_;
    // One refresh flag per page: rebuild it when it next comes to the front.
    std::vector<bool> lAActualiser_;
};

}  // namespace varnelle::gui
