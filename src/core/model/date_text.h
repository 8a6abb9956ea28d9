#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnelle {

// The empty text of the date mask "99/99/9999": an absent date.
inline constexpr std::string_view kDateVide = "  /  /    ";

struct CivilDate {
    int day = 0;
    int month = 0;
    int year = 0;
};

// Reads "dd/mm/yyyy" strictly: two-digit day and month, four-digit year from 1 to 9999,
// slashes at their places, and a day that exists in that month.
std::optional<CivilDate> parseDate(std::string_view texte);

// True when the text is a complete, existing calendar date in the form dd/mm/yyyy.
bool DateValide(std::string_view texte);

// Days since 30/12/1899 (day 0), negative before it.
std::int32_t dateSerial(const CivilDate& date);
CivilDate dateFromSerial(std::int32_t serie);

// "05/03/2024".
std::string dateText(const CivilDate& date);

int daysInMonth(int month, int year);

// Characters 4 to 5 and 7 to 10 of a date text, as many as there are: the parts by which the
// budget groups its operations by month and year, even in a date that is not a valid one.
std::string_view partieMois(std::string_view date);
std::string_view partieAnnee(std::string_view date);

// A part of a date text read as a number when it is all digits, of the part's full length.
std::optional<int> numeroMois(std::string_view date);
std::optional<int> numeroAnnee(std::string_view date);

// The same day `sens` months later (earlier when negative), kept within the shorter month.
CivilDate ajouteMois(CivilDate date, int sens);

}  // namespace varnelle
