#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "support/numbertextreference.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace spritlog;

namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

using test::ReferenceNumberToText;

double RandomDouble(std::mt19937_64& random, int minPower, int maxPower) {
    std::uniform_real_distribution<double> leading(1.0, 10.0);
    std::uniform_int_distribution<int> power(minPower, maxPower);
    double value = leading(random) * std::pow(10.0, power(random));
    return random() % 4 == 0 ? -value : value;
}

// ---------------------------------------------------------------------------------------

struct NumberToTextCase {
    double value;
    int decimals;
    const char* expected;
};

TEST(NumberToText, WritesTheRoundedMagnitudeRightAligned) {
    const NumberToTextCase cases[] = {
        {0.0, 2, " 0.00"},
        {7.5, 2, " 7.50"},
        {12.5, 2, "12.50"},
        {1234.5, 2, "1234.50"},
        {-1.5, 2, "-1.50"},
        {3.0, 4, "3.0000"},
        {12.6, 0, "   13"},
        {0.125, 2, " 0.13"},
        {2.5, 0, "    3"},
        {0.5, 0, "    1"},
        {1.5, 0, "    2"},
        {-2.5, 0, "   -3"},
        // The double of 12.345 lies just above the tie; 1.005 and 2.675 just below it.
        {12.345, 2, "12.35"},
        {1.005, 2, " 1.00"},
        {2.675, 2, " 2.67"},
        // 17 decimal places turn this one into a tie.
        {0.004999999999999999, 2, " 0.01"},
        {0.00499999999999999, 2, " 0.00"},
        {12345.00065, 4, "12345.0007"},
        // Negative values keep their sign even when they round to zero; -0.0 is not negative.
        {-0.001, 2, "-0.00"},
        {-0.0, 2, " 0.00"},
        {-0.004, 0, "   -0"},
        {-0.0, 0, "    0"},
        // Carries through every digit.
        {9.995000000000001, 2, "10.00"},
        {99.995, 2, "100.00"},
        {999.9999, 2, "1000.00"},
        {0.99999, 4, "1.0000"},
        // Tiny values and subnormals.
        {1e-300, 2, " 0.00"},
        {5e-324, 4, "0.0000"},
        {-5e-324, 2, "-0.00"},
        // Large values: 18 significant digits, then zeros.
        {1e15, 2, "1000000000000000.00"},
        {2147483647.0, 2, "2147483647.00"},
        {123456789.005, 2, "123456789.00"}, // 123456789.00499999523...
        {123456789.015, 2, "123456789.02"}, // 123456789.01500000059...
        {2251799813685248.5, 0, "2251799813685249"},
        {9007199254740993.0, 2, "9007199254740992.00"},
        {1e20, 0, "100000000000000000000"},
        {1.5e-5, 4, "0.0000"},
        {0.00015, 4, "0.0002"}, // 0.000149999999999999986... is a tie at 17 places
        {2.00005, 4, "2.0000"}, // 2.0000499999999998834...
        {-2.00005, 4, "-2.0000"},
        {7.0, 1, "  7.0"},
        {123.456, 3, "123.456"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value, c.decimals), c.expected)
            << "value " << c.value << ", " << c.decimals << " decimals";
    }
}

TEST(NumberToText, WritesEveryDigitOfHugeValues) {
    const std::string text = NumberToText(1e300, 2);
    // 301 integer digits: the 18 significant ones of the double, then zeros.
    EXPECT_EQ(text, "100000000000000005" + std::string(283, '0') + ".00");
    const std::string largest = NumberToText(-std::numeric_limits<double>::max(), 0);
    EXPECT_EQ(largest, "-179769313486231571" + std::string(291, '0'));
    EXPECT_EQ(NumberToText(1e300, 2), ReferenceNumberToText(1e300, 2));
}

