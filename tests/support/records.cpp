#include "records.h"

namespace varnelle::test {

TOperation operation(const char* date, const char* code, Montant montant, int select) {
    TOperation o;
    o.nSelect = select;
    o.cDate = date;
    o.cTypeDep = code;
    o.nMontant = montant;
    o.cLibelle = "Libellé";
    return o;
}

TTypeDep type(const char* code, Montant montant, std::int32_t masque) {
    TTypeDep t;
    t.cTypeDep = code;
    t.cLibelle = "Type";
    t.nMontant = montant;
    t.nPeriodicite = masque;
    return t;
}

Budget smallBudget() {
    Budget budget;
    budget.TypesDep = {type("AL", -20), type("LO", -500), type("SA", 1500)};
    budget.Operations = {operation("28/02/2024", "AL", -40), operation("02/03/2024", "SA", 1500),
                         operation("15/03/2024", "AL", -20)};
    budget.calculeTout();
    return budget;
}

}  // namespace varnelle::test
