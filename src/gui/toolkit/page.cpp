#include "gui/toolkit/page.h"

#include <algorithm>

#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"

namespace varnelle::gui {

Page::Page(QWidget* parent) : QWidget(parent) {}

void Page::reconstruit() {
    actualise();
    emit reconstruite();
}

void Page::appliqueParametres(const TParam&) {}

bool Page::choisitSousPage(int) {
    return false;
}

bool Page::aLeClavier(const QWidget& widget) const {
    const QWidget* focus = window()->focusWidget();
    return focus != nullptr && (focus == &widget || widget.isAncestorOf(focus));
}

std::optional<std::size_t> Page::ligneASupprimer(Grid& grid, std::size_t lignes, Prompter& prompter,
                                                 const QString& objet) {
    if (!aLeClavier(grid)) return std::nullopt;
    const int row = grid.currentCell().row;
    if (row < 1 || static_cast<std::size_t>(row) > lignes) return std::nullopt;
    if (!confirmeSuppression(prompter, this, objet)) return std::nullopt;
    grid.endEdit();
    return static_cast<std::size_t>(row - 1);
}

void Page::setHistorique(DebutModification debut, FinModification fin) {
    debut_ = std::move(debut);
    fin_ = std::move(fin);
}

bool Page::montreEnregistrement(PartieBudget, std::size_t) {
    return false;
}

void Page::montreLigne(Grid& grid, std::size_t indice) {
    if (grid.rows() <= 0) return;
    const int row = std::min(static_cast<int>(indice) + 1, grid.rows());
    grid.setCurrentCell({std::max(grid.currentCell().column, 1), row});
    grid.scrollToCell({1, row});
    grid.setFocus();
}

void Page::montreLigneAjoutee(Grid& grid, std::size_t lignes) {
    const int rows = static_cast<int>(lignes);
    grid.setRows(rows);
    grid.setCurrentCell({1, rows});
    grid.setFocus();
}

}  // namespace varnelle::gui