TEST(NumberToText, DoesNotFailOnValuesTheArithmeticNeverProduces) {
    const double values[] = {std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (double value : values) {
        const std::string text = NumberToText(value, 2);
        EXPECT_GE(text.size(), 5u);
        EXPECT_EQ(text.find_first_of("0123456789"), std::string::npos) << text;
    }
    EXPECT_EQ(NumberToText(1.5, -1), "    2");
}

TEST(NumberToText, AgreesWithAnExactDecimalReference) {
    std::mt19937_64 random(20240611);
    const int decimalChoices[] = {0, 1, 2, 3, 4, 6};
    auto check = [](double value, int decimals) {
        ASSERT_EQ(NumberToText(value, decimals), ReferenceNumberToText(value, decimals))
            << "value " << value << " (" << std::hexfloat << value << std::defaultfloat << "), "
            << decimals << " decimals";
    };
    for (int i = 0; i < 4000; ++i) {
        const int decimals = decimalChoices[random() % 6];
        check(RandomDouble(random, -8, 22), decimals);
    }
    // Any bit pattern that is a finite double.
    for (int i = 0; i < 1000; ++i) {
        uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            check(value, decimalChoices[random() % 6]);
    }
    // Around ties: (k + 0.5) * 10^-d and its neighbours.
    for (int i = 0; i < 4000; ++i) {
        const int decimals = decimalChoices[random() % 6];
        const double scale = std::pow(10.0, decimals);
        const auto k = static_cast<double>(random() % (i < 2000 ? 1000 : 100000000));
        const double tie = (k + 0.5) / scale;
        check(tie, decimals);
        check(-tie, decimals);
        check(std::nextafter(tie, 0.0), decimals);
        check(std::nextafter(tie, 1e300), decimals);
    }
}

TEST(NumberToText, TextReadsBackToTheRoundedValue) {
    std::mt19937_64 random(77);
    const int decimalChoices[] = {0, 2, 4};
    for (int i = 0; i < 5000; ++i) {
        const int decimals = decimalChoices[random() % 3];
        const double value = RandomDouble(random, -6, 12);
        const std::string text = NumberToText(value, decimals);
        const double back = TextToNumber(text);
        // Within half a unit of the last place (plus the double's own rounding) ...
        const double unit = std::pow(10.0, -decimals);
        EXPECT_LE(std::fabs(back - value), unit / 2 + std::fabs(value) * 1e-15)
            << text << " from " << value;
        // ... and written again it gives the same text (zero loses its sign).
        if (back == 0.0) {
            EXPECT_EQ(text.find_first_not_of(" -0."), std::string::npos) << text;
        } else {
            EXPECT_EQ(NumberToText(back, decimals), text) << "from " << value;
        }
    }
}

// ---------------------------------------------------------------------------------------

struct TextToNumberCase {
    std::string text;
    double expected;
};

TEST(TextToNumber, ReadsExactlyTheNumberGrammar) {
    const TextToNumberCase cases[] = {
        {"1.5", 1.5},
        {" 7.50", 7.5},
        {"    3", 3.0},
        {"1e3", 1000.0},
        {"1E3", 1000.0},
        {"1e+3", 1000.0},
        {"15e-1", 1.5},
        {"-.5", -0.5},
        {"+.5", 0.5},
        {".5", 0.5},
        {"5.", 5.0},
        {"5.e1", 50.0},
        {".5e1", 5.0},
        {"+7", 7.0},
        {"-1.50", -1.5},
        {"007.25", 7.25},
        {"  -12345.0007", -12345.0007},
        {"0.1", 0.1},
        {"1e-5", 1e-5},
        {"17976931348623157" + std::string(292, '0'), std::numeric_limits<double>::max()},
        {"17976931348623159" + std::string(292, '0'), 0.0},
        {"0." + std::string(399, '0') + "1e300", 1e-100},
        {"4e-320", 4e-320},
        {"-4e-320", -4e-320},
        {"1e-400", 0.0},
        {"0e999999999999", 0.0},
        // Malformed: 0.
        {"", 0.0},
        {"   ", 0.0},
        {"1,5", 0.0},
        {"7.50 ", 0.0},
        {"\t1", 0.0},
        {"1\t", 0.0},
        {"Liter", 0.0},
        {"7.5 l", 0.0},
        {".", 0.0},
        {"-.", 0.0},
        {"+", 0.0},
        {"-", 0.0},
        {"1.2.3", 0.0},
        {"1e", 0.0},
        {"1e+", 0.0},
        {"e5", 0.0},
        {".e5", 0.0},
        {"1e5.0", 0.0},
        {"1e 5", 0.0},
        {"- 1", 0.0},
        {"+-1", 0.0},
        {"--1", 0.0},
        {"1-", 0.0},
        {"inf", 0.0},
        {"-infinity", 0.0},
        {"nan", 0.0},
        {"0x10", 0.0},
        {"0x1p3", 0.0},
        {"1d3", 0.0},
        {"\xA0"
         "1",
         0.0},
        {"1e309", 0.0},
        {"-1e309", 0.0},
        {"1e99999999999999999999", 0.0},
        {"1.8e308", 0.0},
    };
    for (const auto& c : cases) {
        const double value = TextToNumber(c.text);
        EXPECT_TRUE(SameBits(value, c.expected))
            << "'" << c.text << "' gives " << value << ", expected " << c.expected;
    }
}

TEST(TextToNumber, KeepsTheSignOfZeroAndUnderflow) {
    const TextToNumberCase cases[] = {
        {"-0", -0.0},
        {"-0.000", -0.0},
        {"0", 0.0},
        {"-1e-400", -0.0},
        {"1e-400", 0.0},
        {"-0e5", -0.0},
        {"-2e-324", -0.0},
        {"3e-324", 5e-324},
        {"-3e-324", -5e-324},
        {"0." + std::string(399, '0') + "1e70", 0.0},
        {"-0." + std::string(399, '0') + "1e70", -0.0},
        {"-123456789012345678901234567890e-350", -1.23456789012345678901234567890e-321},
        {"-123456789012345678901234567890e-400", -0.0},
        {"0.00000000001e-320", 0.0},
        {"100000000000e-330", 1e-319},
        {"0.001e311", 1e308},
    };
    for (const auto& c : cases) {
        const double value = TextToNumber(c.text);
        EXPECT_TRUE(SameBits(value, c.expected))
            << "'" << c.text << "' gives " << value << ", expected " << c.expected;
    }
}

// Whether a text is a number at all, as TryTextToNumber reads it; the long texts go past the
// point where only the value tells.
TEST(TextToNumber, IsNumberText) {
    const std::pair<std::string, bool> cases[] = {
        {"1.5", true},
        {" 7.50", true},
        {"5.", true},
        {".5", true},
        {"-0", true},
        {"1e3", true},
        {"1e-400", true},
        {"0." + std::string(399, '0') + "1", true},
        {std::string(400, '0') + "1", true},
        {"17976931348623157" + std::string(292, '0'), true},
        {"17976931348623159" + std::string(292, '0'), false},
        {"1e309", false},
        {"1.8e308", false},
        {"", false},
        {"   ", false},
        {"7.50 ", false},
        {"1,5", false},
        {"4o", false},
        {".", false},
        {"1e", false},
        {"1.2.3", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsNumberText(text), expected) << "'" << text << "'";
}

// glibc's strtod in the C locale rounds correctly; it serves as the reference for random
// well-formed texts.
TEST(TextToNumber, AgreesWithACorrectlyRoundingReference) {
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    ASSERT_NE(c, static_cast<locale_t>(0));
    std::mt19937_64 random(4242);
    auto digits = [&](int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += static_cast<char>('0' + random() % 10);
        return out;
    };
    for (int i = 0; i < 20000; ++i) {
        std::string body;
        const int integerCount = static_cast<int>(random() % 22);
        const int fractionCount = static_cast<int>(random() % 22);
        const bool point = random() % 2 == 0;
        if (integerCount + fractionCount == 0)
            continue;
        body += digits(integerCount);
        if (point || integerCount == 0)
            body += "." + digits(fractionCount);
        if (random() % 2 == 0) {
            body += random() % 2 ? "e" : "E";
            const int sign = static_cast<int>(random() % 3);
            body += sign == 0 ? "" : (sign == 1 ? "+" : "-");
            body += digits(1 + static_cast<int>(random() % 3));
        }
        const int sign = static_cast<int>(random() % 3);
        std::string text =
            std::string(random() % 3, ' ') + (sign == 0 ? "" : (sign == 1 ? "+" : "-")) + body;
        double expected = strtod_l(text.c_str(), nullptr, c);
        if (std::isinf(expected))
            expected = 0.0;
        const double value = TextToNumber(text);
        ASSERT_TRUE(SameBits(value, expected))
            << "'" << text << "' gives " << value << ", expected " << expected;
    }
    freelocale(c);
}

TEST(TextToNumber, DoesNotDependOnTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(TextToNumber("1.5"), 1.5);
    EXPECT_EQ(TextToNumber("1,5"), 0.0);
    EXPECT_EQ(NumberToText(1.5, 2), " 1.50");
    EXPECT_EQ(NumberToText(1234567.25, 2), "1234567.25");
    std::setlocale(LC_ALL, previous.c_str());
}

// ---------------------------------------------------------------------------------------

struct IntegerCase {
    std::string text;
    bool valid;
    int32_t expected;
};

TEST(TextToInteger, AcceptsDecimalAndHexadecimalTexts) {
    const IntegerCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"   42", true, 42},
        {"+42", true, 42},
        {"-42", true, -42},
        {"-0", true, 0},
        {"0000000000000000000000000000042", true, 42},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, std::numeric_limits<int32_t>::min()},
        {"$10", true, 16},
        {"$ff", true, 255},
        {"$FF", true, 255},
        {"x1A", true, 26},
        {"X1a", true, 26},
        {"0x10", true, 16},
        {"0X10", true, 16},
        {"  0xdeAD", true, 0xDEAD},
        {"$7FFFFFFF", true, 2147483647},
        {"$000000007FFFFFFF", true, 2147483647},
        {"0x0", true, 0},
        // Errors.
        {"", false, 0},
        {" ", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"x", false, 0},
        {"0x", false, 0},
        {"0X", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"4000000000", false, 0},
        {"99999999999999999999", false, 0},
        {std::string(100, '9'), false, 0},
        {"-" + std::string(100, '9'), false, 0},
        {"$80000000", false, 0},
        {"$FFFFFFFF", false, 0},
        {"0x100000000", false, 0},
        {"$" + std::string(100, 'F'), false, 0},
        {"-0x10", false, 0},
        {"+$10", false, 0},
        {"-$10", false, 0},
        {"$-10", false, 0},
        {"0x-1", false, 0},
        {"$1g", false, 0},
        {"12 ", false, 0},
        {"\t12", false, 0},
        {"1.5", false, 0},
        {"1e3", false, 0},
        {"1,000", false, 0},
        {"- 1", false, 0},
        {"0b101", false, 0},
        {"0xx1", false, 0},
        {"00x1", false, 0},
        {"x$1", false, 0},
        {"abc", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(TryTextToInteger(c.text, value), c.valid) << "'" << c.text << "'";
        if (c.valid) {
            EXPECT_EQ(value, c.expected) << "'" << c.text << "'";
            EXPECT_EQ(TextToInteger(c.text), c.expected) << "'" << c.text << "'";
        } else {
            try {
                TextToInteger(c.text);
                ADD_FAILURE() << "'" << c.text << "' was accepted";
            } catch (const Error& error) {
                // A control character shows as its escape; other texts as they are.
                const std::string shown = c.text == "\t12" ? "\\t12" : c.text;
                EXPECT_EQ(std::string(error.what()), "'" + shown + "' ist keine ganze Zahl");
            }
        }
    }
}

