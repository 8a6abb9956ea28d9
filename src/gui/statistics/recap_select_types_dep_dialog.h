#pragma once

#include <optional>

#include <QDialog>

#include "core/model/budget.h"

class QPushButton;

namespace varnelle::gui {

class CheckList;
class ContenuCellules;
class Grid;

// "Sélection des types de dépenses": which rows (types) and columns (years) of the recap grid
// show, and how every cell is drawn. Closed with OK, it shows and hides them itself.
class TfmRecapSelectTypesDep final : public QDialog {
    Q_OBJECT

public:
    TfmRecapSelectTypesDep(const Budget& budget, Grid& grille, QWidget* parent = nullptr);

    // What "Contenu des cellules" asks of the cells: true a chart, false a table.
    std::optional<bool> contenu() const;

    CheckList& lbTypesDep() { return *lbTypesDep_; }
    CheckList& lbAnnees() { return *lbAnnees_; }

private:
    void FormCreate();
    void etatOK();
    void FormClose();

    const Budget& budget_;
    Grid& grille_;
    CheckList* lbTypesDep_;
    CheckList* lbAnnees_;
    ContenuCellules* gbContCellules_;
    QPushButton* btOK_;
};

}  // namespace varnelle::gui
