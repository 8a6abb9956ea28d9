#pragma once

#include <QWidget>

#include "model/budget.h"
#include "toolkit/drawing_surface.h"

class QPainter;

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Types Dépenses" tab: the expense types in grTypesDep, edited in place.
class TypesDepPage final : public QWidget {
    Q_OBJECT

public:
    TypesDepPage(Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grTypesDep() { return *grTypesDep_; }

    // Columns, colours and rows, as the budget was loaded.
    void prepare();
    void appliqueParametres();
    void setJaugeVisible(bool visible);
    // Whether the type of the current row may be left: its code is not blank.
    bool TypeDepCourantValide();
    // "Ajouter" and "Supprimer" on this tab.
    void ajoute();
    void supprime();

private:
    QVariant grTypesDepCellLoaded(int column, int row) const;
    void grTypesDepCellEdit(int column, int row, QString& value);
    bool grTypesDepEndCellEdit(int column, int row, const QVariant& value);
    void grTypesDepButtonClick(int column, int row);
    bool grTypesDepPaintCell(int column, int row, QPainter& painter, const QRect& cell);

    Budget& budget_;
    Prompter& prompter_;
    Grid* grTypesDep_;
    FontMetrics moisMetrics_;
};

}  // namespace varnelle::gui
