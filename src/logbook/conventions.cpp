#include "logbook/conventions.h"

#include "logbook/errors.h"
#include "logbook/linuxcalls.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The bytes of the UTF-8 character at `pos`: a lead byte with its continuation bytes, as
// long as they form a valid character; any other byte on its own.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) {
        return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0u;
    };
    const unsigned lead = byte(0);
    std::size_t length = 1;
    // The range of the second byte narrows for the leads that would allow overlong forms,
    // surrogates or values beyond U+10FFFF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    if (byte(1) < low || byte(1) > high)
        return 1;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 1;
    return length;
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

// The common case without the decimal expansion, exact all the same: the magnitude is
// m * 2^e exactly, so m * 10^decimals * 2^e, its scaled value, splits exactly into whole
// units q and a fraction, and the fraction says on which side of the tie (q + 1/2) the
// value lies. The rule decides on the expansion rounded to 17 places (18 digits from 10
// on), which lies within 0.5e-17 * max(1, magnitude) of the magnitude; a value at least
// twice that far from the tie rounds the same either way. Nearer ones, large values and
// more than four decimals take the full expansion.
constexpr uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000};

// `rounded`: the magnitude in units of the last place written.
bool ScaledNumberText(double magnitude, bool negative, int decimals, std::string& text,
                      uint64_t& rounded) {
    if (decimals > 4 || !(magnitude < 1e9))
        return false;
    rounded = 0;
    if (magnitude != 0) {
        // The double's own fields: magnitude = mantissa / 2^shift.
        uint64_t bits = 0;
        std::memcpy(&bits, &magnitude, sizeof bits);
        const int biased = static_cast<int>(bits >> 52);
        const int shift = 1075 - biased;
        if (biased == 0 || shift > 120)
            return false; // tiny: the expansion decides
        const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
        const ScaledProduct scaled = SplitScaledProduct(mantissa, kPowersOfTen[decimals], shift);
        const uint64_t powerBits = static_cast<uint64_t>(1023 + shift) << 52; // 2^shift
        double power = 0;
        std::memcpy(&power, &powerBits, sizeof power);
        const double tolerance =
            power * static_cast<double>(kPowersOfTen[decimals]) * std::max(1.0, magnitude) * 1e-17;
        if (scaled.distanceToHalf <= tolerance)
            return false;
        rounded = scaled.whole + (scaled.aboveHalf ? 1 : 0);
    }

    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    uint64_t rest10 = rounded;
    for (int i = 0; i < decimals; ++i) {
        *--p = static_cast<char>('0' + rest10 % 10);
        rest10 /= 10;
    }
    char* point = p;
    do {
        *--p = static_cast<char>('0' + rest10 % 10);
        rest10 /= 10;
    } while (rest10 > 0);
    const std::size_t length = (negative ? 1 : 0) + static_cast<std::size_t>(point - p) +
                               (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0);
    if (length < 5)
        text.append(5 - length, ' ');
    if (negative)
        text.push_back('-');
    text.append(p, point);
    if (decimals > 0) {
        text.push_back('.');
        text.append(point, end);
    }
    return true;
}

} // namespace

namespace {

// Where the parts of a decimal number text lie; valid false when the text is none.
struct NumberSyntax {
    bool valid = false;
    bool negative = false;
    std::size_t mantissaStart = 0;
    std::size_t mantissaEnd = 0;
    std::size_t integerDigits = 0;
    bool hasExponent = false;
    std::size_t exponentStart = 0;
    bool negativeExponent = false;
};

NumberSyntax ScanNumber(std::string_view text) {
    NumberSyntax syntax;
    std::size_t pos = SkipBlanks(text);
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        syntax.negative = text[pos] == '-';
        ++pos;
    }
    syntax.mantissaStart = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    syntax.integerDigits = pos - syntax.mantissaStart;
    std::size_t digitCount = syntax.integerDigits;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        digitCount += pos - fraction;
    }
    if (digitCount == 0)
        return syntax;
    syntax.mantissaEnd = pos;
    syntax.exponentStart = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        syntax.hasExponent = true;
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            syntax.negativeExponent = text[pos] == '-';
            ++pos;
        }
        syntax.exponentStart = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        if (pos == syntax.exponentStart)
            return syntax;
    }
    syntax.valid = pos == text.size();
    return syntax;
}

} // namespace

bool TryTextToNumber(std::string_view text, double& result) {
    const NumberSyntax syntax = ScanNumber(text);
    if (!syntax.valid)
        return false;
    // from_chars takes no "+" sign; the sign is applied afterwards (so "-0" stays -0.0).
    double value = 0.0;
    const char* first = text.data() + syntax.mantissaStart;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Underflow rounds to zero; overflow is no number at all.
        if (!TextIsTiny(
                text.substr(syntax.mantissaStart, syntax.mantissaEnd - syntax.mantissaStart),
                text.substr(syntax.exponentStart), syntax.negativeExponent))
            return false;
        value = 0.0;
    } else if (ec != std::errc() || end != last) {
        return false;
    }
    result = syntax.negative ? -value : value;
    return true;
}

bool IsNumberText(std::string_view text) {
    const NumberSyntax syntax = ScanNumber(text);
    if (!syntax.valid)
        return false;
    // Without an exponent only a text of more than 308 integer digits overflows the double
    // range; the rest are read to tell.
    if (!syntax.hasExponent && syntax.integerDigits <= 300)
        return true;
    double value = 0.0;
    return TryTextToNumber(text, value);
}

double TextToNumber(std::string_view text) {
    double value = 0.0;
    return TryTextToNumber(text, value) ? value : 0.0;
}

std::string NumberToText(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    std::string text;
    uint64_t rounded = 0;
    if (std::isfinite(value) &&
        ScaledNumberText(std::fabs(value), value < 0, decimals, text, rounded)) {
        // Decided without the expansion.
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

WrittenNumber NumberAsWritten(double value, int decimals) {
    WrittenNumber written;
    uint64_t rounded = 0;
    if (decimals >= 0 && std::isfinite(value) &&
        ScaledNumberText(std::fabs(value), value < 0, decimals, written.text, rounded)) {
        // Both operands are exact, so the quotient is the double nearest the decimal text,
        // as reading it gives.
        const double magnitude =
            static_cast<double>(rounded) / static_cast<double>(kPowersOfTen[decimals]);
        written.value = value < 0 ? -magnitude : magnitude;
        return written;
    }
    written.text = NumberToText(value, decimals);
    written.value = TextToNumber(written.text);
    return written;
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
        throw Error("'" + VisibleText(text) + "' ist keine ganze Zahl");
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

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasText(std::string_view text) {
    return !text.empty();
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string ReplaceExtension(std::string_view fileName, std::string_view extension) {
    // The start of each character, kept for the last three in turn.
    std::size_t starts[3] = {0, 0, 0};
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < fileName.size(); pos += Utf8CharacterLength(fileName, pos))
        starts[characters++ % 3] = pos;
    if (characters < 3)
        return std::string(extension);
    return std::string(fileName.substr(0, starts[characters % 3])) + std::string(extension);
}

} // namespace spritlog
