#pragma once

#include <cstdint>
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
std::optional<std::int32_t> toHundredths(Montant value);

// The amount a count of hundredths stands for: a product with the value nearest 0.01.
Montant fromHundredths(std::int32_t hundredths);

// A typed amount: blanks around, an optional sign, digits with at most one decimal
// separator, "," or ".". Empty when it is not a number or when the file could not hold it.
std::optional<Montant> parseAmount(std::string_view text);

// "1234.50", "-0.07": two decimals, no thousands separator, never "-0.00".
std::string formatAmount(Montant value, char decimalSeparator = '.');

// Shortest general text of up to 15 significant digits: "12.5", "40", "-3".
std::string generalAmountText(Montant value, char decimalSeparator = '.');
// The same text appended to `out`, for callers that build many keys.
void appendGeneralAmountText(std::string& out, Montant value, char decimalSeparator = '.');

}  // namespace varnelle
