#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include "budget_generator.h"
#include "core/drawing/bar_chart.h"
#include "core/drawing/operations_graph.h"
#include "core/drawing/recap_calendar_cells.h"
#include "core/import/csv_reader.h"
#include "core/import/import_plan.h"
#include "core/model/budget.h"
#include "core/model/edits.h"
#include "core/model/entries.h"
#include "core/model/history.h"
#include "core/model/orders.h"
#include "core/stats/calend_op.h"
#include "core/stats/operations_window_lists.h"
#include "core/stats/period.h"
#include "core/stats/period_graphs.h"
#include "core/stats/recap_types_dep.h"
#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"
#include "fixed_metrics.h"
#include "temp_folder.h"

namespace varnelle::bench {
namespace {

// One generated budget and its data file, built once per size and shared by every case.
struct Donnees {
    Budget budget;
    std::string octets;
};

const Donnees& donnees(int nbOperations) {
    static std::map<int, std::unique_ptr<Donnees>> cache;
    auto& entry = cache[nbOperations];
    if (!entry) {
        entry = std::make_unique<Donnees>();
        entry->budget = genereBudget(nbOperations);
        entry->octets = octetsBudget(entry->budget);
    }
    return *entry;
}

// Lives until the program ends, so that files written by one case can serve the next.
const test::TempFolder& scratch() {
    static const test::TempFolder folder;
    return folder;
}

int taille(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// The data file of the budget of `state`'s size, written once under `nom`: a case runs
// several times (to pick its iteration count, then once per repetition).
const std::filesystem::path& fichierSurDisque(const benchmark::State& state,
                                              const std::string& nom) {
    static std::map<std::string, std::filesystem::path> cache;
    const std::string cle = nom + std::to_string(taille(state));
    auto& path = cache[cle];
    if (path.empty())
        path = ecritFichierBudget(scratch().path(), cle, donnees(taille(state)).budget);
    return path;
}

// ---------------------------------------------------------------------------------------
// A plain INI tokenizer: what reading the file costs at the least, without the lookups.

struct Token {
    std::string_view key;  // the section name for a header
    std::string_view value;
    bool isSection = false;
};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

void tokenize(std::string_view text, std::vector<Token>& tokens) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* eol = p;
        while (eol < end && *eol != '\n' && *eol != '\r') ++eol;
        const std::string_view line = trim(std::string_view(p, static_cast<std::size_t>(eol - p)));
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            tokens.push_back(
                {trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos
                                                                     : close - 1)),
                 {},
                 true});
        } else if (!line.empty() && line.front() != ';') {
            const std::size_t equal = line.find('=');
            if (equal != std::string_view::npos)
                tokens.push_back(
                    {trim(line.substr(0, equal)), trim(line.substr(equal + 1)), false});
        }
        if (eol == end) break;
        p = eol + (*eol == '\r' && eol + 1 < end && eol[1] == '\n' ? 2 : 1);
    }
}

void BM_TokenizerBaseline(benchmark::State& state) {
    const std::string& octets = donnees(taille(state)).octets;
    // One untimed pass sizes the vector, as it would be after the first file.
    std::vector<Token> tokens;
    tokenize(octets, tokens);
    for (auto _ : state) {
        tokens.clear();
        tokenize(octets, tokens);
        benchmark::DoNotOptimize(tokens.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(tokens.size()) + " tokens");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(octets.size()));
}

// ---------------------------------------------------------------------------------------
// Opening a budget.

bool chargeEtCalcule(const ProfileFile& file, Budget& budget) {
    if (ChargeFichier(file, budget) != LoadStatus::Ok) return false;
    budget.calculeTout();
    benchmark::DoNotOptimize(budget.Operations.data());
    benchmark::DoNotOptimize(budget.TypesDep.data());
    benchmark::ClobberMemory();
    return true;
}

void BM_Load(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    Budget budget;
    for (auto _ : state) {
        // An open loads into a new budget: the records of the last round are not its work.
        state.PauseTiming();
        budget = Budget();
        state.ResumeTiming();
        // The copy stands for the read buffer a real open fills; it is part of the work.
        const ProfileFile file(std::string(d.octets));
        if (!chargeEtCalcule(file, budget)) {
            state.SkipWithError("load failed");
            break;
        }
    }
    if (budget.Operations.size() != d.budget.Operations.size())
        state.SkipWithError("wrong number of operations loaded");
    state.SetLabel("file of " + std::to_string(d.octets.size()) + " bytes");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.octets.size()));
}

