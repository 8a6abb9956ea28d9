#pragma once

#include "core/model/budget.h"
#include "gui/toolkit/page.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;

// The "Dépenses journalières" tab: the spending of each day of the month in grDepJourn, the
// month's estimates, the savings in grEconomies and the chart of the days.
class DepJournPage final : public Page {
    Q_OBJECT

public:
    DepJournPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grDepJourn() { return *grDepJourn_; }
    Grid& grEconomies() { return *grEconomies_; }

    // Grids and fields, as the budget was loaded and computed.
    void prepare() override;
    OrigineParametres origineParametres() const override { return OrigineParametres::DepJourn; }
    void appliqueParametres(const TParam& param) override;
    // The chart again, and the last savings row, if any, in front.
    void montre() override;
    bool montreEnregistrement(PartieBudget partie, std::size_t indice) override;
    void redessine() override;
    // "Ajouter" and "Supprimer" on this tab act on the savings.
    bool ajoutPossible() const override { return true; }
    void ajoute() override;
    void supprime() override;
    std::optional<ListeImprimee> listeImprimee() const override { return ListeImprimee::DepJourn; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QLineEdit* champ(QWidget* parent, const char* name, int left, int top, int width,
                            bool readOnly);

    // Fits the days' grid and the savings group to the height above the chart.
    void disposeHaut();
    QVariant grDepJournCellLoaded(int column, int row) const;
    bool grDepJournEndCellEdit(int column, int row, const QVariant& value);
    QVariant grEconomiesCellLoaded(int column, int row) const;
    bool grEconomiesEndCellEdit(int column, int row, const QVariant& value);
    void edResteDebMoisChange();
    void btCalcDJResteMoisClick();
    void imgDepJournClick(int x, int y);

    Budget& budget_;
    Prompter& prompter_;
    QWidget* haut_;
    Grid* grDepJourn_;
    QPushButton* btCalcDJResteMois_;
    QLineEdit* edTotalDepMois_;
    QLineEdit* edSalaireMoyen_;
    QLineEdit* edResteMois_;
    QSpinBox* edNbJoursMois_;
    QLineEdit* edResteDebMois_;
    QLineEdit* edResteCourMois_;
    QLineEdit* edEstimDepJournMois_;
    QLineEdit* edEstimResteMois_;
    QGroupBox* gbEconomies_;
    Grid* grEconomies_;
    DrawingSurface* imgDepJourn_;
    TParam param_;
};

}  // namespace varnelle::gui
