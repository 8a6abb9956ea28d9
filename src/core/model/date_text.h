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

}  // namespace varnelle
