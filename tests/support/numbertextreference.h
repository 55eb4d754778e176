// A slow reference for NumberToText, independent of the library's own conversions: the
// exact decimal expansion of the double from its mantissa and binary exponent, rounded to
// nearest (ties to even) to 17 decimal places below 10 and to 18 significant digits from 10
// on, then rounded half away from zero to `decimals` places; "-" for values below zero
// (also when they round to zero, but not for -0.0); blanks in front up to five characters.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace spritlog::test {

namespace numbertext_detail {

// Unsigned big integer in base 10^9, least significant limb first.
using BigInt = std::vector<uint32_t>;

inline void MultiplySmall(BigInt& n, uint32_t factor) {
    uint64_t carry = 0;
    for (uint32_t& limb : n) {
        const uint64_t product = uint64_t{limb} * factor + carry;
        limb = static_cast<uint32_t>(product % 1000000000u);
        carry = product / 1000000000u;
    }
    while (carry != 0) {
        n.push_back(static_cast<uint32_t>(carry % 1000000000u));
        carry /= 1000000000u;
    }
}

// n * base^count, in steps of base^step that still fit a limb's factor.
inline void MultiplyPower(BigInt& n, uint32_t base, int count, uint32_t bigStep, int step) {
    for (; count >= step; count -= step)
        MultiplySmall(n, bigStep);
    for (; count > 0; --count)
        MultiplySmall(n, base);
}

inline std::string BigToDecimal(const BigInt& n) {
    std::string out;
    for (std::size_t i = n.size(); i-- > 0;) {
        std::string part = std::to_string(n[i]);
        if (i + 1 != n.size())
            part.insert(0, 9 - part.size(), '0');
        out += part;
    }
    return out.empty() ? "0" : out;
}

// Rounds the digit string up in place at its end; returns true when a new leading digit
// appeared.
inline bool IncrementDigits(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0) {
        digits.insert(digits.begin(), '1');
        return true;
    }
    ++digits[i - 1];
    return false;
}

} // namespace numbertext_detail

inline std::string ReferenceNumberToText(double value, int decimals) {
    using namespace numbertext_detail;
    const double magnitude = std::fabs(value);
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53; // magnitude == mantissa * 2^exponent

    BigInt n{static_cast<uint32_t>(mantissa % 1000000000u),
             static_cast<uint32_t>(mantissa / 1000000000u % 1000000000u),
             static_cast<uint32_t>(mantissa / 1000000000000000000u)};
    long fractionDigits = 0;
    if (exponent >= 0) {
        MultiplyPower(n, 2, exponent, 1u << 29, 29);
    } else {
        MultiplyPower(n, 5, -exponent, 1220703125u, 13); // 5^13
        fractionDigits = -exponent;
    }
    std::string digits = BigToDecimal(n);
    if (static_cast<long>(digits.size()) <= fractionDigits)
        digits.insert(0, static_cast<std::size_t>(fractionDigits + 1) - digits.size(), '0');
    long integerDigits = static_cast<long>(digits.size()) - fractionDigits;

    // First rounding, to nearest.
    long keep;
    if (magnitude < 10.0) {
        keep = integerDigits + 17;
    } else {
        long first = 0;
        while (digits[static_cast<std::size_t>(first)] == '0')
            ++first;
        keep = first + 18;
    }
    if (static_cast<long>(digits.size()) > keep) {
        const std::string rest = digits.substr(static_cast<std::size_t>(keep));
        digits.resize(static_cast<std::size_t>(keep));
        int compare = rest[0] < '5' ? -1 : (rest[0] > '5' ? 1 : 0);
        if (compare == 0 && rest.find_first_not_of('0', 1) != std::string::npos)
            compare = 1;
        if (compare > 0 || (compare == 0 && (digits.back() - '0') % 2 == 1)) {
            if (IncrementDigits(digits))
                ++integerDigits;
        }
    }
    // Second rounding, half away from zero.
    const long kept = integerDigits + decimals;
    if (static_cast<long>(digits.size()) < kept)
        digits.append(static_cast<std::size_t>(kept - static_cast<long>(digits.size())), '0');
    const bool up =
        static_cast<long>(digits.size()) > kept && digits[static_cast<std::size_t>(kept)] >= '5';
    digits.resize(static_cast<std::size_t>(kept));
    if (up && IncrementDigits(digits))
        ++integerDigits;

    std::string integerPart = digits.substr(0, static_cast<std::size_t>(integerDigits));
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size() - 1));
    std::string text = (value < 0 ? "-" : "") + integerPart;
    if (decimals > 0)
        text += "." + digits.substr(static_cast<std::size_t>(integerDigits));
    while (text.size() < 5)
        text.insert(0, " ");
    return text;
}

} // namespace spritlog::test
