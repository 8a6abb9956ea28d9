#include "core/model/amount.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

namespace varnelle {
namespace {

// Two digits of 0..99 written backwards before `p`, at once: amounts are long, and a division
// by 100 halves the divisions by 10.
char* ecritDeuxChiffres(char* p, unsigned deux) {
    static constexpr char kPaires[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    p -= 2;
    std::memcpy(p, kPaires + 2 * static_cast<std::size_t>(deux), 2);
    return p;
}

// The whole part of an amount and its sign, written backwards before `p`; answers where they
// begin.
char* ecritEntierARebours(char* p, std::uint64_t entier, bool negatif) {
    while (entier >= 100) {
        p = ecritDeuxChiffres(p, static_cast<unsigned>(entier % 100));
        entier /= 100;
    }
    if (entier >= 10)
        p = ecritDeuxChiffres(p, static_cast<unsigned>(entier));
    else
        *--p = static_cast<char>('0' + entier);
    if (negatif) *--p = '-';
    return p;
}

// The count of hundredths nearest to `value`, ties to the even count, as the C library rounds
// "%.2Lf": worked out exactly from the value's bits, with no rounding of a product on the way
// and no call. Empty from 2^40 on, and for what is not a number.
std::optional<std::int64_t> centiemesLesPlusProches(long double value) {
    static_assert(std::numeric_limits<long double>::radix == 2 &&
                      std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
                  "an 80-bit extended long double: 64 bits of mantissa, then sign and exponent");
    std::uint64_t mantisse = 0;
    std::uint16_t signeExposant = 0;
    std::memcpy(&mantisse, &value, sizeof mantisse);
    std::memcpy(&signeExposant, reinterpret_cast<const char*>(&value) + 8, sizeof signeExposant);
    const int exposant = (signeExposant & 0x7FFF) - 16383;
    if (exposant >= 40) return std::nullopt;
    // value = mantisse * 2^(exposant - 63); the hundredths are that times 100, shifted right.
    const int decalage = 63 - exposant;
    if (decalage >= 72 || (signeExposant & 0x7FFF) == 0) return 0;  // under half a hundredth
    __extension__ using Entier128 = unsigned __int128;
    const Entier128 produit = static_cast<Entier128>(mantisse) * 100;
    auto centiemes = static_cast<std::uint64_t>(produit >> decalage);
    const Entier128 reste = produit & ((static_cast<Entier128>(1) << decalage) - 1);
    const Entier128 moitie = static_cast<Entier128>(1) << (decalage - 1);
    if (reste > moitie || (reste == moitie && (centiemes & 1) != 0)) ++centiemes;
    const auto n = static_cast<std::int64_t>(centiemes);
    return (signeExposant & 0x8000) != 0 ? -n : n;
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

char* writeShortAmountBefore(char* end, Montant value, char decimalSeparator) {
    const std::optional<std::int64_t> n = centiemesLesPlusProches(value);
    if (!n) return nullptr;
    const std::uint64_t magnitude =
        *n < 0 ? static_cast<std::uint64_t>(-*n) : static_cast<std::uint64_t>(*n);
    char* p = ecritDeuxChiffres(end, static_cast<unsigned>(magnitude % 100));
    *--p = decimalSeparator;
    return ecritEntierARebours(p, magnitude / 100, *n < 0);
}

void appendAmount(std::string& out, Montant value, char decimalSeparator) {
    char buffer[kRoomShortAmount];
    char* const end = buffer + sizeof buffer;
    if (const char* p = writeShortAmountBefore(end, value, decimalSeparator)) {
        out.append(p, static_cast<std::size_t>(end - p));
        return;
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
