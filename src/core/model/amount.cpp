#include "core/model/amount.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace varnelle {
namespace {

// The whole part of an amount and its sign, written backwards before `p`; answers where they
// begin.
char* ecritEntierARebours(char* p, std::uint64_t entier, bool negatif) {
    do {
        *--p = static_cast<char>('0' + entier % 10);
        entier /= 10;
    } while (entier != 0);
    if (negatif) *--p = '-';
    return p;
}

// Drops the blanks around a typed number and its sign; true when the sign is "-".
bool litSigne(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    return negative;
}

constexpr Montant kCentieme = 0.01L;
// Far below the overflow of long double, far beyond its precision.
constexpr long double kEchelleMax = 1e4000L;

}  // namespace

Montant fromHundredths(std::int32_t hundredths) {
    return static_cast<Montant>(hundredths) * kCentieme;
}

std::optional<long double> parseNombre(std::string_view text) {
    const bool negative = litSigne(text);
    // Digit by digit rather than through the C library, whose decimal point follows the
    // process locale.
    long double whole = 0, fraction = 0, scale = 1;
    int digits = 0;
    bool inFraction = false;
    for (const char c : text) {
        if (c == ',' || c == '.') {
            if (inFraction) return std::nullopt;
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (!inFraction) {
                whole = whole * 10 + (c - '0');
            } else if (scale < kEchelleMax) {
                // Digits this far down weigh nothing, and taking them would end in inf / inf.
                scale *= 10;
                fraction = fraction * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    long double value = whole + fraction / scale;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<Montant> parseAmount(std::string_view text) {
    const std::optional<long double> value = parseNombre(text);
    if (!value || !toHundredths(*value)) return std::nullopt;
    return *value;
}

std::optional<std::int32_t> parseEntier(std::string_view text) {
    const bool negative = litSigne(text);
    if (text.empty()) return std::nullopt;
    // One past the largest magnitude, so that the smallest value fits.
    constexpr std::int64_t kLimite = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimite) return std::nullopt;
    }
    if (negative) magnitude = -magnitude;
    if (magnitude > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

std::string formatDeuxDecimales(long double value, char decimalSeparator) {
    char buffer[64];
    const int len = std::snprintf(buffer, sizeof buffer, "%.2Lf", value);
    std::string text(buffer, len > 0 ? static_cast<std::size_t>(len) : 0);
    // Without thousands grouping the only punctuation is the decimal point, which the
    // process locale may have made a comma.
    for (char& c : text)
        if (c == '.' || c == ',') c = decimalSeparator;
    return text;
}

std::string formatAmount(Montant value, char decimalSeparator) {
    std::string text;
    appendAmount(text, value, decimalSeparator);
    return text;
}

void appendAmount(std::string& out, Montant value, char decimalSeparator) {
    // Far from a half hundredth, the count of hundredths is what a correctly rounded "%.2Lf"
    // shows: below 1e12 the product by 100 is off by far less than the margin kept here.
    if (std::fabs(value) < 1e12L) {
        const Montant scaled = value * 100.0L;
        // rint rounds as llrint does, without a call; the count fits 64 bits below 1e12.
        const auto n = static_cast<std::int64_t>(std::rint(scaled));
        if (std::fabs(scaled - static_cast<Montant>(n)) < 0.25L) {
            char buffer[32];
            char* const end = buffer + sizeof buffer;
            char* p = end;
            std::uint64_t magnitude =
                n < 0 ? static_cast<std::uint64_t>(-n) : static_cast<std::uint64_t>(n);
            *--p = static_cast<char>('0' + magnitude % 10);
            *--p = static_cast<char>('0' + magnitude / 10 % 10);
            *--p = decimalSeparator;
            p = ecritEntierARebours(p, magnitude / 100, n < 0);
            out.append(p, static_cast<std::size_t>(end - p));
            return;
        }
    }
    std::string text = formatDeuxDecimales(value, decimalSeparator);
    if (text == std::string{'-', '0', decimalSeparator, '0', '0'}) text.erase(0, 1);
    out += text;
}

void appendGeneralAmountText(std::string& out, Montant value, char decimalSeparator) {
    // Amounts read from the file are exact products of a count of hundredths; their
    // 15-digit text is the count itself with the point moved, which is far cheaper than
    // a general conversion and gives the same characters.
    if (value != 0.0L && std::fabs(value) < 1e12L) {
        // rint rounds to nearest even as the program's rounding mode is, without a call.
        const auto n = static_cast<std::int64_t>(std::rint(value * 100.0L));
        if (static_cast<Montant>(n) * kCentieme == value) {
            char buffer[32];
            char* end = buffer + sizeof buffer;
            char* p = end;
            std::uint64_t magnitude =
                n < 0 ? static_cast<std::uint64_t>(-n) : static_cast<std::uint64_t>(n);
            const auto cents = static_cast<unsigned>(magnitude % 100);
            if (cents != 0) {
                if (cents % 10 != 0) *--p = static_cast<char>('0' + cents % 10);
                *--p = static_cast<char>('0' + cents / 10);
                *--p = decimalSeparator;
            }
            p = ecritEntierARebours(p, magnitude / 100, n < 0);
            out.append(p, static_cast<std::size_t>(end - p));
            return;
        }
    }
    char buffer[64];
    const int len = std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    const std::size_t start = out.size();
    out.append(buffer, len > 0 ? static_cast<std::size_t>(len) : 0);
    if (decimalSeparator != '.')
        for (std::size_t i = start; i < out.size(); ++i)
            if (out[i] == '.') out[i] = decimalSeparator;
}

std::string generalAmountText(Montant value, char decimalSeparator) {
    std::string text;
    appendGeneralAmountText(text, value, decimalSeparator);
    return text;
}

}  // namespace varnelle
