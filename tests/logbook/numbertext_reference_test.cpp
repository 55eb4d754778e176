// NumberToText against the exact reference of its rule, over the values a logbook is made
// of and the awkward ones around them. NumberToText decides most values from their
// shortest decimal and only the rest from the full expansion; both must give the rule's
// result everywhere.

#include "logbook/conventions.h"
#include "support/numbertextreference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// printf in the C locale, whatever the test runs under.
std::string FormatInCLocale(const char* format, double value) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const locale_t previous = uselocale(c);
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    uselocale(previous);
    return buffer;
}

using test::ReferenceNumberToText;

int Mismatches(const std::vector<double>& values, const std::vector<int>& decimalsList) {
    int mismatches = 0;
    for (const double value : values) {
        for (const int decimals : decimalsList) {
            const std::string got = NumberToText(value, decimals);
            const std::string want = ReferenceNumberToText(value, decimals);
            if (got != want && ++mismatches <= 10)
                ADD_FAILURE() << FormatInCLocale("%.17g", value) << " with " << decimals
                              << " decimals: got \"" << got << "\", want \"" << want << "\"";
        }
    }
    return mismatches;
}

TEST(NumberTextReferenceTest, ReferenceAgreesWithTheDocumentedExamples) {
    // The reference itself, on the examples that fix the rule.
    const struct {
        double value;
        int decimals;
        const char* text;
    } examples[] = {
        {0, 2, " 0.00"},
        {7.5, 2, " 7.50"},
        {12.5, 2, "12.50"},
        {1234.5, 2, "1234.50"},
        {-1.5, 2, "-1.50"},
        {3, 4, "3.0000"},
        {12.6, 0, "   13"},
        {0.125, 2, " 0.13"},
        {-0.001, 2, "-0.00"},
        {-0.0, 2, " 0.00"},
        {12.345, 2, "12.35"},
        {1.005, 2, " 1.00"},
        {2.675, 2, " 2.67"},
        {0.004999999999999999, 2, " 0.01"},
        {12345.00065, 4, "12345.0007"},
        {2.5, 0, "    3"},
    };
    for (const auto& example : examples) {
        EXPECT_EQ(ReferenceNumberToText(example.value, example.decimals), example.text)
            << example.value;
        EXPECT_EQ(NumberToText(example.value, example.decimals), example.text) << example.value;
    }
}

TEST(NumberTextReferenceTest, PricesLitresAndTheirTies) {
    std::vector<double> values;
    // Every price and litre amount with up to three decimals up to 60, and the ties of
    // two and four decimals around them.
    for (int k = 0; k <= 60000; ++k) {
        values.push_back(k / 1000.0);
        values.push_back(-k / 1000.0);
    }
    for (int k = 0; k <= 30000; ++k) {
        values.push_back((k + 0.5) / 100.0);
        values.push_back((k + 0.5) / 10000.0);
    }
    EXPECT_EQ(Mismatches(values, {0, 2, 4}), 0);
}

TEST(NumberTextReferenceTest, ComputedValuesAsTheProgramMakesThem) {
    // Consumption, costs and averages: products and quotients of typed values.
    std::mt19937 random(7);
    std::vector<double> values;
    for (int i = 0; i < 30000; ++i) {
        const double litres = static_cast<int>(random() % 9000) / 100.0;
        const double price = static_cast<int>(random() % 2500) / 1000.0;
        const int km = 1 + static_cast<int>(random() % 1500);
        values.push_back(litres * price);
        values.push_back(litres * 100.0 / km);
        values.push_back(std::round(litres * 100.0 / km * 100.0) / 100.0 * price);
        values.push_back((litres + price) / 3.0);
    }
    EXPECT_EQ(Mismatches(values, {2, 4}), 0);
}

TEST(NumberTextReferenceTest, CarriesPowersOfTenAndTheEdgesOfTheShortCut) {
    std::vector<double> values;
    for (int exponent = -6; exponent <= 16; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (const double factor : {1.0, 0.5, 0.95, 0.995, 0.9995, 0.99995, 0.999999, 1.005, 9.995,
                                    9.9995, 2.675, 1.0049999999, 0.125, 0.375})
            for (const double v : {power * factor, std::nextafter(power * factor, 0.0),
                                   std::nextafter(power * factor, 1e300)})
                for (const double sign : {1.0, -1.0})
                    values.push_back(sign * v);
    }
    // Just beside a boundary: a 5 followed by zeros or a 4 followed by nines, to every depth.
    for (int depth = 1; depth <= 17; ++depth) {
        const double step = std::pow(10.0, -depth);
        for (const double boundary : {1.235, 0.005, 47.115, 9.995, 123456.785, 0.00125})
            for (const double v : {boundary + step, boundary - step, boundary + 3 * step})
                values.push_back(v);
    }
    // Sixteen and seventeen significant digits, where the shortest decimal says too little.
    for (const double v :
         {0.1 + 0.2, 1.0 / 3.0, 2.0 / 3.0, 9.9999999999999982, 4.35 * 100.0, 1.15 * 3.0,
          8.675 * 1.0000000000000002, 1e-3, 1.0000000000000002e-3, 5e-3, 5.000000000000001e-3,
          4.999999999999999e-3, 9.999999999999999e12, 99999999999999.98, 1e15 + 0.5})
        values.push_back(v);
    EXPECT_EQ(Mismatches(values, {0, 1, 2, 3, 4, 6, 9, 13, 14, 17}), 0);
}

TEST(NumberTextReferenceTest, RandomDoublesOfEveryMagnitude) {
    std::mt19937_64 random(20261207);
    std::vector<double> values;
    while (values.size() < 40000) {
        const uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        // Keep the exponent moderate most of the time, so the short cut is tried often.
        if (!std::isfinite(value))
            continue;
        if (values.size() % 4 != 0) {
            int exponent = 0;
            const double mantissa = std::frexp(value, &exponent);
            value = std::ldexp(mantissa, static_cast<int>(random() % 60) - 12);
        }
        values.push_back(value);
    }
    EXPECT_EQ(Mismatches(values, {2, 4}), 0);
}

} // namespace
} // namespace spritlog
