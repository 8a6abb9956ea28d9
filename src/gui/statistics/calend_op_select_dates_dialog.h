#pragma once

#include <optional>

#include <QDialog>

#include "core/model/tree_nodes.h"
#include "core/stats/calend_op.h"

class QPushButton;
class QSpinBox;

namespace varnelle::gui {

class ContenuCellules;
class Grid;
class Tree;

// "Sélection des mois": which month columns and day rows of the calendar grid show, and how
// every day is drawn. Closed with OK, it shows and hides them itself.
class TfmCalendOpSelectDates final : public QDialog {
    Q_OBJECT

public:
    TfmCalendOpSelectDates(const CalendOp& calendrier, Grid& grille, QWidget* parent = nullptr);

    // What "Contenu des cellules" asks of the days: true bars, false lists.
    std::optional<bool> contenu() const;

    Tree& tvMois() { return *tvMois_; }
    const TreeNodes& noeuds() const { return noeuds_; }
    QSpinBox& edDateDeb() { return *edDateDeb_; }
    QSpinBox& edDateFin() { return *edDateFin_; }

private:
    void FormCreate();
    void bascule(int noeud);
    void etatOK();
    void FormClose();

    const CalendOp& calendrier_;
    Grid& grille_;
    TreeNodes noeuds_;
    TreeShape forme_;
    Tree* tvMois_;
    QSpinBox* edDateDeb_;
    QSpinBox* edDateFin_;
    ContenuCellules* gbContCellules_;
    QPushButton* btOK_;
};

}  // namespace varnelle::gui
