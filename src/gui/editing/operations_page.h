#pragma once

#include <cstdint>
#include <vector>

#include <QFont>
#include <QWidget>

#include "model/budget.h"

namespace varnelle::gui {

class Grid;

// The "Opérations" tab: the journal of operations in grOperations.
class OperationsPage final : public QWidget {
    Q_OBJECT

public:
    OperationsPage(Budget& budget, QWidget* parent = nullptr);

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

private:
    QVariant grOperationsCellLoaded(int column, int row) const;
    QColor rowBackground(int row) const;
    QColor rowTextColor(int row) const;

    Budget& budget_;
    Grid* grOperations_;
    // Per row: 0 no month colour yet, 1 odd month, 2 even month.
    std::vector<std::uint8_t> moisDesLignes_;
    QFont police_;
};

}  // namespace varnelle::gui
