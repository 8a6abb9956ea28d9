#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace varnelle {

// Decimal amounts in currency units, kept in 80-bit extended precision.
using Montant = long double;

// Whole amounts (daily rows, savings) are plain 32-bit integers.
using MontantEntier = std::int32_t;

// The file holds a decimal amount as a 32-bit count of hundredths.
inline constexpr Montant kMontantMin = -21474836.48L;
inline constexpr Montant kMontantMax = 21474836.47L;

// Hundredths of `value`, rounded half to even; empty when the count does not fit in
// 32 bits or the value is not a number.
inline std::optional<std::int32_t> toHundredths(Montant value) {
    // rint follows the current rounding mode, which the program never changes from
    // round-to-nearest-even; unlike llrint it needs no call. Not a number fails both tests.
    const long double scaled = std::rint(value * 100.0L);
    if (!(scaled >= std::numeric_limits<std::int32_t>::min() &&
          scaled <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(scaled);
}

// The amount a count of hundredths stands for: a product with the value nearest 0.01.
Montant fromHundredths(std::int32_t hundredths);

// A typed decimal number: blanks around, an optional sign, digits with at most one decimal
// separator, "," or ".", whatever the process locale. Empty when it is not such a number.
std::optional<long double> parseNombre(std::string_view text);

// A typed amount: a number as parseNombre reads it, empty as well when the file could not
// hold it.
std::optional<Montant> parseAmount(std::string_view text);

// A typed whole number: blanks around, an optional sign, decimal digits only. Empty when it
// is not such a number or does not fit in 32 bits.
std::optional<std::int32_t> parseEntier(std::string_view text);

// Two decimals as the C library writes them ("-0.00" included), the point replaced by
// `decimalSeparator` whatever the process locale.
std::string formatDeuxDecimales(long double value, char decimalSeparator = '.');

// "1234.50", "-0.07": two decimals, no thousands separator, never "-0.00".
std::string formatAmount(Montant value, char decimalSeparator = '.');
// The same text appended to `out`.
void appendAmount(std::string& out, Montant value, char decimalSeparator = '.');
// The same text written backwards before `end`, with room for kRoomShortAmount bytes, when
// the amount is below 2^40 in magnitude, as all but absurd ones are: answers where it begins,
// or nullptr for an amount that needs the general path of appendAmount.
inline constexpr std::size_t kRoomShortAmount = 20;
char* writeShortAmountBefore(char* end, Montant value, char decimalSeparator);

// Shortest general text of up to 15 significant digits: "12.5", "40", "-3".
std::string generalAmountText(Montant value, char decimalSeparator = '.');
// The same text appended to `out`, for callers that build many keys.
void appendGeneralAmountText(std::string& out, Montant value, char decimalSeparator = '.');

}  // namespace varnelle
