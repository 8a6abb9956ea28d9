#include "gui/toolkit/month_choice.h"

#include <QComboBox>

#include "core/model/locale_facts.h"
#include "render/budget_text.h"

namespace varnelle::gui {
namespace {

// Four digits, as in the dates, so that the chosen text matches them byte for byte.
QString texteAnnee(int annee) {
    return QStringLiteral("%1").arg(annee, 4, 10, QLatin1Char('0'));
}

}  // namespace

void remplitMois(QComboBox& cbMois) {
    if (cbMois.count() == 12) return;
    cbMois.clear();
    for (int m = 1; m <= 12; ++m) cbMois.addItem(fromBudgetText(NomMois(m)));
}

void remplitMoisAnnees(QComboBox& cbMois, QComboBox& cbAnnees, const MoisAnneesProposes& choix) {
    remplitMois(cbMois);
    cbMois.setCurrentIndex(choix.mois - 1);
    cbAnnees.clear();
    for (int a = choix.premiereAnnee; a <= choix.derniereAnnee; ++a)
        cbAnnees.addItem(texteAnnee(a));
    cbAnnees.setCurrentIndex(cbAnnees.findText(texteAnnee(choix.annee)));
}

}  // namespace varnelle::gui