TEST(TextToInteger, ReadsBackEveryWrittenValue) {
    std::mt19937_64 random(9);
    for (int i = 0; i < 5000; ++i) {
        const auto value = static_cast<int32_t>(static_cast<uint32_t>(random()));
        EXPECT_EQ(TextToInteger(IntegerToText(value)), value);
        if (value >= 0) {
            char hex[16];
            const auto end = std::to_chars(hex, hex + sizeof hex, value, 16).ptr;
            const std::string prefixes[] = {"$", "x", "X", "0x", "0X"};
            EXPECT_EQ(TextToInteger(prefixes[i % 5] + std::string(hex, end)), value);
        }
    }
}

TEST(IntegerToText, WritesPlainDecimal) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {-7, "-7"},
        {4000000000, "4000000000"},
        {-2147483648LL, "-2147483648"},
        {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(IntegerToText(value), expected);
    // An exact distance beyond 32 bits is written, and refused when read back as integer.
    EXPECT_THROW(TextToInteger(IntegerToText(4000000000)), Error);
}

// ---------------------------------------------------------------------------------------

TEST(MinMaxValue, ReturnTheSecondArgumentUnlessTheFirstIsStrictlyBetter) {
    EXPECT_EQ(MinValue(1.0, 2.0), 1.0);
    EXPECT_EQ(MinValue(2.0, 1.0), 1.0);
    EXPECT_EQ(MaxValue(1.0, 2.0), 2.0);
    EXPECT_EQ(MaxValue(2.0, 1.0), 2.0);
    EXPECT_TRUE(SameBits(MinValue(0.0, -0.0), -0.0));
    EXPECT_TRUE(SameBits(MinValue(-0.0, 0.0), 0.0));
    EXPECT_TRUE(SameBits(MaxValue(-0.0, 0.0), 0.0));
    EXPECT_TRUE(SameBits(MaxValue(0.0, -0.0), -0.0));
}

