// Opening a budget in the desktop program and reloading its largest grid, offscreen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include <QApplication>
#include <QDialog>
#include <QPdfWriter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "budget_generator.h"
#include "core/model/date_text.h"
#include "core/storage/data_file.h"
#include "core/storage/password.h"
#include "gui/main/main_window.h"
#include "gui/reports/apercu_rapport.h"
#include "gui/statistics/arbo_operations_page.h"
#include "gui/statistics/calend_op_page.h"
#include "gui/statistics/classeur_page.h"
#include "gui/statistics/graphes_page.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/recap_types_dep_page.h"
#include "gui/statistics/soldes_mensuels_page.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/tree.h"
#include "recording_prompter.h"
#include "render/report_pages.h"
#include "temp_folder.h"

#ifndef VARNELLE_EXAMPLES_DIR
#error "VARNELLE_EXAMPLES_DIR must name the folder of the sample budget"
#endif

namespace varnelle::bench {
namespace {

// The sample budget with its two years of operations repeated, two years later each time,
// until it holds `nbOperations`.
Budget exempleAgrandi(int nbOperations) {
    ProfileFile file;
    if (file.open(std::filesystem::path(VARNELLE_EXAMPLES_DIR) / "Exemple.ini") !=
        ProfileFile::OpenStatus::Ok)
        throw std::runtime_error("no sample budget");
    Budget budget;
    ChargeFichier(file, budget);
    const std::vector<TOperation> modele = budget.Operations;
    budget.Operations.clear();
    for (int bloc = 0; static_cast<int>(budget.Operations.size()) < nbOperations; ++bloc) {
        for (TOperation operation : modele) {
            if (static_cast<int>(budget.Operations.size()) == nbOperations) break;
            if (auto date = parseDate(operation.cDate)) {
                date->year += 2 * bloc;
                date->day = std::min(date->day, daysInMonth(date->month, date->year));
                operation.cDate = dateText(*date);
            }
            budget.Operations.push_back(std::move(operation));
        }
    }
    budget.TrieOperations();
    return budget;
}

struct Dossier {
    test::TempFolder folder;
    Dossier() { ecritFichierBudget(folder.path(), "Exemple", exempleAgrandi(100'000)); }
};

const Dossier& dossier() {
    static const Dossier d;
    return d;
}

// What the chooser's OK does for an existing budget: read the file and check the password.
gui::BudgetChoisi choixDirect(const std::filesystem::path& folder, gui::Prompter&) {
    gui::BudgetChoisi choisi{"Exemple.ini", {}};
    choisi.file.open(folder / choisi.fileName);
    if (!MotDePasseCorrect(choisi.file, "SECRET")) throw std::runtime_error("wrong password");
    return choisi;
}

void BM_OpenBudget(benchmark::State& state) {
    const Dossier& d = dossier();
    gui::RecordingPrompter prompter;
    for (auto _ : state) {
        gui::TfmMain window(d.folder.path(), prompter, choixDirect);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBudget)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_ReloadOperationsGrid(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(dossier().folder.path(), prompter, choixDirect);
    window.show();
    QCoreApplication::processEvents();
    auto* grid = window.findChild<gui::Grid*>("grOperations");
    for (auto _ : state) {
        grid->reload();
        grid->setCurrentCell({1, static_cast<int>(window.budget().Operations.size())});
        grid->repaint();
    }
}
BENCHMARK(BM_ReloadOperationsGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// One amount typed in the operations grid: from the end of the edit to the grid reloaded
// and the moved operation's row current, painted.
void BM_EditAmount(benchmark::State& state) {
    test::TempFolder folder;
    ecritFichierBudget(folder.path(), "Genere", genereBudget(static_cast<int>(state.range(0))));
    gui::RecordingPrompter prompter;
    gui::TfmMain window(folder.path(), prompter,
                        [](const std::filesystem::path& in, gui::Prompter&) {
                            gui::BudgetChoisi choisi{"Genere.ini", {}};
                            choisi.file.open(in / choisi.fileName);
                            return choisi;
                        });
    window.show();
    QCoreApplication::processEvents();
    auto* grid = window.findChild<gui::Grid*>("grOperations");
    const int middle = static_cast<int>(window.budget().Operations.size()) / 2;
    bool grand = false;
    for (auto _ : state) {
        grand = !grand;
        const int row = grid->currentCell().row > 0 ? grid->currentCell().row : middle;
        // Alternately a large and a small amount, so that the operation moves within its day.
        grid->model()->setData(grid->model()->index(row - 1, 3),
                               grand ? QStringLiteral("-9999,99") : QStringLiteral("-1,5"),
                               Qt::EditRole);
        grid->setCurrentCell({5, row});  // the next move brings the cursor to the operation
        grid->repaint();
    }
}
BENCHMARK(BM_EditAmount)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 1 000 to 100 000 operations, and 1 000 000 when VARNELLE_BENCH_MILLION=1: the largest
// budget takes minutes to build and is left out of the everyday run.
void tailles(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(10'000)->Arg(100'000);
    if (const char* million = std::getenv("VARNELLE_BENCH_MILLION");
        million != nullptr && std::string_view(million) == "1")
        b->Arg(1'000'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

// The main window on a generated budget of `nbOperations`, shown.
struct FenetreGeneree {
    test::TempFolder folder;
    gui::RecordingPrompter prompter;
    std::unique_ptr<gui::TfmMain> window;

    explicit FenetreGeneree(int nbOperations, void (*retouche)(Budget&) = nullptr) {
        Budget budget = genereBudget(nbOperations);
        if (retouche != nullptr) retouche(budget);
        ecritFichierBudget(folder.path(), "Genere", budget);
        window = std::make_unique<gui::TfmMain>(
            folder.path(), prompter, [](const std::filesystem::path& in, gui::Prompter&) {
                gui::BudgetChoisi choisi{"Genere.ini", {}};
                choisi.file.open(in / choisi.fileName);
                return choisi;
            });
        window->show();
        QCoreApplication::processEvents();
    }
    const Budget& budget() const { return window->budget(); }
    gui::Grid& grille(const char* nom) const { return *window->findChild<gui::Grid*>(nom); }
};

// The code of the type with the most operations typed anew in the types grid, alternately a
// code that sorts last and the former one: its operations change places within their days.
std::string typeLePlusUtilise(const Budget& budget, std::size_t* nombre = nullptr) {
    std::map<std::string, std::size_t> parType;
    for (const TOperation& operation : budget.Operations) ++parType[operation.cTypeDep];
    const auto plus = std::max_element(parType.begin(), parType.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    if (nombre != nullptr) *nombre = plus->second;
    return plus->first;
}

void BM_RenameType(benchmark::State& state) {
    // About 30 % of the operations get the type most used already.
    FenetreGeneree f(static_cast<int>(state.range(0)), [](Budget& budget) {
        const std::string code = typeLePlusUtilise(budget);
        for (std::size_t i = 0; i < budget.Operations.size(); ++i)
            if (i % 100 < 22) budget.Operations[i].cTypeDep = code;
        budget.TrieOperations();
        budget.calculeTout();
    });
    std::size_t nombre = 0;
    const std::string code = typeLePlusUtilise(f.budget(), &nombre);
    // The share goes in the label: the CSV of run.sh wants the same counters in every case.
    state.SetLabel(std::to_string(100 * nombre / f.budget().Operations.size()) +
                   " % of the operations");
    const std::string codes[2] = {code, "ZZZ"};
    gui::Grid& grid = f.grille("grTypesDep");
    int k = 0;
    for (auto _ : state) {
        const int row = f.budget().IndiceTypeDep(codes[k]) + 1;
        k ^= 1;
        grid.model()->setData(grid.model()->index(row - 1, 0), QString::fromLatin1(codes[k]),
                              Qt::EditRole);
        grid.repaint();
    }
    if (f.budget().IndiceTypeDep(codes[k]) < 0) state.SkipWithError("rename refused");
}
BENCHMARK(BM_RenameType)->Apply(tailles);

// "Ajouter" for one operation, then its date, type and amount typed in the operations grid:
// the three typed cells are timed, each moving the operation and repainting the grid.
void BM_AddOperation(benchmark::State& state) {
    FenetreGeneree f(static_cast<int>(state.range(0)));
    gui::Grid& grid = f.grille("grOperations");
    auto* ajouter = f.window->findChild<QPushButton*>("btAjouter");
    const TOperation modele = f.budget().Operations[f.budget().Operations.size() / 2];
    const auto tape = [&](int column, const QString& text) {
        const int row = grid.currentCell().row;
        grid.model()->setData(grid.model()->index(row - 1, column - 1), text, Qt::EditRole);
        grid.setCurrentCell({column + 1, row});  // the move brings the cursor to the operation
        grid.repaint();
    };
    for (auto _ : state) {
        state.PauseTiming();
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        ajouter->click();
        state.ResumeTiming();
        tape(2, QString::fromLatin1(modele.cDate));
        tape(3, QString::fromLatin1(modele.cTypeDep));
        tape(4, QStringLiteral("-12,34"));
    }
    if (f.budget().Operations.back().cDate.empty()) state.SkipWithError("nothing added");
    state.SetLabel("3 typed cells");
}
BENCHMARK(BM_AddOperation)->Apply(tailles);

// "Dessiner" on the graphs page over every operation of the grown sample: the sums or the
// series rebuilt, then the surface painted at the window's size. Arg 0: the expense-types
// graph; 1: the operations graph.
void BM_DessinerGraphe(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(dossier().folder.path(), prompter, choixDirect);
    window.show();
    window.findChild<QTabWidget*>("pcVarnelle")->setCurrentIndex(gui::kOngletStats);
    auto* page = window.findChild<gui::GraphesPage*>("tsGraphes");
    page->pcGraphes().setCurrentIndex(static_cast<int>(state.range(0)));
    QCoreApplication::processEvents();
    auto* surface = window.findChild<gui::DrawingSurface*>(state.range(0) == 0 ? "imgTypesDep"
                                                                               : "imgOperations");
    for (auto _ : state) {
        page->btDessinerGrapheClick();
        surface->repaint();
    }
    if (!prompter.boxes.empty()) state.SkipWithError("nothing drawn");
}
BENCHMARK(BM_DessinerGraphe)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
// The "Soldes mensuels" page with 100 000 operations, over some 8 years (generated) or over
// centuries (the sample repeated, some 6 000 months): 0, rebuilt from the journal; 1, the tick
// of the current year toggled; 2, the amount of the ticked simulation typed. Each with the
// recomputation it brings and the graph painted.
// The window shown on a statistics page, as the user reaches it.
void montreStats(gui::TfmMain& window, int page) {
    window.show();
    window.findChild<QTabWidget*>("pcVarnelle")->setCurrentIndex(gui::kOngletStats);
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(page);
    QCoreApplication::processEvents();
}

// The generated budget of 100 000 operations over some 8 years, as a file of its own.
const std::filesystem::path& dossierGenere() {
    struct Genere {
        test::TempFolder folder;
        Genere() { ecritFichierBudget(folder.path(), "Exemple", genereBudget(100'000)); }
    };
    static const Genere genere;
    return genere.folder.path();
}

gui::BudgetChoisi choixSansMotDePasse(const std::filesystem::path& in, gui::Prompter&) {
    gui::BudgetChoisi choisi{"Exemple.ini", {}};
    choisi.file.open(in / choisi.fileName);
    return choisi;
}

void BM_SoldesMensuels(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(state.range(1) == 0 ? dossierGenere() : dossier().folder.path(), prompter,
                        choixSansMotDePasse);
    montreStats(window, gui::kStatsSoldesMensuels);
    auto* page = window.findChild<gui::SoldesMensuelsPage*>("tsSoldesMensuels");
    auto* surface = window.findChild<gui::DrawingSurface*>("imgSoldesMensuels");
    QAbstractItemModel* simulations = page->grSimulations().model();
    const int annee = page->arbre().selection ? static_cast<int>(*page->arbre().selection) : -1;
    int annees = annee;
    while (annees > 0 && page->arbre().noeuds[static_cast<std::size_t>(annees)].level != 0)
        --annees;
    bool autre = false;
    for (auto _ : state) {
        autre = !autre;
        if (state.range(0) == 0)
            page->reconstruit();
        else if (state.range(0) == 1)
            page->BasculeCocheSoldeMensuel(annees);
        else
            simulations->setData(simulations->index(0, 4),
                                 autre ? QStringLiteral("-300,00") : QStringLiteral("-289,50"),
                                 Qt::EditRole);
        surface->repaint();
    }
    if (page->soldesMensuels().empty() && state.range(0) != 1) state.SkipWithError("no bar");
}
BENCHMARK(BM_SoldesMensuels)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// "Arborescence des opérations" on the generated budget: 0, the tree rebuilt; 1, a month's
// detail shown with its chart; 2, a year's.
void BM_ArboOperations(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(dossierGenere(), prompter, choixSansMotDePasse);
    montreStats(window, gui::kStatsArboOperations);
    auto* page = window.findChild<gui::ArboOperationsPage*>("tsArboOperations");
    auto* surface = window.findChild<gui::DrawingSurface*>("imgDetailOperations");
    const int mois = page->arbre().selection ? static_cast<int>(*page->arbre().selection) : 1;
    int annee = mois;
    while (annee > 0 && page->arbre().noeuds[static_cast<std::size_t>(annee)].level != 0) --annee;
    bool autre = false;
    for (auto _ : state) {
        autre = !autre;
        if (state.range(0) == 0)
            page->reconstruit();
        else
            page->tvOperations().selectNode(autre ? (state.range(0) == 1 ? mois : annee) : 0);
        surface->repaint();
    }
    if (page->arbre().noeuds.empty()) state.SkipWithError("no tree");
}
BENCHMARK(BM_ArboOperations)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Vue 'classeur' des opérations" rebuilt, on the generated budget (0) and on the sample
// repeated over centuries (1), and (2) a month of the generated budget shown.
void BM_Classeur(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(state.range(0) == 1 ? dossier().folder.path() : dossierGenere(), prompter,
                        choixSansMotDePasse);
    montreStats(window, gui::kStatsClasseurs);
    auto* page = window.findChild<gui::ClasseurPage*>("tsClasseursOperations");
    auto* surface = window.findChild<gui::DrawingSurface*>("imgClasseur");
    bool autre = false;
    for (auto _ : state) {
        autre = !autre;
        if (state.range(0) < 2)
            page->reconstruit();
        else
            page->mois().setCurrentIndex(autre ? 0 : 1);
        surface->repaint();
    }
    if (page->detail().empty()) state.SkipWithError("no month");
}
BENCHMARK(BM_Classeur)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Récap. types de dépenses" (range 0 = 0) and "Calendrier des opérations" (1) on the generated
// budget in a 1366 x 768 window: (range 1 = 0) rebuilt and painted, (1) the visible cells
// painted again.
void BM_RecapCalendrier(benchmark::State& state) {
    gui::RecordingPrompter prompter;
    gui::TfmMain window(dossierGenere(), prompter, choixSansMotDePasse);
    window.resize(1366, 768);
    const bool recap = state.range(0) == 0;
    montreStats(window, recap ? gui::kStatsRecapTypesDep : gui::kStatsCalendOp);
    gui::Page* page =
        recap
            ? static_cast<gui::Page*>(window.findChild<gui::RecapTypesDepPage*>("tsRecapTypesDep"))
            : window.findChild<gui::CalendOpPage*>("tsCalendOp");
    auto* grid = window.findChild<gui::Grid*>(recap ? "grRecapTypesDep" : "grCalendOp");
    // The busiest days are the tallest rows: show one, and the last months.
    grid->scrollToCell({grid->gridModel().columnCount(), 5});
    for (auto _ : state) {
        if (state.range(1) == 0) page->reconstruit();
        grid->viewport()->repaint();
    }
    if (grid->gridModel().columnCount() < 2) state.SkipWithError("no column");
}
BENCHMARK(BM_RecapCalendrier)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The print preview of the journal of 100 000 operations (some 1 563 pages), from "Imprimer"
// to its first page drawn (0), and the whole list written as a PDF (1).
void BM_ImprimeOperations(benchmark::State& state) {
    static const Budget budget = genereBudget(100'000);
    const RapportListe rapport(budget, ListeImprimee::Operations);
    gui::RecordingPrompter prompter;
    test::TempFolder dossier;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            gui::TfmApercuRapport apercu(rapport, prompter);
            apercu.show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(apercu.imagePage().bits());
        } else {
            QPdfWriter pdf(QString::fromStdString((dossier / "liste.pdf").string()));
            gui::prepareA4(pdf);
            if (!gui::imprimeRapport(rapport, pdf)) state.SkipWithError("no PDF");
        }
    }
    state.SetLabel(std::to_string(rapport.nbPages()) + " pages");
}
BENCHMARK(BM_ImprimeOperations)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The operations window over every operation of the budget, from Initialise to its first
// paint: the lists, the grid reset and a chart of one bar per day and type.
void BM_OpenOperationsWindow(benchmark::State& state) {
    const Budget budget = genereBudget(static_cast<int>(state.range(0)));
    gui::RecordingPrompter prompter;
    for (auto _ : state) {
        auto window = std::make_unique<gui::TfmOperationsTypeDep>(budget, prompter);
        window->Initialise("", kDateVide, kDateVide, 0, nullptr);
        window->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->listes().Groupes.size());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOperationsWindow)
    ->Apply(tailles)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same window resized, its chart painted again at the new size.
void BM_ResizeOperationsWindow(benchmark::State& state) {
    const Budget budget = genereBudget(static_cast<int>(state.range(0)));
    gui::RecordingPrompter prompter;
    gui::TfmOperationsTypeDep window(budget, prompter);
    window.Initialise("", kDateVide, kDateVide, 0, nullptr);
    window.show();
    QCoreApplication::processEvents();
    int pas = 0;
    for (auto _ : state) {
        window.resize(window.width() + (++pas % 2 == 0 ? 7 : -7), window.height());
        window.repaint();
    }
}
BENCHMARK(BM_ResizeOperationsWindow)->Apply(tailles)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Dessiner" of the operations graph over a budget that also holds one operation in year 1
// and one in 9999: some 3 650 000 days. Arg 1: the graph drawn, then the page resized.
void BM_DessinerGrapheSiecles(benchmark::State& state) {
    Budget budget = genereBudget(static_cast<int>(state.range(0)));
    for (const char* date : {"01/01/0001", "31/12/9999"}) {
        TOperation operation = budget.Operations.front();
        operation.cDate = date;
        budget.Operations.push_back(operation);
    }
    budget.TrieOperations();
    budget.calculeTout();
    gui::RecordingPrompter prompter;
    gui::GraphesPage page(budget, prompter, [] { return std::optional<std::size_t>{}; });
    page.resize(1200, 500);
    page.show();
    page.pcGraphes().setCurrentIndex(gui::GraphesPage::kGrapheOperations);
    QCoreApplication::processEvents();
    const bool redimensionne = state.range(1) == 1;
    if (redimensionne) page.btDessinerGrapheClick();
    int pas = 0;
    for (auto _ : state) {
        if (redimensionne)
            page.resize(1200 + (++pas % 2 == 0 ? 7 : -7), 500);
        else
            page.btDessinerGrapheClick();
        page.repaint();
    }
    if (!prompter.boxes.empty()) state.SkipWithError("nothing drawn");
}
BENCHMARK(BM_DessinerGrapheSiecles)
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (const int n : {1'000, 10'000, 100'000}) b->Args({n, 0})->Args({n, 1});
        if (const char* million = std::getenv("VARNELLE_BENCH_MILLION");
            million != nullptr && std::string(million) == "1")
            b->Args({1'000'000, 0})->Args({1'000'000, 1});
    })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace varnelle::bench

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
