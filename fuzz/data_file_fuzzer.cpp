// Feeds arbitrary bytes to the data-file reader and checks that whatever loads survives a
// write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/storage/data_file.h"
#include "lookup_loader.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
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

    // The one-pass reader answers what key-by-key lookups answer, whether it keeps the file
    // or gives back its text as it goes.
    Budget budget;
    if (ChargeFichier(file, budget) != LoadStatus::Ok) return 0;
    check(test::sameSavedValues(budget, test::loadByLookups(file), true));
    Budget consumed;
    check(ChargeFichier(file.clone(), consumed) == LoadStatus::Ok);
    check(test::sameSavedValues(consumed, budget, true));
    budget.calculeTout();
    budget.TrieOperations();
    budget.calculeTout();

    ProfileFile written(bytes);
    if (!ecritBudget(written, budget)) return 0;
    Budget reread;
    check(ChargeFichier(ProfileFile(written.render()), reread) == LoadStatus::Ok);
    check(test::sameSavedValues(budget, reread));
    return 0;
}
