#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QFont>

#include "core/model/budget.h"
#include "gui/toolkit/page.h"

namespace varnelle::gui {

class Grid;
class Prompter;
class TfmImportReleve;

// The "Opérations" tab: the journal of operations in grOperations.
class OperationsPage final : public Page {
    Q_OBJECT

public:
    OperationsPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grOperations() { return *grOperations_; }
    // Position in the journal of the operation of the current row, if any.
    std::optional<std::size_t> operationCourante() const;

    void prepare() override;
    OrigineParametres origineParametres() const override { return OrigineParametres::Operations; }
    void appliqueParametres(const TParam& param) override;
    void fenetreAffichee() override { montreDerniereOperation(); }
    // The current row stays in view when the window shrinks to fit its frame.
    void fenetreAjustee() override;
    // Row colours and fonts of every row; month colours only when `recolour`, so rows
    // keep their background until the next recolouring.
    void CouleursOperations(bool recolour);
    void AppliqueOptGrilleOp();
    // Whether the operation of the current row may be left: a valid date, an amount.
    bool OperationCouranteValide();
    bool peutQuitter() override { return OperationCouranteValide(); }
    bool montreEnregistrement(PartieBudget partie, std::size_t indice) override;
    // Makes the last operation current, scrolled into view, with the keyboard focus.
    void montreDerniereOperation();
    // "Ajouter" and "Supprimer" on this tab, through their dialogs; adding needs a type.
    bool ajoutPossible() const override { return !budget_.TypesDep.empty(); }
    void ajoute() override;
    void supprime() override;
    std::optional<ListeImprimee> listeImprimee() const override {
        return ListeImprimee::Operations;
    }

    // "Importer un relevé…": a bank statement chosen, previewed, then added as one step.
    void importeReleve();
    // Asks which statement to import; empty when the user gives up. A file dialog unless
    // replaced, as tests do.
    using ChoixReleve = std::function<QString(QWidget* parent)>;
    void setChoixReleve(ChoixReleve choix) { choixReleve_ = std::move(choix); }
    // Shows the preview and answers whether the user accepted it; its exec() unless replaced.
    using ApercuImport = std::function<bool(TfmImportReleve& dialogue)>;
    void setApercuImport(ApercuImport apercu) { apercuImport_ = std::move(apercu); }

private:
    QVariant grOperationsCellLoaded(int column, int row) const;
    int grOperationsComboInit(int column, int row) const;
    QString grOperationsComboCellLoaded(int listColumn, int listRow) const;
    void grOperationsCellEdit(int column, int row, QString& value);
    bool grOperationsEndCellEdit(int column, int row, const QVariant& value);
    void grOperationsButtonClick(int column, int row);
    void grOperationsColRowChanged();
    // After a change that moved an operation: the grid shows the new order and the
    // operation's row is remembered, to be made current at once or at the next move.
    // The operation edited at `index` now stands at `position`: the rows between take their
    // month colours again when `recolour`, the grid reloads and the cursor follows.
    void suitOperation(std::size_t index, std::size_t position, bool recolour);
    void appliqueOperationDeplacee();
    QColor rowBackground(int row) const;
    QColor rowTextColor(int row) const;

    Budget& budget_;
    Prompter& prompter_;
    Grid* grOperations_;
    // Row of the operation to make current again after a sort; -1 when none.
    int nOperationDeplacee_ = -1;
    // Per row: 0 no month colour yet, 1 odd month, 2 even month.
    std::vector<std::uint8_t> moisDesLignes_;
    QFont police_;
    TParam param_;
    ChoixReleve choixReleve_;
    ApercuImport apercuImport_;
};

}  // namespace varnelle::gui
