#include "core/model/amount.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(Amount, HundredthsRoundHalfToEvenAndRefuseWhatDoesNotFit) {
    struct Case {
        Montant value;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {0.1L, 10},
        {0.125L, 12},
        {0.375L, 38},
        {-0.125L, -12},
        {-600.0L, -60000},
        {kMontantMax, 2147483647},
        {kMontantMin, -2147483647 - 1},
        {21474836.48L, std::nullopt},
        {-21474836.49L, std::nullopt},
        {std::numeric_limits<Montant>::quiet_NaN(), std::nullopt},
        {std::numeric_limits<Montant>::infinity(), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(toHundredths(c.value), c.expected) << (double)c.value;
}

TEST(Amount, TwoDecimalText) {
    EXPECT_EQ(formatAmount(0), "0.00");
    EXPECT_EQ(formatAmount(fromHundredths(-60000)), "-600.00");
    EXPECT_EQ(formatAmount(fromHundredths(-1)), "-0.01");
    EXPECT_EQ(formatAmount(-0.001L), "0.00");
    EXPECT_EQ(formatAmount(-0.0L), "0.00");
    EXPECT_EQ(formatAmount(fromHundredths(123450), ','), "1234,50");
    // A sum of amounts carries tiny errors that must not show.
    EXPECT_EQ(formatAmount(fromHundredths(10) + fromHundredths(20) - fromHundredths(30)), "0.00");
    // The bare format keeps the sign, and the program's separator.
    EXPECT_EQ(formatDeuxDecimales(1400, ','), "1400,00");
    EXPECT_EQ(formatDeuxDecimales(1.0L / 12), "0.08");
    EXPECT_EQ(formatDeuxDecimales(-0.001L, ','), "-0,00");
}

// Running sums of random amounts, halves and huge values: the text is always the C
// library's, less the sign of a zero.
TEST(Amount, TwoDecimalTextIsTheLibrarysOnAnySum) {
    std::mt19937_64 random(7);
    Montant sum = 0;
    std::vector<Montant> values = {
        0.005L, -0.015L, 0.125L, 2.675L, 1e11L + 0.005L, 3e15L, -7e13L,
        // exact half hundredths, and both sides of 2^40
        0.375L, -0.125L, 1e9L + 0.625L, 1099511627775.995L, 1099511627776.0L, 1e-30L,
        std::numeric_limits<Montant>::denorm_min(), -std::numeric_limits<Montant>::infinity()};
    for (int i = 0; i < 20000; ++i) {
        sum += fromHundredths(static_cast<std::int32_t>(random() % 2000001) - 1000000);
        values.push_back(sum);
        values.push_back(sum / 3);
    }
    for (const Montant value : values) {
        std::string expected = formatDeuxDecimales(value);
        if (expected == "-0.00") expected = "0.00";
        ASSERT_EQ(formatAmount(value), expected) << static_cast<double>(value);
    }
}

std::string reference(Montant value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    return buffer;
}

TEST(Amount, GeneralTextIsTheShortestFifteenDigitTextOfWhatTheFileHolds) {
    EXPECT_EQ(generalAmountText(fromHundredths(1250), ','), "12,5");
    EXPECT_EQ(generalAmountText(fromHundredths(4000)), "40");
    EXPECT_EQ(generalAmountText(fromHundredths(-300)), "-3");
    EXPECT_EQ(generalAmountText(fromHundredths(7)), "0.07");
    EXPECT_EQ(generalAmountText(0.0L), "0");
    EXPECT_EQ(generalAmountText(-0.0L), "-0");
    // Values that are not exact products of hundredths take the general road.
    for (const Montant value : {0.1L, 1.0L / 3.0L, 1e20L, -2.5e-7L, 123456789.125L})
        EXPECT_EQ(generalAmountText(value), reference(value)) << (double)value;

    std::mt19937 random(11);
    std::uniform_int_distribution<std::int32_t> any(std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max());
    for (int i = 0; i < 100000; ++i) {
        // Every count of hundredths also comes back whole from its amount.
        const std::int32_t n = i < 3000 ? i - 1500 : any(random);
        ASSERT_EQ(toHundredths(fromHundredths(n)), n);
        ASSERT_EQ(generalAmountText(fromHundredths(n)), reference(fromHundredths(n))) << n;
    }
}

TEST(Amount, TypedAmountsTakeEitherSeparatorAndOnlyWhatTheFileHolds) {
    const struct {
        const char* text;
        std::optional<std::int32_t> hundredths;
    } cases[] = {
        {"12,5", 1250},
        {" -0.07 ", -7},
        {"+3", 300},
        {",5", 50},
        {"1234.", 123400},
        {"21474836.47", 2147483647},
        {"-21474836.48", std::numeric_limits<std::int32_t>::min()},
        {"21474836.48", {}},
        {"-", {}},
        {"12a", {}},
    };
    for (const auto& c : cases) {
        const std::optional<Montant> parsed = parseAmount(c.text);
        ASSERT_EQ(parsed.has_value(), c.hundredths.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(toHundredths(*parsed), c.hundredths) << c.text;
        }
    }
}

TEST(Amount, TypedNumbersHaveNoRangeAndWholeNumbersFitIn32Bits) {
    const std::string longueFraction = "0," + std::string(6000, '3');
    const struct {
        std::string text;
        std::optional<long double> nombre;
        std::optional<std::int32_t> entier;
    } cases[] = {
        {" 42 ", 42, 42},
        {"-7", -7, -7},
        {"+0", 0, 0},
        {"12,5", 12.5L, {}},
        {"-.25", -0.25L, {}},
        {"2147483647", 2147483647, 2147483647},
        {"-2147483648", -2147483648.0L, std::numeric_limits<std::int32_t>::min()},
        {"2147483648", 2147483648.0L, {}},
        {"-2147483649", -2147483649.0L, {}},
        // Beyond what the file holds as an amount, still a number.
        {"100000000000000000000", 1e20L, {}},
        // Thousands of decimals are read, not turned into inf / inf.
        {longueFraction, 1.0L / 3, {}},
        {std::string(6000, '9'), {}, {}},
        {"", {}, {}},
        {" - ", {}, {}},
        {"1.2.3", {}, {}},
        {"1 000", {}, {}},
        {"1e3", {}, {}},
        {"0x10", {}, {}},
    };
    for (const auto& c : cases) {
        const std::optional<long double> nombre = parseNombre(c.text);
        ASSERT_EQ(nombre.has_value(), c.nombre.has_value()) << c.text.substr(0, 20);
        if (nombre) {
            EXPECT_LE(std::fabs(*nombre - *c.nombre), 1e-18L * std::fabs(*c.nombre))
                << c.text.substr(0, 20);
        }
        EXPECT_EQ(parseEntier(c.text), c.entier) << c.text.substr(0, 20);
    }
}

}  // namespace
}  // namespace varnelle