TEST(FormatByteSize, StepsByStrictlyMoreThan1024) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, " 0.00 Byte"},
        {1, " 1.00 Byte"},
        {1024, "1024.00 Byte"},
        {1025, " 1.00 Kb"},
        {1536, " 1.50 Kb"},
        {1048576, "1024.00 Kb"},
        {1048577, " 1.00 Mb"},
        {5 * 1048576LL + 524288, " 5.50 Mb"},
        {1073741824LL, "1024.00 Mb"},
        {1073741825LL, " 1.00 Gb"},
        {1099511627776LL, "1024.00 Gb"},
        {1099511627777LL, "Wert zu gro\xDF"},
        {std::numeric_limits<int64_t>::max(), "Wert zu gro\xDF"},
        {-5, "-5.00 Byte"},
    };
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(FormatByteSize(size), expected) << size;
}

TEST(GroupThousands, InsertsPointsCountedFromTheRight) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"1", "1"},
        {"999", "999"},
        {"1234", "1.234"},
        {"100000", "100.000"},
        {"123456", "123.456"},
        {"1234567", "1.234.567"},
        {"-123456", "-.123.456"},
        {"-1234", "-1.234"},
        {"-123", "-.123"},
        {"-12", "-12"},
        // The length counts modulo 256.
        {std::string(256, '1'), std::string(256, '1')},
        {std::string(258, '1'), std::string(258, '1')},
        {std::string(259, '1'), std::string(259, '1')},
        {std::string(260, '1'), "1." + std::string(259, '1')},
        {std::string(255, '1'),
         [] {
             std::string s;
             for (int i = 0; i < 85; ++i)
                 s += (i ? "." : "") + std::string("111");
             return s;
         }()},
    };
    for (const auto& [digits, expected] : cases)
        EXPECT_EQ(GroupThousands(digits), expected) << digits;
}

