#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include <QDialog>

#include "core/model/budget.h"
#include "core/stats/operations_window_lists.h"

class QColor;
class QPushButton;
class QSplitter;

namespace varnelle::gui {

class DrawingSurface;
class Grid;
class Prompter;
class ScreenHeight;

// A modal window listing and charting a selection of operations: those of one expense type,
// or those of every type between two dates, possibly followed by simulated lines. Clicking a
// bar selects the rows that make it. Nothing in it changes the budget.
class TfmOperationsTypeDep final : public QDialog {
    Q_OBJECT

public:
    TfmOperationsTypeDep(const Budget& budget, Prompter& prompter, QWidget* parent = nullptr);
    ~TfmOperationsTypeDep() override;

    // Fills the window: `code` empty lists every type; blank or invalid dates are open bounds;
    // `nSoldeDeb` is added to each operation's balance; `simulations`, when given, are read for
    // cDate, nMontant and cLibelle only.
    void Initialise(std::string_view code, std::string_view cDateDeb, std::string_view cDateFin,
                    Montant nSoldeDeb, const std::vector<TOperation>* simulations);

    const ListesOperationsTypeDep& listes() const { return listes_; }
    Grid& grOperationsTypeDep() { return *grOperationsTypeDep_; }
    DrawingSurface& imgOperationsTypeDep() { return *imgOperationsTypeDep_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void AdapteTaille();
    // The grid takes a third of the window's height, the chart the rest.
    void partageHauteur();
    QVariant grOperationsTypeDepCellLoaded(int column, int row) const;
    QColor grOperationsTypeDepRowBackground(int row) const;
    void imgOperationsTypeDepClick(int x, int y);
    // What the settings dialog runs whenever settings are applied, once "Paramètres" opens
    // it: the main window first, then this window's grid colours and chart.
    void AppliqueParametresFenetre();
    void appliqueCouleursGrille();
    void DessineGrapheOperationsTypeDep();

    const Budget& budget_;
    Prompter& prompter_;
    ListesOperationsTypeDep listes_;

    Grid* grOperationsTypeDep_;
    QSplitter* spHoriz_;
    DrawingSurface* imgOperationsTypeDep_;
    QWidget* pnCommandes_;
    QPushButton* btParametres_;
    QPushButton* btFermer_;
    ScreenHeight* hauteurEcran_;
};

// Opens the window modally on that selection, as every caller does, and frees it when it
// closes.
void OuvreOperationsTypeDep(QWidget* parent, const Budget& budget, Prompter& prompter,
                            std::string_view code, std::string_view cDateDeb,
                            std::string_view cDateFin, Montant nSoldeDeb = 0,
                            const std::vector<TOperation>* simulations = nullptr);

}  // namespace varnelle::gui
