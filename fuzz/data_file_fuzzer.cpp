// Feeds arbitrary bytes to the data-file reader and checks that whatever loads survives a
// write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lookup_loader.h"
#include "storage/data_file.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool sameCollections(const varnelle::Budget& a, const varnelle::Budget& b) {
    if (a.TypesDep.size() != b.TypesDep.size() || a.Operations.size() != b.Operations.size() ||
        a.Economies.size() != b.Economies.size() || a.Simulations.size() != b.Simulations.size())
        return false;
    for (std::size_t i = 0; i < a.TypesDep.size(); ++i) {
        const auto &x = a.TypesDep[i], &y = b.TypesDep[i];
        if (x.cTypeDep != y.cTypeDep || x.cLibelle != y.cLibelle || x.nMontant != y.nMontant ||
            x.nPeriodicite != y.nPeriodicite)
            return false;
    }
    for (std::size_t i = 0; i < a.Operations.size(); ++i) {
        const auto &x = a.Operations[i], &y = b.Operations[i];
        if (x.nSelect != y.nSelect || x.cDate != y.cDate || x.cTypeDep != y.cTypeDep ||
            x.nMontant != y.nMontant || x.cLibelle != y.cLibelle)
            return false;
    }
    for (std::size_t i = 0; i < a.DepJourn.size(); ++i)
        if (a.DepJourn[i].nMontant != b.DepJourn[i].nMontant) return false;
    for (std::size_t i = 0; i < a.Economies.size(); ++i)
        if (a.Economies[i].cLibelle != b.Economies[i].cLibelle ||
            a.Economies[i].nMontant != b.Economies[i].nMontant)
            return false;
    for (std::size_t i = 0; i < a.Simulations.size(); ++i) {
        const auto &x = a.Simulations[i], &y = b.Simulations[i];
        if (x.nSelect != y.nSelect || x.cLibelle != y.cLibelle || x.cDateDeb != y.cDateDeb ||
            x.cDateFin != y.cDateFin || x.nMontant != y.nMontant)
            return false;
    }
    return true;
}

bool sameSavedFields(const varnelle::Budget& a, const varnelle::Budget& b) {
    return sameCollections(a, b) && a.cSalaireMoyen == b.cSalaireMoyen &&
           a.nResteDebMois == b.nResteDebMois && a.nNbJoursMois() == b.nNbJoursMois() &&
           a.Param == b.Param;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnelle;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ProfileFile file(bytes);

    // Rendering is stable: what was written once reads back to the same text.
    const std::string rendered = file.render();
    check(ProfileFile(rendered).render() == rendered);

    // Large counts only build records of defaults; they are tested elsewhere and would
    // slow the search down.
    for (const char* key : {"nNbTypesDep", "nNbOperations", "nNbEconomies", "nNbSimulations"})
        if (file.readInteger(kSectionGeneral, key, 0) > 5000) return 0;

    Budget budget;
    if (ChargeFichier(file, budget) != LoadStatus::Ok) return 0;
    // The one-pass reader answers what key-by-key lookups answer.
    check(sameCollections(budget, test::loadByLookups(file)));
    budget.calculeTout();
    budget.TrieOperations();
    budget.calculeTout();

    ProfileFile written(bytes);
    if (!ecritBudget(written, budget)) return 0;
    Budget reread;
    check(ChargeFichier(ProfileFile(written.render()), reread) == LoadStatus::Ok);
    check(sameSavedFields(budget, reread));
    return 0;
}
