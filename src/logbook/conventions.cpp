#include "conventions.h"

#include "errors.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace spritlog {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::size_t SkipBlanks(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

// The decimal expansion used for the rounding decision: `digits` without a point, the
// first `integerDigits` of them before it.
struct DecimalDigits {
    std::string digits;
    std::ptrdiff_t integerDigits = 0;
};

// The magnitude rounded to nearest to 17 decimal places below 10, to 18 significant digits
// from 10 on. std::to_chars gives these exactly, whatever the locale.
DecimalDigits DecisionDigits(double magnitude) {
    char buffer[64];
    DecimalDigits result;
    if (magnitude < 10.0) {
        auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 17);
        (void)ec;
        for (const char* p = buffer; p != end; ++p) {
            if (*p == '.')
                result.integerDigits = p - buffer;
            else
                result.digits += *p;
        }
        return result;
    }
    // "d.ddddddddddddddddde+XXX"
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17);
    (void)ec;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            result.digits += *p;
    }
    int exponent = 0;
    if (p != end) {
        ++p;
        if (p != end && *p == '+')
            ++p;
        std::from_chars(p, end, exponent);
    }
    result.integerDigits = static_cast<std::ptrdiff_t>(exponent) + 1;
    return result;
}

// Overflow and underflow are the only range errors of the conversion; which of the two it
// was follows from the power of ten of the leading non-zero digit.
bool TextIsTiny(std::string_view mantissa, std::string_view exponentDigits, bool negativeExponent) {
    const std::size_t point = mantissa.find('.');
    const long long integerDigits =
        static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
    long long index = 0;
    long long leading = 0;
    bool found = false;
    for (char c : mantissa) {
        if (c == '.')
            continue;
        if (c != '0') {
            leading = integerDigits - 1 - index;
            found = true;
            break;
        }
        ++index;
    }
    if (!found)
        return true;
    long long exponent = 0;
    for (char c : exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1000000000000LL)
            break;
    }
    if (negativeExponent)
        exponent = -exponent;
    return leading + exponent < 0;
}

// The common case without the full expansion, exact all the same. Let S be the shortest
// decimal that reads back as the magnitude V, and R the expansion the rule rounds (V to 17
// places, or to 18 digits from 10 on). Both lie within half a unit in the last place of V
// of it, so |R - S| < 1.2e-16 * max(V, 10). The rounding at `decimals` places depends only
// on which side of the boundary h (a 5 right after the kept places) the value lies. When
// S's digits after the kept ones do not begin with 5 and M zeros or 4 and M nines, S is
// farther than 10^-(M+1) * 10^-decimals from h, and M is chosen so that this exceeds the
// bound above: S and R then round alike. The rest (12.345, 1.005, 0.004999999999999999,
// very large values, many decimals) goes through the full expansion.
bool ShortNumberText(double magnitude, bool negative, int decimals, std::string& text) {
    if (decimals > 13)
        return false;
    char buffer[40];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    if (ec != std::errc())
        return false;
    // "d.ddde+XX"
    char digits[24];
    int count = 0;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.' && count < 24)
            digits[count++] = *p;
    }
    if (p == end)
        return false;
    ++p;
    const bool negativeExponent = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    int exponent = 0;
    for (; p != end; ++p)
        exponent = exponent * 10 + (*p - '0');
    if (negativeExponent)
        exponent = -exponent;
    // The digits after the deciding one that must not all be 0 (after a 5) or 9 (after a 4).
    const int margin = 12 - std::max(exponent, 1) - decimals;
    if (margin < 1)
        return false;

    // Digits of the result: the integer part (at least one digit) and the decimals.
    const int integerDigits = exponent >= 0 ? exponent + 1 : 1;
    const int total = integerDigits + decimals;
    // Index into `digits` of the deciding digit, the first one not kept.
    const int kept = exponent + 1 + decimals;
    if (kept >= 0 && kept < count && (digits[kept] == '5' || digits[kept] == '4')) {
        const char filler = digits[kept] == '5' ? '0' : '9';
        bool nearBoundary = true;
        for (int i = kept + 1; i <= kept + margin && nearBoundary; ++i) {
            // Digits past the shortest decimal's end are zeros.
            const char digit = i < count ? digits[i] : '0';
            nearBoundary = digit == filler;
        }
        if (nearBoundary)
            return false;
    }
    char out[32];
    for (int i = 0; i < total; ++i)
        out[i] = '0';
    for (int j = 0; j < count && j < kept; ++j)
        out[integerDigits - 1 - (exponent - j)] = digits[j];
    int first = 0;
    if (kept >= 0 && kept < count && digits[kept] >= '5') {
        int i = total - 1;
        while (i >= 0 && out[i] == '9')
            out[i--] = '0';
        if (i >= 0) {
            ++out[i];
        } else {
            // 9.995 and the like: one more integer digit.
            text.push_back(negative ? '-' : '1');
            if (negative)
                text.push_back('1');
            first = -1;
        }
    }
    if (first == 0) {
        while (first < integerDigits - 1 && out[first] == '0')
            ++first;
        if (negative)
            text.push_back('-');
    }
    text.append(out + (first < 0 ? 0 : first), out + integerDigits);
    if (decimals > 0) {
        text.push_back('.');
        text.append(out + integerDigits, out + total);
    }
    return true;
}

} // namespace

