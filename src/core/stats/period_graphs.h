#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/budget.h"
#include "core/model/date_text.h"

namespace varnelle {

// Outcome of the period checks; the gui words each one.
enum class ResultatPeriode {
    Ok,
    DateInitialeApresFinale,  // both bounds given and the end before the start
    AucuneOperation,          // nothing to draw in the period
};

// The period the "Dessiner" button reads from the two date fields: a text that is not a
// valid date is taken as blank.
struct PeriodeGraphe {
    ResultatPeriode resultat = ResultatPeriode::Ok;
    std::string cDateDeb{kDateVide};
    std::string cDateFin{kDateVide};

    bool operator==(const PeriodeGraphe&) const = default;
};

PeriodeGraphe LitPeriodeGraphe(std::string_view texteDeb, std::string_view texteFin);

// One bar of the expense-types graph.
struct TTD {
    std::string cTypeDep;
    Montant nMontant = 0;

    bool operator==(const TTD&) const = default;
};

struct TotauxTypesDep {
    ResultatPeriode resultat = ResultatPeriode::AucuneOperation;
    std::vector<TTD> barres;  // ascending byte-wise code
};

// One bar per code met among the operations of the period, whatever their selection mark,
// with the sum of their amounts added in collection order. No operation in the period gives
// AucuneOperation.
TotauxTypesDep CalculeTotauxTD(const Budget& budget, std::string_view cDateDeb,
                               std::string_view cDateFin);

// The balance day by day from the first to the last operation of the period.
struct SerieOperations {
    ResultatPeriode resultat = ResultatPeriode::AucuneOperation;
    std::int32_t D = 0;      // days, both ends included
    std::int32_t date0 = 0;  // day number (dateSerial) of day 1
    std::vector<Montant> v;  // v[d - 1]: balance after the last operation of day d
    std::vector<bool> op;    // op[d - 1]: day d has at least one operation
    Montant m = 0;           // largest |v|
};

// Fails (AucuneOperation) when no operation lies in the period or they all fall on one day.
// An open end runs to the last operation whose date is valid.
SerieOperations CalculeSerieOperations(const Budget& budget, std::string_view cDateDebOp,
                                       std::string_view cDateFinOp);

// The same balance kept only where it changes: an entry for the first day, each day with
// operations and, from a day-by-day series, each day whose balance differs from the day
// before. The days between two entries keep the balance of the first. Its size follows the
// operations of the period, not the number of days it spans.
struct JourSerie {
    std::int32_t d = 0;  // from 0, the first day
    Montant v = 0;
    bool op = false;

    bool operator==(const JourSerie&) const = default;
};

struct SerieJours {
    ResultatPeriode resultat = ResultatPeriode::AucuneOperation;
    std::int32_t D = 0;
    std::int32_t date0 = 0;
    std::vector<JourSerie> jours;  // ascending d, the first at 0
    Montant m = 0;
};

// What CalculeSerieOperations computes, without one entry per day.
SerieJours CalculeSerieJours(const Budget& budget, std::string_view cDateDebOp,
                             std::string_view cDateFinOp);
SerieJours SerieJoursDe(const SerieOperations& serie);

// The period a double-click on the segment starting at day date0 + j opens: from the last
// operation day on or before that day to the first one after it; blank where there is none.
struct PeriodeSegment {
    std::string cDateDeb{kDateVide};
    std::string cDateFin{kDateVide};

    bool operator==(const PeriodeSegment&) const = default;
};

PeriodeSegment PeriodeDuSegment(const Budget& budget, const SerieOperations& serie, std::int32_t j);
PeriodeSegment PeriodeDuSegment(const Budget& budget, std::int32_t date0, std::int32_t j);

// True when the month of the day number `serie` is odd.
bool MoisImpair(std::int32_t serie);

}  // namespace varnelle
