#pragma once

#include <functional>
#include <string_view>

#include "core/model/budget.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/page.h"

class QPainter;

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Types Dépenses" tab: the expense types in grTypesDep, edited in place.
class TypesDepPage final : public Page {
    Q_OBJECT

public:
    // Opens the window of the operations of one type, for the code button of a row.
    using OuvreOperations = std::function<void(QWidget* parent, std::string_view code)>;

    TypesDepPage(Budget& budget, Prompter& prompter, OuvreOperations ouvreOperations,
                 QWidget* parent = nullptr);

    Grid& grTypesDep() { return *grTypesDep_; }
    // Whether the "Jauge" column was shown when the tab last came to the front.
    bool jaugeAffichee() const { return jaugeAffichee_; }

    // Columns, colours and rows, as the budget was loaded.
    void prepare() override;
    void appliqueParametres(const TParam& param) override;
    // The gauge shows when the first and last operations are of one year.
    void montre() override;
    bool montreEnregistrement(PartieBudget partie, std::size_t indice) override;
    // Whether the type of the current row may be left: its code is not blank.
    bool TypeDepCourantValide();
    bool peutQuitter() override { return TypeDepCourantValide(); }
    bool ajoutPossible() const override { return true; }
    void ajoute() override;
    void supprime() override;
    std::optional<ListeImprimee> listeImprimee() const override { return ListeImprimee::TypesDep; }

private:
    QVariant grTypesDepCellLoaded(int column, int row) const;
    void grTypesDepCellEdit(int column, int row, QString& value);
    bool grTypesDepEndCellEdit(int column, int row, const QVariant& value);
    void grTypesDepButtonClick(int column, int row);
    bool grTypesDepPaintCell(int column, int row, QPainter& painter, const QRect& cell);

    Budget& budget_;
    Prompter& prompter_;
    OuvreOperations ouvreOperations_;
    Grid* grTypesDep_;
    FontMetrics moisMetrics_;
    TParam param_;
    bool jaugeAffichee_ = false;
};

}  // namespace varnelle::gui
