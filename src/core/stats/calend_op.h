#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

inline constexpr int kJoursCalendrier = 31;

// An operation as the calendar shows it.
struct TOpJour {
    std::int32_t nSelect = 0;
    std::string cTypeDep;
    Montant nMontant = 0;
    bool operator==(const TOpJour&) const = default;
};

// One month column of the calendar. Days are counted from 1; index 0 of lGrapheJour is the
// month's own switch.
struct TCalendOp {
    std::string cAnnee;
    std::string cNomMois;
    int nMois = 0;
    std::array<int, kJoursCalendrier + 1> nNbOpJour{};
    std::array<bool, kJoursCalendrier + 1> lGrapheJour{};
    // Where the operations of day d start in CalendOp::OpJour; they follow one another.
    std::array<std::size_t, kJoursCalendrier + 1> nDebutJour{};
};

// The calendar's working list: a column for each run of operations of one month in the
// journal's order, and the operations of every day of every column in one array.
struct CalendOp {
    std::vector<TCalendOp> mois;
    std::vector<TOpJour> OpJour;
    // Per day, the largest number of operations on that day in any month, at least 1: the
    // row's height in lines.
    std::array<int, kJoursCalendrier + 1> nMaxJour{};

    // Operation `k` (from 0) of day `d` of month `i`.
    const TOpJour& operation(std::size_t i, int d, int k) const {
        return OpJour[mois[i].nDebutJour[static_cast<std::size_t>(d)] +
                      static_cast<std::size_t>(k)];
    }
};

// One pass over the journal in its order, another to place each operation with its day.
// Operations whose date is not valid are left out. Every day is drawn as `lContCellsGraphe`
// says.
CalendOp ConstruitCalendOp(const std::vector<TOperation>& operations, bool lContCellsGraphe);

// What a double click on the calendar opens: the period the operations window lists, and
// the dates its caption shows, without leading zeros as the calendar writes them.
struct PeriodeCalendOp {
    std::string cDateDeb, cDateFin;
    std::string cTitreDeb, cTitreFin;
    bool operator==(const PeriodeCalendOp&) const = default;
};

// The whole month of a column, or its day `jour`.
PeriodeCalendOp PeriodeMoisCalendOp(const TCalendOp& mois);
PeriodeCalendOp PeriodeJourCalendOp(const TCalendOp& mois, int jour);

}  // namespace varnelle
