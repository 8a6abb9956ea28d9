#pragma once

#include "core/stats/period.h"

class QComboBox;

namespace varnelle::gui {

// The twelve month names of the locale, January first; once per list.
void remplitMois(QComboBox& cbMois);

// Selects the month, fills the years from the first to the last and selects the year (none
// when it is not among them).
void remplitMoisAnnees(QComboBox& cbMois, QComboBox& cbAnnees, const MoisAnneesProposes& choix);

}  // namespace varnelle::gui
