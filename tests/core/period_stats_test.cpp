#include "core/stats/period.h"
#include "core/stats/period_graphs.h"

#include <gtest/gtest.h>

#include "core/model/date_text.h"
#include "records.h"

namespace varnelle {
namespace {

constexpr const char* kVide = "  /  /    ";

// Amounts in hundredths; balances recomputed, as loading leaves them.
Budget budgetDe(std::vector<TOperation> operations) {
    Budget budget;
    budget.Operations = std::move(operations);
    budget.TrieOperations();
    budget.CalculeSoldesOperations();
    return budget;
}
TOperation op(const char* date, const char* code, std::int32_t h, int select = 1) {
    return test::operation(date, code, fromHundredths(h), select);
}

TEST(PeriodStats, DateInPeriod) {
    const struct {
        const char* debut;
        const char* fin;
        const char* date;
        bool attendu;
    } cases[] = {
        {kVide, "15/03/2024", "15/03/2024", true},
        {kVide, "15/03/2024", "16/03/2024", false},
        {"10/03/2024", kVide, "10/03/2024", true},
        // Calendar order, not text order.
        {"10/12/2024", "20/01/2025", "05/01/2025", true},
        {"10/12/2024", "20/01/2025", "15/11/2024", false},
        {kVide, kVide, "n'importe", true},
        {kVide, "15/03/2024", "31/02/2024", false},
        // A bound that is no date is open.
        {"31/02/2024", "15/03/2024", "01/01/2000", true},
        {"01/03/2024", "1/3/2024", "29/02/2024", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateDansPeriode(c.debut, c.fin, c.date), c.attendu)
            << c.debut << " | " << c.fin << " | " << c.date;
}

TEST(PeriodStats, FirstAndLastOperationAroundADate) {
    // Sorted: 01/01, 03/01 A, 03/01 B, 05/01, then the invalid date.
    const Budget b =
        budgetDe({op("05/01/2024", "A", 1), op("xx/01/2024", "A", 1), op("03/01/2024", "B", 1),
                  op("01/01/2024", "A", 1), op("03/01/2024", "A", 1)});
    const struct {
        const char* date;
        int premiere;
        int derniere;
    } cases[] = {
        {"31/12/2023", 0, -1}, {"01/01/2024", 0, 0},  {"02/01/2024", 1, 0}, {"03/01/2024", 1, 2},
        {"05/01/2024", 3, 3},  {"06/01/2024", -1, 3}, {kVide, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PremiereOperationDepuis(b.Operations, c.date), c.premiere) << c.date;
        EXPECT_EQ(DerniereOperationJusqua(b.Operations, c.date), c.derniere) << c.date;
    }
    EXPECT_EQ(PremiereOperationDepuis({}, "01/01/2024"), -1);
    EXPECT_EQ(DerniereOperationJusqua({}, "01/01/2024"), -1);
}

// The halving search must keep exactly the operations the period test keeps.
TEST(PeriodStats, RangeMatchesThePeriodTest) {
    std::vector<TOperation> operations;
    for (int m = 1; m <= 12; m += 2)
        for (int j = 1; j <= 28; j += 9)
            operations.push_back(op(dateText({j, m, 2023 + m % 3}).c_str(), "A", 100));
    operations.push_back(op("00/00/0000", "A", 1));
    operations.push_back(op(kVide, "B", 1));
    const Budget b = budgetDe(operations);
    const std::vector<std::string> bornes = {kVide,        "01/01/2023", "10/03/2024",
                                             "19/05/2025", "31/12/2025", "28/11/2023",
                                             "31/02/2024", "15/06/2020"};
    for (const auto& debut : bornes)
        for (const auto& fin : bornes) {
            const PlageOperations plage = PlageDansPeriode(b.Operations, debut, fin);
            for (std::size_t i = 0; i < b.Operations.size(); ++i)
                EXPECT_EQ(i >= plage.debut && i < plage.fin,
                          DateDansPeriode(debut, fin, b.Operations[i].cDate))
                    << debut << " | " << fin << " | " << b.Operations[i].cDate;
        }
}

TEST(PeriodStats, PeriodReadFromTheDateFields) {
    using R = ResultatPeriode;
    const struct {
        const char* deb;
        const char* fin;
        PeriodeGraphe attendu;
    } cases[] = {
        {"10/03/2024", "09/03/2024", {R::DateInitialeApresFinale, "10/03/2024", "09/03/2024"}},
        {"10/12/2024", "09/01/2025", {R::Ok, "10/12/2024", "09/01/2025"}},
        {"10/03/2024", "1_/03/2023", {R::Ok, "10/03/2024", kVide}},
        {"30/02/2024", "01/01/2020", {R::Ok, kVide, "01/01/2020"}},
    };
    for (const auto& c : cases) EXPECT_EQ(LitPeriodeGraphe(c.deb, c.fin), c.attendu) << c.deb;
}

TEST(PeriodStats, TypeSumsOfAPeriod) {
    const Budget b = budgetDe({
        op("01/03/2024", "edf", 1000),
        op("02/03/2024", "EDF", -2550),
        op("02/03/2024", "EDF", -100, 0),
        op("05/03/2024", "Abc", 300),
        op("06/03/2024", "Abc", -300),
        op("15/03/2024", "EDF", 5),
        op("16/03/2024", "EDF", -7000),
        op("16/03/2024", "Zz", 1),
        op("28/02/2024", "Abc", 42),
        op("pas une date", "EDF", 99),
    });
    const auto texte = [](const TotauxTypesDep& t) {
        std::string s;
        for (const TTD& ttd : t.barres) s += ttd.cTypeDep + "=" + formatAmount(ttd.nMontant) + " ";
        return s;
    };
    const struct {
        const char* deb;
        const char* fin;
        ResultatPeriode resultat;
        const char* barres;
    } cases[] = {
        // Unticked operations count; a type summing to 0 keeps its bar; case matters.
        {"01/03/2024", "15/03/2024", ResultatPeriode::Ok, "Abc=0.00 EDF=-26.45 edf=10.00 "},
        {kVide, "15/03/2024", ResultatPeriode::Ok, "Abc=0.42 EDF=-26.45 edf=10.00 "},
        {"16/03/2024", kVide, ResultatPeriode::Ok, "EDF=-70.00 Zz=0.01 "},
        {kVide, kVide, ResultatPeriode::Ok, "Abc=0.42 EDF=-95.46 Zz=0.01 edf=10.00 "},
        {"17/03/2024", kVide, ResultatPeriode::AucuneOperation, ""},
    };
    for (const auto& c : cases) {
        const TotauxTypesDep t = CalculeTotauxTD(b, c.deb, c.fin);
        EXPECT_EQ(t.resultat, c.resultat) << c.deb << " | " << c.fin;
        EXPECT_EQ(texte(t), c.barres) << c.deb << " | " << c.fin;
    }
    EXPECT_EQ(CalculeTotauxTD(Budget{}, kVide, kVide).resultat, ResultatPeriode::AucuneOperation);
}

TEST(PeriodStats, BalanceSeries) {
    // Balances: 100.00, 70.00 (01/01), 120.00 (03/01), -180.00 (06/01), then the invalid date.
    const Budget b = budgetDe({op("01/01/2024", "A", 10000), op("01/01/2024", "B", -3000),
                               op("03/01/2024", "A", 5000), op("06/01/2024", "A", -30000),
                               op("99/99/9999", "A", 1)});
    const struct {
        const char* deb;
        const char* fin;
        bool ok;
        const char* date0;
        const char* valeurs;  // v[d] and '*' when the day has operations
        const char* m;
    } cases[] = {
        {kVide, kVide, true, "01/01/2024", "70.00* 70.00 120.00* 120.00 120.00 -180.00*", "180.00"},
        {"01/01/2024", "05/01/2024", true, "01/01/2024", "70.00* 70.00 120.00*", "120.00"},
        {"02/01/2024", kVide, true, "03/01/2024", "120.00* 120.00 120.00 -180.00*", "180.00"},
        // All on one day, nothing between the bounds, or the bounds crossing the operations.
        {"01/01/2024", "02/01/2024", false, "", "", ""},
        {"04/01/2024", "05/01/2024", false, "", "", ""},
        {"07/01/2024", kVide, false, "", "", ""},
        {kVide, "31/12/2023", false, "", "", ""},
    };
    for (const auto& c : cases) {
        const SerieOperations s = CalculeSerieOperations(b, c.deb, c.fin);
        ASSERT_EQ(s.resultat == ResultatPeriode::Ok, c.ok) << c.deb << " | " << c.fin;
        if (!c.ok) {
            EXPECT_EQ(s.resultat, ResultatPeriode::AucuneOperation);
            continue;
        }
        std::string valeurs;
        for (std::size_t d = 0; d < s.v.size(); ++d)
            valeurs += (d ? " " : "") + formatAmount(s.v[d]) + (s.op[d] ? "*" : "");
        EXPECT_EQ(static_cast<std::size_t>(s.D), s.v.size());
        EXPECT_EQ(dateText(dateFromSerial(s.date0)), c.date0) << c.deb;
        EXPECT_EQ(valeurs, c.valeurs) << c.deb << " | " << c.fin;
        EXPECT_EQ(formatAmount(s.m), c.m) << c.deb;
    }
}

TEST(PeriodStats, SegmentPeriodAndMonthParity) {
    const Budget b = budgetDe(
        {op("31/01/2024", "A", 100), op("03/02/2024", "A", 100), op("04/02/2024", "A", 100)});
    const SerieOperations s = CalculeSerieOperations(b, kVide, kVide);
    ASSERT_EQ(s.resultat, ResultatPeriode::Ok);
    EXPECT_EQ(PeriodeDuSegment(b, s, 0), (PeriodeSegment{"31/01/2024", "03/02/2024"}));
    EXPECT_EQ(PeriodeDuSegment(b, s, 2), (PeriodeSegment{"31/01/2024", "03/02/2024"}));
    EXPECT_EQ(PeriodeDuSegment(b, s, 3), (PeriodeSegment{"03/02/2024", "04/02/2024"}));
    EXPECT_EQ(PeriodeDuSegment(b, s, 4), (PeriodeSegment{"04/02/2024", kVide}));
    EXPECT_EQ(PeriodeDuSegment(b, s, -1), (PeriodeSegment{kVide, "31/01/2024"}));
    EXPECT_TRUE(MoisImpair(s.date0));       // 31/01
    EXPECT_FALSE(MoisImpair(s.date0 + 1));  // 01/02
}

}  // namespace
// The years of the journal and the month and year of the current operation; today's month of
// today's year alone whenever one of them cannot be read.
TEST(PeriodStats, MonthChooserStartsOnTheCurrentOperation) {
    const CivilDate today{7, 12, 2026};
    const MoisAnneesProposes aujourdhui{2026, 2026, 12, 2026};
    const auto journal = [](std::initializer_list<const char*> dates) {
        std::vector<TOperation> operations;
        for (const char* date : dates) operations.push_back(test::operation(date, "AL", -1));
        return operations;
    };
    const auto dated = journal({"15/03/2021", "01/01/2023", "10/05/2024"});
    EXPECT_EQ(MoisAnneesDeReference(dated, 1, today), (MoisAnneesProposes{2021, 2024, 1, 2023}));
    EXPECT_EQ(MoisAnneesDeReference(dated, 2, today), (MoisAnneesProposes{2021, 2024, 5, 2024}));
    EXPECT_EQ(MoisAnneesDeReference(dated, 3, today), aujourdhui);
    EXPECT_EQ(MoisAnneesDeReference(dated, std::nullopt, today), aujourdhui);
    EXPECT_EQ(MoisAnneesDeReference({}, 0, today), aujourdhui);
    EXPECT_EQ(MoisAnneesDeReference(journal({"15/03/2021", kVide, "10/05/2024"}), 1, today),
              aujourdhui);
    // The current operation is dated, the last one not yet.
    EXPECT_EQ(MoisAnneesDeReference(journal({"15/03/2021", "10/05/2024", kVide}), 1, today),
              aujourdhui);
}

}  // namespace varnelle
