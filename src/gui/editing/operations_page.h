#pragma once

#include <cstdint>
#include <vector>

#include <QFont>
#include <QWidget>

#include "model/budget.h"

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Opérations" tab: the journal of operations in grOperations.
class OperationsPage final : public QWidget {
    Q_OBJECT

public:
    OperationsPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grOperations() { return *grOperations_; }

    void prepare();
    void appliqueParametres();
    // Row colours and fonts of every row; month colours only when `recolour`, so rows
    // keep their background until the next recolouring.
    void CouleursOperations(bool recolour);
    void AppliqueOptGrilleOp();
    // Whether the operation of the current row may be left: a valid date, an amount.
    bool OperationCouranteValide();
    // Makes the last operation current, scrolled into view, with the keyboard focus.
    void montreDerniereOperation();
    // "Ajouter" and "Supprimer" on this tab, through their dialogs.
    void ajoute();
    void supprime();

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
    void suitOperation(std::size_t position, bool recolour);
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
};

}  // namespace varnelle::gui