double TextToNumber(std::string_view text) {
    std::size_t pos = SkipBlanks(text);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t mantissaStart = pos;
    std::size_t digitCount = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
        ++digitCount;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++digitCount;
        }
    }
    if (digitCount == 0)
        return 0.0;
    const std::size_t mantissaEnd = pos;
    std::size_t exponentStart = pos;
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        exponentStart = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        if (pos == exponentStart)
            return 0.0;
    }
    if (pos != text.size())
        return 0.0;

    // from_chars takes no "+" sign; the sign is applied afterwards (so "-0" stays -0.0).
    double value = 0.0;
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Underflow rounds to zero; overflow is no number at all.
        if (!TextIsTiny(text.substr(mantissaStart, mantissaEnd - mantissaStart),
                        text.substr(exponentStart, pos - exponentStart), negativeExponent))
            return 0.0;
        value = 0.0;
    } else if (ec != std::errc() || end != last) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string NumberToText(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    std::string text;
    if (std::isfinite(value) && ShortNumberText(std::fabs(value), value < 0, decimals, text)) {
        // Decided by the shortest decimal.
    } else if (!std::isfinite(value)) {
        // Never produced by the program (the arithmetic traps first); written readably anyway.
        text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    } else {
        DecimalDigits expansion = DecisionDigits(std::fabs(value));
        std::string& digits = expansion.digits;
        // Bring the point inside the digit string, with at least one integer digit.
        if (expansion.integerDigits <= 0) {
            digits.insert(0, static_cast<std::size_t>(1 - expansion.integerDigits), '0');
            expansion.integerDigits = 1;
        }
        const std::size_t integerDigits = static_cast<std::size_t>(expansion.integerDigits);
        const std::size_t kept = integerDigits + static_cast<std::size_t>(decimals);
        if (digits.size() < kept)
            digits.append(kept - digits.size(), '0');
        const bool roundUp = digits.size() > kept && digits[kept] >= '5';
        digits.resize(kept);
        std::size_t integerCount = integerDigits;
        if (roundUp) {
            std::size_t i = kept;
            while (i > 0 && digits[i - 1] == '9') {
                digits[i - 1] = '0';
                --i;
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++integerCount;
            } else {
                ++digits[i - 1];
            }
        }
        std::size_t firstSignificant = 0;
        while (firstSignificant + 1 < integerCount && digits[firstSignificant] == '0')
            ++firstSignificant;
        if (value < 0)
            text += '-';
        text.append(digits, firstSignificant, integerCount - firstSignificant);
        if (decimals > 0) {
            text += '.';
            text.append(digits, integerCount, std::string::npos);
        }
    }
    if (text.size() < 5)
        text.insert(0, 5 - text.size(), ' ');
    return text;
}

bool TryTextToInteger(std::string_view text, int32_t& value) {
    std::size_t pos = SkipBlanks(text);
    if (pos == text.size())
        return false;
    constexpr long long kMax = std::numeric_limits<int32_t>::max();
    long long result = 0;
    const char c = text[pos];
    if (c == '$' || c == 'x' || c == 'X' ||
        (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))) {
        pos += c == '0' ? 2 : 1;
        if (pos == text.size())
            return false;
        for (; pos < text.size(); ++pos) {
            const int digit = HexDigitValue(text[pos]);
            if (digit < 0)
                return false;
            result = result * 16 + digit;
            if (result > kMax)
                return false;
        }
        value = static_cast<int32_t>(result);
        return true;
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        ++pos;
    }
    if (pos == text.size())
        return false;
    const long long limit = negative ? kMax + 1 : kMax;
    for (; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos]))
            return false;
        result = result * 10 + (text[pos] - '0');
        if (result > limit)
            return false;
    }
    value = static_cast<int32_t>(negative ? -result : result);
    return true;
}

int32_t TextToInteger(std::string_view text) {
    int32_t value = 0;
    if (!TryTextToInteger(text, value))
        throw Error("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

std::string IntegerToText(int64_t value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

double MinValue(double a, double b) {
    return a < b ? a : b;
}

double MaxValue(double a, double b) {
    return a > b ? a : b;
}

std::string FormatByteSize(int64_t size) {
    double x = static_cast<double>(size);
    int steps = 0;
    while (x > 1024.0) {
        x /= 1024.0;
        ++steps;
    }
    switch (steps) {
    case 0:
        return NumberToText(x, 2) + " Byte";
    case 1:
        return NumberToText(x, 2) + " Kb";
    case 2:
        return NumberToText(x, 2) + " Mb";
    case 3:
        return NumberToText(x, 2) + " Gb";
    default:
        return "Wert zu gro\xDF";
    }
}

std::string GroupThousands(std::string_view digits) {
    std::string result(digits);
    // The length is taken modulo 256: longer texts group by their length's low byte.
    std::size_t n = digits.size() % 256;
    while (n >= 4) {
        n -= 3;
        result.insert(n, 1, '.');
    }
    return result;
}

std::string PadRight(std::string_view text, int width) {
    std::string result(text);
    if (width > 0 && result.size() < static_cast<std::size_t>(width))
        result.append(static_cast<std::size_t>(width) - result.size(), ' ');
    return result;
}

std::string ShortenPath(std::string_view path, int n) {
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (path.size() <= count)
        return std::string(path);
    std::string_view tail = path.substr(path.size() - count);
    const std::size_t separator = tail.find_first_of("\\/");
    if (separator != std::string_view::npos)
        tail.remove_prefix(separator);
    return "..." + std::string(tail);
}

bool HasText(std::string_view text) {
    return !text.empty();
}

std::string ReplaceExtension(std::string_view fileName, std::string_view extension) {
    if (fileName.size() < 3)
        return std::string(extension);
    return std::string(fileName.substr(0, fileName.size() - 3)) + std::string(extension);
}

} // namespace spritlog
