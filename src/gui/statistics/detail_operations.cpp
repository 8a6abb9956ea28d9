#include "gui/statistics/detail_operations.h"

#include "core/drawing/bar_chart.h"
#include "core/model/amount.h"
#include "core/model/locale_facts.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace varnelle::gui {

namespace {

QString montant(Montant valeur) {
    return QString::fromStdString(formatDeuxDecimales(valeur, localeFacts().separateurDecimal))
        .rightJustified(11);
}

}  // namespace

std::string dateOperationCourante(const Budget& budget, const OperationCourante& courante) {
    const auto position = courante ? courante() : std::nullopt;
    return position && *position < budget.Operations.size() ? budget.Operations[*position].cDate
                                                            : std::string();
}

QVariant celluleDetail(const std::vector<TDetailOperations>& lignes, int column, int row) {
    if (row < 1 || row > static_cast<int>(lignes.size())) return {};
    const TDetailOperations& ligne = lignes[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case kColonneCoche: return ligne.nSelect;
    case kColonneDate: return fromBudgetText(ligne.cDate);
    case kColonneLibelle: return fromBudgetText(ligne.cLibelle);
    case kColonneMontant: return montant(ligne.nMontant);
    case kColonneSolde: return montant(ligne.nSolde);
    case kColonneCode: return fromBudgetText(ligne.cCle);
    default: return {};
    }
}

void choisitLigneDeBarre(Grid& grid, const DrawingSurface& chart, int x, int y, std::size_t n,
                         int colonne, Prompter& prompter) {
    const auto barre = barreSousPoint(x, y, chart.width(), chart.height(), n);
    if (!barre) {
        prompter.beep();
        return;
    }
    const int row = static_cast<int>(*barre) + 1;
    grid.setCurrentCell({colonne, row});
    grid.scrollToCell({colonne, row});
}

QString descriptionDetail(const QString& quoi, const std::vector<TDetailOperations>& lignes) {
    Montant total = 0;
    for (const TDetailOperations& ligne : lignes) total += ligne.nMontant;
    return QStringLiteral("%1 : %2 lignes, total %3")
        .arg(quoi)
        .arg(lignes.size())
        .arg(fromBudgetText(formatAmount(total, ',')));
}

}  // namespace varnelle::gui
