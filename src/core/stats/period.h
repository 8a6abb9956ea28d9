#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/date_text.h"
#include "core/model/records.h"

namespace varnelle {

// True when `date` lies between `debut` and `fin`, both included, compared as calendar dates.
// A bound that is blank ("  /  /    ") is open; so is any bound that is not a valid date text,
// as the date fields of the graphs take a partly typed date. A date text that is not valid
// lies in no period that has a bound, and in the period open at both ends.
bool DateDansPeriode(std::string_view debut, std::string_view fin, std::string_view date);

// Days of `mois` (1..12) in `annee`; 0 for a month outside 1..12.
int JoursDansMois(int mois, int annee);

// The day number of a valid date text, empty otherwise: what the period tests compare.
std::optional<std::int32_t> serieDate(std::string_view date);

// The functions below rely on the order of Operations: valid dates ascending, then the
// operations whose date is not valid. They search by halving, never by scanning.

// Position of the first operation dated on or after `date`; -1 when there is none or `date`
// is not a valid date text. Operations with an invalid date are never on or after a date.
int PremiereOperationDepuis(const std::vector<TOperation>& operations, std::string_view date);

// Position of the last operation dated on or before `date`; -1 when there is none or `date`
// is not a valid date text.
int DerniereOperationJusqua(const std::vector<TOperation>& operations, std::string_view date);

// Positions [debut, fin) of the operations for which DateDansPeriode(debut, fin, cDate)
// holds: consecutive in a sorted collection.
struct PlageOperations {
    std::size_t debut = 0;
    std::size_t fin = 0;

    bool vide() const { return debut >= fin; }
    bool operator==(const PlageOperations&) const = default;
};

PlageOperations PlageDansPeriode(const std::vector<TOperation>& operations, std::string_view debut,
                                 std::string_view fin);

// The years offered by a month chooser and the month and year it starts on.
struct MoisAnneesProposes {
    int premiereAnnee = 0;
    int derniereAnnee = 0;
    int mois = 1;  // 1..12
    int annee = 0;

    bool operator==(const MoisAnneesProposes&) const = default;
};

// From the year of the first operation to that of the last, starting on the month and year of
// the operation at `positionCourante`. When any of these cannot be read (no operation, no
// current operation, a date not yet typed), today's month of today's year alone.
MoisAnneesProposes MoisAnneesDeReference(const std::vector<TOperation>& operations,
                                         std::optional<std::size_t> positionCourante,
                                         const CivilDate& aujourdhui);

// Number of leading operations whose date text is valid.
std::size_t NbOperationsDatees(const std::vector<TOperation>& operations);

}  // namespace varnelle
