#pragma once

#include <cstddef>
#include <vector>

#include "core/model/budget.h"
#include "core/stats/operations_tree.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/page.h"

class QTabBar;

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;

// "Vue 'classeur' des opérations": a tab per year, a tab per month of the year in front, and
// the month's operations as a grid and a chart with a bar per operation. One tab bar serves
// the years and one the months, so a budget of centuries costs no widget per month.
class ClasseurPage final : public Page {
    Q_OBJECT

public:
    ClasseurPage(const Budget& budget, Prompter& prompter, OperationCourante operationCourante,
                 QWidget* parent = nullptr);

    QTabBar& annees() { return *tbAnnees_; }
    QTabBar& mois() { return *tbMois_; }
    Grid& grClasseur() { return *grClasseur_; }
    const std::vector<TDetailOperations>& detail() const { return detail_; }

    void prepare() override;
    OrigineParametres origineParametres() const override { return OrigineParametres::Classeur; }
    void appliqueParametres(const TParam& param) override;
    void redessine() override;

protected:
    // Rebuilds the tabs; the month of the current operation comes in front.
    void actualise() override;

private:
    // The months of the year tab `annee`, and the one in front.
    void remplitMois(int annee, std::size_t devant);
    void montreMois();

    const Budget& budget_;
    Prompter& prompter_;
    OperationCourante operationCourante_;
    TParam param_;
    std::vector<MoisClasseur> mois_;
    // Per year tab: its months (positions in mois_) and the one last in front.
    std::vector<std::vector<std::size_t>> moisDesAnnees_;
    std::vector<std::size_t> moisDevant_;
    std::vector<TDetailOperations> detail_;
    QTabBar* tbAnnees_;
    QTabBar* tbMois_;
    QWidget* feuille_;
    Grid* grClasseur_;
    DrawingSurface* imgClasseur_;
};

}  // namespace varnelle::gui