TEST(PadRight, FillsWithBlanksAndNeverCuts) {
    struct Case {
        std::string text;
        int width;
        std::string expected;
    };
    const Case cases[] = {
        {"", 3, "   "},
        {"ab", 5, "ab   "},
        {"abcde", 5, "abcde"},
        {std::string(25, 'x'), 20, std::string(25, 'x')},
        {"a", 255, "a" + std::string(254, ' ')},
        {"a", 1, "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadRight(c.text, c.width), c.expected) << c.text << " / " << c.width;
}

TEST(ShortenPath, KeepsTheTailFromADirectorySeparator) {
    struct Case {
        std::string path;
        int n;
        std::string expected;
    };
    const std::string noSeparator = "x" + std::string(30, 'a');
    const Case cases[] = {
        {"D:\\Daten\\Fahrzeuge\\Kombi\\Logbuch 2004.slg", 30, "...\\Kombi\\Logbuch 2004.slg"},
        {"/home/anna/Fahrzeuge/Kombi/Logbuch 2004.slg", 30, ".../Kombi/Logbuch 2004.slg"},
        {"D:\\Daten/Kombi\\x.slg", 10, "...\\x.slg"},
        {"C:\\kurz.slg", 30, "C:\\kurz.slg"},
        {std::string(30, 'a'), 30, std::string(30, 'a')},
        {noSeparator, 30, "..." + std::string(30, 'a')},
        {"\\" + std::string(30, 'a'), 30, "..." + std::string(30, 'a')},
        // A separator as the first character of the tail is kept.
        {"ab\\cdef", 5, "...\\cdef"},
        {"abc\\def", 3, "...def"},
        {"", 30, ""},
    };
    for (const auto& c : cases) {
        const std::string shortened = ShortenPath(c.path, c.n);
        EXPECT_EQ(shortened, c.expected) << c.path;
        EXPECT_LE(shortened.size(), static_cast<std::size_t>(c.n) + 3);
    }
}

TEST(HasText, IsTrueForEveryNonEmptyText) {
    EXPECT_FALSE(HasText(""));
    EXPECT_TRUE(HasText(" "));
    EXPECT_TRUE(HasText("a"));
    EXPECT_TRUE(HasText(std::string(1, '\0')));
}

TEST(ReplaceExtension, ReplacesTheLastThreeCharacters) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"logbook.slg", "csv", "logbook.csv"},
        {"C:\\Daten\\Kombi.slg", "htm", "C:\\Daten\\Kombi.htm"},
        {"bericht.html", "csv", "bericht.hcsv"},
        {"bericht", "csv", "bericsv"},
        {"abc", "csv", "csv"},
        {"ab", "csv", "csv"},
        {"", "csv", "csv"},
        // File names are UTF-8: a character goes whole, however many bytes it takes.
        {"tankbuch.\xC3\xA4\xC3\xB6\xC3\xBC", "bak", "tankbuch.bak"},
        {"tankbuch.\xC3\xA4\xC3\xB6\xC3\xBC", "csv", "tankbuch.csv"},
        {"fahrten.s\xE2\x82\xAC\xF0\x9F\x9A\x97", "htm", "fahrten.htm"},
        {"\xC3\xA4\xC3\xB6", "csv", "csv"},
        // A byte that starts no valid character is one character of its own.
        {"log.\xC3\xA4\xA4x", "csv", "log.csv"},
        {"log.\xE2\x82x", "csv", "log.csv"},
        {"log.\xED\xA0\x80", "csv", "log.csv"},
    };
    for (const auto& [name, extension, expected] : cases)
        EXPECT_EQ(ReplaceExtension(name, extension), expected) << name;
}

} // namespace
