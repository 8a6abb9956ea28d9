#include "core/stats/operations_window_lists.h"

#include <gtest/gtest.h>

#include "records.h"

namespace varnelle {
namespace {

constexpr const char* kVide = "  /  /    ";

TOperation op(const char* date, const char* code, std::int32_t h, int select = 1) {
    return test::operation(date, code, fromHundredths(h), select);
}

// Sorted with -5.00 before 10.00 ("-5" < "10"); balances -5.00, 5.00, 7.00, 8.00, 4.00, 6.00.
Budget journal() {
    Budget budget;
    budget.Operations = {op("01/02/2024", "EDF", 1000), op("01/02/2024", "EDF", -500, 0),
                         op("01/02/2024", "GAZ", 200),  op("03/02/2024", "EDF", 100),
                         op("05/02/2024", "LOY", -400), op("07/02/2024", "EDF", 200)};
    budget.TrieOperations();
    budget.CalculeSoldesOperations();
    return budget;
}

// "date code montant cumul solde select" per row, "debut-fin date code montant" per group.
std::string lignes(const ListesOperationsTypeDep& l) {
    std::string s;
    for (std::size_t i = 0; i < l.Lignes.size(); ++i) {
        const TOpTypDep r = l.Lignes[i];
        s += std::string(r.cDate) + " " + std::string(r.cTypeDep) + " " + formatAmount(r.nMontant) +
             " " + formatAmount(r.nCumul) + " " + formatAmount(r.nSolde) + " " +
             std::to_string(r.nSelect) + "; ";
    }
    return s;
}
std::string groupes(const ListesOperationsTypeDep& l) {
    std::string s;
    for (const TGrapheOperations& g : l.Groupes)
        s += std::to_string(g.nLigneDeb) + "-" + std::to_string(g.nLigneFin) + " " +
             std::string(g.cDate) + " " + std::string(g.cTypeDep) + " " + formatAmount(g.nMontant) +
             "; ";
    return s;
}

TEST(OperationsWindowLists, RowsAndGroups) {
    const Budget b = journal();
    const std::vector<TOperation> sims = {op("01/03/2024", "", -100), op("01/04/2024", "", 50),
                                          op("01/05/2024", "", -25)};
    const struct {
        const char* what;
        const char* code;
        const char* deb;
        const char* fin;
        std::int32_t soldeDeb;
        const std::vector<TOperation>* sims;
        bool filtre;
        const char* lignes;
        const char* groupes;
        std::int32_t premiereSim;
    } cases[] = {
        // Same-day rows of one code make one bar; the running sum starts at the first row.
        {"one type, all dates", "EDF", kVide, kVide, 0, nullptr, true,
         "01/02/2024 EDF -5.00 -5.00 -5.00 0; 01/02/2024 EDF 10.00 5.00 5.00 1; "
         "03/02/2024 EDF 1.00 6.00 8.00 1; 07/02/2024 EDF 2.00 8.00 6.00 1; ",
         "0-1 01/02/2024 EDF 5.00; 2-2 03/02/2024 EDF 1.00; 3-3 07/02/2024 EDF 2.00; ", 5},
        {"all types between two dates, start balance", "", "01/02/2024", "05/02/2024", 10000,
         nullptr, false,
         "01/02/2024 EDF -5.00 0.00 95.00 0; 01/02/2024 EDF 10.00 0.00 105.00 1; "
         "01/02/2024 GAZ 2.00 0.00 107.00 1; 03/02/2024 EDF 1.00 0.00 108.00 1; "
         "05/02/2024 LOY -4.00 0.00 104.00 1; ",
         "0-1 01/02/2024 EDF 5.00; 2-2 01/02/2024 GAZ 2.00; 3-3 03/02/2024 EDF 1.00; "
         "4-4 05/02/2024 LOY -4.00; ",
         6},
        // Simulated lines continue the last row's balance, one bar each, no code.
        {"simulation lines", "", "03/02/2024", "05/02/2024", 0, &sims, false,
         "03/02/2024 EDF 1.00 0.00 8.00 1; 05/02/2024 LOY -4.00 0.00 4.00 1; "
         "01/03/2024 sim 1 -1.00 0.00 3.00 2; 01/04/2024 sim 2 0.50 0.00 3.50 2; "
         "01/05/2024 sim 3 -0.25 0.00 3.25 2; ",
         "0-0 03/02/2024 EDF 1.00; 1-1 05/02/2024 LOY -4.00; 2-2 01/03/2024  -1.00; "
         "3-3 01/04/2024  0.50; 4-4 01/05/2024  -0.25; ",
         3},
        {"simulation lines and no operation", "", "10/02/2024", kVide, 2000, &sims, false,
         "01/03/2024 sim 1 -1.00 0.00 19.00 2; 01/04/2024 sim 2 0.50 0.00 19.50 2; "
         "01/05/2024 sim 3 -0.25 0.00 19.25 2; ",
         "0-0 01/03/2024  -1.00; 1-1 01/04/2024  0.50; 2-2 01/05/2024  -0.25; ", 1},
        {"code of no operation", "edf", kVide, kVide, 0, nullptr, true, "", "", 1},
    };
    for (const auto& c : cases) {
        const ListesOperationsTypeDep l =
            ConstruitListesOperations(b, c.code, c.deb, c.fin, fromHundredths(c.soldeDeb), c.sims);
        EXPECT_EQ(l.lFiltre, c.filtre) << c.what;
        EXPECT_EQ(lignes(l), c.lignes) << c.what;
        EXPECT_EQ(groupes(l), c.groupes) << c.what;
        EXPECT_EQ(l.nPremiereLigneSim, c.premiereSim) << c.what;
        Montant total = 0;
        for (std::size_t i = 0; i < l.Lignes.size(); ++i) total += l.Lignes[i].nMontant;
        EXPECT_EQ(l.nTotal, total) << c.what;
    }
}

// Invalid dates rank together whatever their text: their rows need not be side by side.
TEST(OperationsWindowLists, GroupsOfInvalidDates) {
    Budget b;
    b.Operations = {op("01/02/2024", "A", 100), op("xx/01/2024", "A", 100),
                    op("yy/01/2024", "A", 200), op("xx/01/2024", "A", 300)};
    b.CalculeSoldesOperations();
    const ListesOperationsTypeDep l = ConstruitListesOperations(b, "A", kVide, kVide, 0, nullptr);
    EXPECT_EQ(groupes(l), "0-0 01/02/2024 A 1.00; 1-3 xx/01/2024 A 4.00; 2-2 yy/01/2024 A 2.00; ");
    EXPECT_EQ(IndiceGroupe(l.Groupes, "yy/01/2024", "A"), 2);
    EXPECT_EQ(IndiceGroupe(l.Groupes, "yy/01/2024", "a"), -1);
    // With a bound, an operation whose date is no date is listed nowhere.
    EXPECT_EQ(ConstruitListesOperations(b, "A", "01/01/2024", kVide, 0, nullptr).Lignes.size(), 1u);
}

}  // namespace
}  // namespace varnelle
