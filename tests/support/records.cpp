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

}  // namespace varnelle::test
