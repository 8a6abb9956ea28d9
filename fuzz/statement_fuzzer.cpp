// Feeds arbitrary bytes to the statement readers, as CSV and as QIF, and imports what they
// accept into a small budget: whatever a statement gives must be something the budget's file
// can hold, so that an import never leads to a save that fails or a file that reads back
// otherwise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/import/csv_reader.h"
#include "core/import/import_plan.h"
#include "core/import/qif_reader.h"
#include "core/model/amount.h"
#include "core/model/date_text.h"
#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"

namespace {

using namespace varnelle;

void check(bool condition) {
    if (!condition) std::abort();
}

void importe(const ResultatReleve& releve) {
    if (releve.erreur) {
        check(releve.lignes.empty());
        return;
    }
    for (const LigneReleve& l : releve.lignes) {
        check(DateValide(l.cDate));
        check(toHundredths(l.nMontant).has_value());
        check(!l.cLibelle.empty() && ProfileFile::canHold(l.cLibelle));
        check(ProfileFile::canHold(l.cFitid));
    }
    Budget budget;
    budget.TypesDep.resize(1);
    budget.TypesDep[0].cTypeDep = "DIV";
    budget.TypesDep[0].cLibelle = "Divers";
    PlanImport plan = prepareImport(budget, releve.lignes, "DIV");
    const std::optional<std::size_t> ajoutees = appliqueImport(budget, plan);
    check(ajoutees && *ajoutees == plan.nbAAjouter());
    ProfileFile file;
    check(static_cast<bool>(ecritBudget(file, budget)));
    Budget relu;
    check(ChargeFichier(ProfileFile(file.render()), relu) == LoadStatus::Ok);
    check(relu.Operations.size() == budget.Operations.size());
    for (std::size_t i = 0; i < relu.Operations.size(); ++i) {
        check(relu.Operations[i].cLibelle == budget.Operations[i].cLibelle);
        check(relu.Operations[i].cDate == budget.Operations[i].cDate);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    importe(litCsv(octets, MemoireImport{}));
    importe(litQif(octets));
    return 0;
}