void BM_LoadFromDisk(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    const auto& path = fichierSurDisque(state, "lecture");
    Budget budget;
    for (auto _ : state) {
        ProfileFile file;
        if (file.open(path) != ProfileFile::OpenStatus::Ok || !chargeEtCalcule(file, budget)) {
            state.SkipWithError("load failed");
            break;
        }
    }
    if (budget.Operations.size() != d.budget.Operations.size())
        state.SkipWithError("wrong number of operations loaded");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.octets.size()));
}

// ---------------------------------------------------------------------------------------
// Saving a budget.

bool writeAndSync(const std::string& path, std::string_view data) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) data.remove_prefix(static_cast<std::size_t>(n));
    }
    ok = ok && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

void BM_SaveBaseline(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    const std::string path = (scratch() / ("brut" + std::to_string(taille(state)) + ".ini"));
    for (auto _ : state) {
        if (!writeAndSync(path, d.octets)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.octets.size()));
}

// Saves of the budget over its own file. With `reopen`, the ProfileFile is opened again
// outside the timing before each save: the first save after opening, the usual case.
// Without, every save goes through the same ProfileFile, as a session that saves again and
// again does. Overwrite only guards against a coarse file-system clock; the whole file is
// rendered, written, synced and renamed each time all the same.
void saves(benchmark::State& state, const char* cle, bool reopen) {
    const Donnees& d = donnees(taille(state));
    const auto& path = fichierSurDisque(state, cle);
    ProfileFile file;
    if (!reopen && file.open(path) != ProfileFile::OpenStatus::Ok)
        state.SkipWithError("open failed");
    for (auto _ : state) {
        if (reopen) {
            state.PauseTiming();
            const bool opened = file.open(path) == ProfileFile::OpenStatus::Ok;
            state.ResumeTiming();
            if (!opened) {
                state.SkipWithError("open failed");
                break;
            }
        }
        if (!SauveFichier(file, d.budget, ProfileFile::ExternalChange::Overwrite)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    if (test::readFile(path) != d.octets) state.SkipWithError("saved bytes differ");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(d.octets.size()));
}

void BM_Save(benchmark::State& state) {
    saves(state, "sauve", false);
}

void BM_SaveAfterOpen(benchmark::State& state) {
    saves(state, "rouvre", true);
}

// ---------------------------------------------------------------------------------------
// Editing and recomputing.

// One edit of an operation in the middle: its amount and date change, then the journal is
// re-sorted and what depends on amounts is recomputed. The operation alternates between
// two dates years apart, so every sort has to move it; since nothing else changes it lands
// on one of two places, found once before the timing, so no search is timed.
void BM_EditResort(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    Budget budget = d.budget;
    const std::size_t milieu = budget.Operations.size() / 2;
    TOperation& edited = budget.Operations[milieu];
    edited.lMarquee = true;
    const std::string dates[2] = {edited.cDate, budget.Operations[milieu / 5].cDate};
    const Montant montants[2] = {edited.nMontant, fromHundredths(-12345)};

    const auto edit = [&](std::size_t from, int k) {
        TOperation& op = budget.Operations[from];
        op.cDate = dates[k];
        op.nMontant = montants[k];
        budget.TrieOperations();
        budget.CalculeTotauxTypesDep();
        budget.CalculeSoldesOperations();
    };
    const auto marked = [&] {
        return static_cast<std::size_t>(
            std::find_if(budget.Operations.begin(), budget.Operations.end(),
                         [](const TOperation& o) { return o.lMarquee; }) -
            budget.Operations.begin());
    };
    std::size_t place[2] = {milieu, 0};
    edit(place[0], 1);
    place[1] = marked();
    edit(place[1], 0);
    if (marked() != place[0] || place[1] == place[0]) state.SkipWithError("edit does not move");

    int k = 0;
    for (auto _ : state) {
        edit(place[k], k ^ 1);
        k ^= 1;
        benchmark::DoNotOptimize(budget.Operations.data());
        benchmark::DoNotOptimize(budget.TypesDep.data());
        benchmark::ClobberMemory();
    }
    if (!budget.Operations[place[k]].lMarquee) state.SkipWithError("edited operation lost");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// The same move through the program's edit, inside the bracket that keeps its undo step:
// what one edit costs the user once the history records it.
void BM_EditWithUndoStep(benchmark::State& state) {
    Budget budget = donnees(taille(state)).budget;
    Historique historique;
    std::size_t place = budget.Operations.size() / 2;
    const std::string dates[2] = {budget.Operations[place].cDate,
                                  budget.Operations[place / 5].cDate};
    int k = 1;
    for (auto _ : state) {
        historique.debut(budget);
        place = changeDateOperation(budget, place, dates[k]).value_or(place);
        historique.fin(budget);
        k ^= 1;
        benchmark::DoNotOptimize(budget.Operations.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// A hundred steps of one operation each: what the history holds against the file's size.
void BM_UndoStepsMemory(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    Budget budget = d.budget;
    Historique historique;
    for (auto _ : state) {
        historique.vide();
        for (std::size_t i = 0; i < 100; ++i) {
            historique.debut(budget);
            changeMontantOperation(budget, i * 997 % budget.Operations.size(),
                                   fromHundredths(-100 - static_cast<std::int64_t>(i)));
            historique.fin(budget);
        }
    }
    // A label, not a counter: run.sh's CSV wants the same counters in every case.
    state.SetLabel(std::to_string(100 * historique.octets() / d.octets.size()) + " % of the file");
}

// One operation in the middle deleted (arg 1 = 0), or every operation of its month (1), as
// the window does it: inside the bracket of its undo step. The undo that puts them back is
// not timed.
void BM_DeleteOperations(benchmark::State& state) {
    Budget budget = donnees(taille(state)).budget;
    Historique historique;
    const std::size_t milieu = budget.Operations.size() / 2;
    const std::string date = budget.Operations[milieu].cDate;
    const std::string mois = date.substr(3, 2), annee = date.substr(6, 4);
    std::size_t parties = 0;
    for (auto _ : state) {
        historique.debut(budget);
        if (state.range(1) == 0) {
            supprimeOperation(budget, milieu);
            parties = 1;
        } else {
            parties = supprimeOperationsDuMois(budget, mois, annee);
        }
        historique.fin(budget);
        benchmark::DoNotOptimize(budget.Operations.data());
        benchmark::ClobberMemory();
        state.PauseTiming();
        historique.annule(budget);
        state.ResumeTiming();
    }
    if (parties == 0 || budget.Operations.size() != static_cast<std::size_t>(taille(state)))
        state.SkipWithError("nothing deleted or not put back");
}

// The least any journal kept as one array of these records pays for the delete above: the
// records after the middle one moved up a place, and their running balances summed again. It
// does not depend on the program, only on the machine's memory, and shows how that alone
// grows with the journal. The record put back is not timed.
void BM_DeleteBaseline(benchmark::State& state) {
    std::vector<TOperation> operations = donnees(taille(state)).budget.Operations;
    const auto milieu = static_cast<std::ptrdiff_t>(operations.size() / 2);
    for (auto _ : state) {
        TOperation retiree = std::move(operations[static_cast<std::size_t>(milieu)]);
        operations.erase(operations.begin() + milieu);
        Montant solde = operations[static_cast<std::size_t>(milieu - 1)].nSolde;
        for (auto it = operations.begin() + milieu; it != operations.end(); ++it) {
            solde += it->nMontant;
            it->nSolde = solde;
        }
        benchmark::DoNotOptimize(operations.data());
        benchmark::ClobberMemory();
        state.PauseTiming();
        operations.insert(operations.begin() + milieu, std::move(retiree));
        state.ResumeTiming();
    }
}

void BM_Recompute(benchmark::State& state) {
    Budget budget = donnees(taille(state)).budget;
    for (auto _ : state) {
        budget.calculeTout();
        benchmark::DoNotOptimize(budget.Operations.data());
        benchmark::DoNotOptimize(budget.TypesDep.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// The shuffled copy is restored with the timer paused, so only the sort is measured.
void BM_SortShuffled(benchmark::State& state) {
    std::vector<TOperation> melange = donnees(taille(state)).budget.Operations;
    melangeOperations(melange, 42);
    std::vector<TOperation> operations;
    for (auto _ : state) {
        state.PauseTiming();
        operations = melange;
        state.ResumeTiming();
        trieOperations(operations);
        benchmark::DoNotOptimize(operations.data());
        benchmark::ClobberMemory();
    }
    if (!operations.empty() && !std::is_sorted(operations.begin(), operations.end(),
                                               [](const TOperation& a, const TOperation& b) {
                                                   return CompareOperations(a, b) < 0;
                                               }))
        state.SkipWithError("not sorted");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// ---------------------------------------------------------------------------------------
// Painters: one chart redrawn, as on every resize of its window.

// Signed amounts and dd/mm/yyyy labels, so the label cut is measured too.
void BM_BarChart(benchmark::State& state) {
    GrapheBarres graphe;
    graphe.couleurs = {0xFFFFFF, 0x00FFFF};
    graphe.lignes = {legendeDate()};
    for (std::int64_t i = 0; i < state.range(0); ++i)
        graphe.barres.push_back({static_cast<long double>((i * 7919) % 2001 - 1000) / 4,
                                 {dateText({static_cast<int>(i % 28) + 1, 3, 2024})},
                                 couleurParPosition(static_cast<std::size_t>(i)),
                                 std::nullopt});
    const test::FixedMetrics metrics;
    for (auto _ : state) {
        Drawing d = DessineGrapheBarres(1200, 500, metrics, graphe);
        benchmark::DoNotOptimize(d.primitives.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OperationsGraph(benchmark::State& state) {
    SerieOperations serie;
    serie.resultat = ResultatPeriode::Ok;
    serie.D = static_cast<std::int32_t>(state.range(0));
    serie.date0 = dateSerial({1, 1, 2016});
    long double solde = 0;
    for (std::int64_t d = 0; d < state.range(0); ++d) {
        solde += static_cast<long double>((d * 104729) % 801 - 390) / 4;
        serie.v.push_back(solde);
        serie.op.push_back(d % 3 != 1);
        serie.m = std::max(serie.m, std::abs(solde));
    }
    const TParam param;
    for (auto _ : state) {
        Drawing d = DessineGrapheOperations(1200, 500, serie, param);
        benchmark::DoNotOptimize(d.primitives.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The statistics builders over the whole period, both bounds open as "Dessiner" reads blank
// fields: every operation is visited.
void BM_TotauxTypesDepPeriode(benchmark::State& state) {
    const Budget& budget = donnees(taille(state)).budget;
    for (auto _ : state) {
        const TotauxTypesDep totaux = CalculeTotauxTD(budget, kDateVide, kDateVide);
        if (totaux.resultat != ResultatPeriode::Ok) state.SkipWithError("no bar");
        benchmark::DoNotOptimize(totaux.barres.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// From the first operation's day to the last one's, given as dates so that the bounds are
// searched as well.
void BM_SerieOperationsPeriode(benchmark::State& state) {
    const Budget& budget = donnees(taille(state)).budget;
    const std::string debut = budget.Operations.front().cDate;
    const std::string fin = budget.Operations.back().cDate;
    for (auto _ : state) {
        const SerieOperations serie = CalculeSerieOperations(budget, debut, fin);
        if (serie.resultat != ResultatPeriode::Ok) state.SkipWithError("no series");
        benchmark::DoNotOptimize(serie.v.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// The operations window opened on every type over every date: the largest list it builds.
void BM_ListesOperationsTousTypes(benchmark::State& state) {
    const Budget& budget = donnees(taille(state)).budget;
    for (auto _ : state) {
        const ListesOperationsTypeDep listes =
            ConstruitListesOperations(budget, "", kDateVide, kDateVide, 0, nullptr);
        if (listes.Lignes.size() != budget.Operations.size()) state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(listes.Groupes.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// The recap and calendar pages rebuilt from the journal, as each time they come to the front.
void BM_RecapTypesDep(benchmark::State& state) {
    const Budget& budget = donnees(taille(state)).budget;
    for (auto _ : state) {
        const RecapTypesDep recap = ConstruitRecapTypesDep(budget, true);
        if (recap.lignes.size() != budget.TypesDep.size()) state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(recap.lignes.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

void BM_CalendOp(benchmark::State& state) {
    const Budget& budget = donnees(taille(state)).budget;
    for (auto _ : state) {
        const CalendOp calendrier = ConstruitCalendOp(budget.Operations, false);
        if (calendrier.OpJour.size() != budget.Operations.size()) state.SkipWithError("lost");
        benchmark::DoNotOptimize(calendrier.OpJour.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(taille(state)));
}

// A maximised window on a common laptop screen: what one repaint of a grid shows.
constexpr int kLargeurFenetre = 1366;
constexpr int kHauteurFenetre = 700;

// Every recap cell of the window's first rows and years, as a repaint draws them: 0, as
// tables; 1, as bar charts.
void BM_CelluleRecap(benchmark::State& state) {
    constexpr int kColonneTypes = 120, kEntete = 20, kLargeur = 276, kHauteur = 100;
    constexpr int kColonnes = (kLargeurFenetre - kColonneTypes + kLargeur - 1) / kLargeur;
    constexpr int kLignes = (kHauteurFenetre - kEntete + kHauteur - 1) / kHauteur;
    const RecapTypesDep recap =
        ConstruitRecapTypesDep(donnees(100'000).budget, state.range(0) == 1);
    const TParam param;
    const test::FixedMetrics metrics;
    const int annees = std::min(kColonnes, recap.nNbAnnees);
    const std::size_t lignes = std::min<std::size_t>(kLignes, recap.lignes.size());
    std::size_t primitives = 0;
    for (auto _ : state) {
        primitives = 0;
        for (std::size_t i = 0; i < lignes; ++i)
            for (int k = 1; k <= annees; ++k) {
                const Drawing d = DessineCelluleRecap(kLargeur, kHauteur, metrics,
                                                      recap.cellule(i, k), i % 2 == 0, param);
                primitives += d.primitives.size();
            }
        benchmark::DoNotOptimize(primitives);
    }
    // A cell with sums draws more than its background.
    if (primitives <= lignes * static_cast<std::size_t>(annees)) state.SkipWithError("empty");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lignes) * annees);
}

// Every calendar cell the window shows, each drawing only its lines inside the window. The
// first argument scrolls: 0, the top-left corner; 1, halfway down and across. The second
// draws the days as lists (0) or as bars (1).
void BM_CelluleCalendOp(benchmark::State& state) {
    constexpr int kColonneJours = 28, kEntete = 30, kLargeur = 88, kLigne = 14;
    const CalendOp calendrier =
        ConstruitCalendOp(donnees(100'000).budget.Operations, state.range(1) == 1);
    int hauteurTotale = 0;
    for (int jour = 1; jour <= kJoursCalendrier; ++jour)
        hauteurTotale += kLigne * calendrier.nMaxJour[static_cast<std::size_t>(jour)];
    const bool milieu = state.range(0) == 1;
    const std::size_t premierMois = milieu ? calendrier.mois.size() / 2 : 0;
    const int defilement = milieu ? hauteurTotale / 2 : 0;
    const std::size_t finMois =
        std::min(calendrier.mois.size(),
                 premierMois + (kLargeurFenetre - kColonneJours + kLargeur - 1) / kLargeur);
    const TParam param;
    const test::FixedMetrics metrics;
    std::size_t primitives = 0;
    std::int64_t cellules = 0;
    for (auto _ : state) {
        primitives = 0;
        cellules = 0;
        // Window row of the top of day 1's row.
        int haut = kEntete - defilement;
        for (int jour = 1; jour <= kJoursCalendrier && haut < kHauteurFenetre; ++jour) {
            const int hauteur = kLigne * calendrier.nMaxJour[static_cast<std::size_t>(jour)];
            if (haut + hauteur > kEntete) {
                const int yMin = std::max(0, kEntete - haut);
                const int yMax = std::min(hauteur, kHauteurFenetre - haut);
                for (std::size_t i = premierMois; i < finMois; ++i) {
                    const Drawing d = DessineCelluleCalendOp(kLargeur, hauteur, metrics, calendrier,
                                                             i, jour, kLigne, param, yMin, yMax);
                    primitives += d.primitives.size();
                    ++cellules;
                }
            }
            haut += hauteur;
        }
        benchmark::DoNotOptimize(primitives);
    }
    if (primitives <= static_cast<std::size_t>(cellules)) state.SkipWithError("empty");
    state.SetItemsProcessed(state.iterations() * cellules);
}

// A bank's CSV statement of 10 000 lines read, planned and applied to a budget: one line in
// ten is already in the journal, the others carry labels the memory types by a rule.
void BM_ImportReleve(benchmark::State& state) {
    const Donnees& d = donnees(taille(state));
    constexpr int kLignes = 10000;
    std::string csv = "Date;Libell\xE9;Montant\r\n";
    Splitmix64 hasard(7);
    for (int i = 0; i < kLignes; ++i) {
        const TOperation* o = nullptr;
        // The journal's labels are never blank where a statement's are.
        while (i % 10 == 0 &&
               (o == nullptr || o->cLibelle.find_first_not_of(' ') == std::string::npos))
            o = &d.budget.Operations[hasard.below(
                static_cast<std::uint32_t>(d.budget.Operations.size()))];
        const std::string date = o ? o->cDate : dateText(dateFromSerial(45000 + i % 700));
        const std::int32_t centimes = o ? *toHundredths(o->nMontant) : -hasard.between(100, 50000);
        std::string libelle = o ? o->cLibelle : "CB MAGASIN " + std::to_string(i % 300);
        for (std::size_t q = libelle.find('"'); q != std::string::npos;
             q = libelle.find('"', q + 2))
            libelle.insert(q, 1, '"');
        csv +=
            date + ";\"" + libelle + "\";" + formatAmount(fromHundredths(centimes), ',') + "\r\n";
    }
    Budget modele = d.budget;
    modele.Import.setRegles({{"MAGASIN", modele.TypesDep.front().cTypeDep}});
    std::size_t ajoutees = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Budget budget = modele;
        state.ResumeTiming();
        ResultatReleve releve = litCsv(csv, budget.Import);
        const PlanImport plan =
            prepareImport(budget, std::move(releve.lignes), budget.TypesDep.back().cTypeDep);
        ajoutees = appliqueImport(budget, plan).value_or(0);
        benchmark::DoNotOptimize(budget.Operations.data());
        state.PauseTiming();
        budget = Budget();
        state.ResumeTiming();
    }
    if (ajoutees < kLignes * 8 / 10) state.SkipWithError("lines not imported");
    state.SetLabel(std::to_string(kLignes) + " lines, " + std::to_string(ajoutees) + " added");
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// The storage cases also run at a million operations when VARNELLE_BENCH_MILLION=1.
void storageSizes(benchmark::internal::Benchmark* b) {
    sizes(b);
    if (const char* million = std::getenv("VARNELLE_BENCH_MILLION");
        million != nullptr && std::string_view(million) == "1")
        b->Arg(1000000);
}

// The sizes above, and 1 000 000 operations when VARNELLE_BENCH_MILLION=1.
void sizesMillion(benchmark::internal::Benchmark* b) {
    for (const int n : {1000, 10000, 100000}) b->Args({n, 0})->Args({n, 1});
    if (const char* million = std::getenv("VARNELLE_BENCH_MILLION");
        million != nullptr && std::string_view(million) == "1")
        b->Args({1000000, 0})->Args({1000000, 1});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TokenizerBaseline)->Apply(storageSizes);
BENCHMARK(BM_Load)->Apply(storageSizes);
BENCHMARK(BM_LoadFromDisk)->Apply(sizes)->UseRealTime();
BENCHMARK(BM_SaveBaseline)->Apply(storageSizes)->UseRealTime();
BENCHMARK(BM_Save)->Apply(storageSizes)->UseRealTime();
BENCHMARK(BM_SaveAfterOpen)->Apply(sizes)->UseRealTime();
BENCHMARK(BM_EditResort)->Apply(sizes);
BENCHMARK(BM_EditWithUndoStep)->Apply(sizes);
BENCHMARK(BM_DeleteOperations)->Apply(sizesMillion);
BENCHMARK(BM_DeleteBaseline)->Apply(storageSizes);
BENCHMARK(BM_UndoStepsMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recompute)->Apply(sizes);
BENCHMARK(BM_SortShuffled)->Apply(sizes);
BENCHMARK(BM_ImportReleve)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BarChart)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OperationsGraph)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TotauxTypesDepPeriode)->Apply(sizes);
BENCHMARK(BM_SerieOperationsPeriode)->Apply(sizes);
BENCHMARK(BM_ListesOperationsTousTypes)->Apply(sizes);
BENCHMARK(BM_RecapTypesDep)->Apply(sizes);
BENCHMARK(BM_CalendOp)->Apply(sizes);
BENCHMARK(BM_CelluleRecap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CelluleCalendOp)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelle::bench

// Freed memory stays with the process, as the baseline's reused buffers do: every case
// then measures its own work rather than how fast this machine hands out fresh pages,
// which on a virtual machine can cost more than the work itself. Run with
// VARNELLE_BENCH_FRESH_MEMORY=1 to measure with the allocator's defaults.
int main(int argc, char** argv) {
    if (std::getenv("VARNELLE_BENCH_FRESH_MEMORY") == nullptr) {
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
