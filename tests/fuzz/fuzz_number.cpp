// TextToNumber and NumberToText against plain references of their rules.
//
// TextToNumber: blanks (code 32 only), an optional sign, digits with at most one point and
// at least one digit, optionally "e"/"E", an optional sign and at least one digit; nothing
// else anywhere. A well-formed text gives its correctly rounded double (here: strtod in the
// C locale), a text whose value overflows the double range counts as malformed, and every
// malformed text gives 0. "-0" is negative zero.
//
// NumberToText: the magnitude's decimal expansion, first rounded to 17 places below 10 and
// to 18 significant digits from 10 on, then rounded to `decimals` places with ties away
// from zero; "-" for values below zero; at least five characters, blanks in front.

#include "logbook/conventions.h"
#include "support/numbertextreference.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <string_view>

namespace {

using spritlog::NumberToText;
using spritlog::TextToNumber;

[[noreturn]] void Mismatch(const char* what, std::string_view text, const std::string& got,
                           const std::string& want) {
    std::fprintf(stderr, "%s of \"%.*s\": got \"%s\", want \"%s\"\n", what,
                 static_cast<int>(text.size()), text.data(), got.c_str(), want.c_str());
    std::abort();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

// Where the number starts after the blanks, or npos for a malformed text.
std::size_t WellFormedNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    std::string_view rest = text.substr(start);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
        rest.remove_prefix(1);
    std::string_view mantissa = rest;
    std::string_view exponent;
    bool hasExponent = false;
    const std::size_t e = rest.find_first_of("eE");
    if (e != std::string_view::npos) {
        mantissa = rest.substr(0, e);
        exponent = rest.substr(e + 1);
        hasExponent = true;
    }
    const std::size_t point = mantissa.find('.');
    std::string_view before = mantissa.substr(0, point);
    std::string_view after =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (!AllDigits(before) || !AllDigits(after) || before.size() + after.size() == 0)
        return std::string_view::npos;
    if (hasExponent) {
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
            exponent.remove_prefix(1);
        if (exponent.empty() || !AllDigits(exponent))
            return std::string_view::npos;
    }
    return start;
}

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

double ReferenceNumber(std::string_view text) {
    const std::size_t start = WellFormedNumber(text);
    if (start == std::string_view::npos)
        return 0.0;
    const std::string number(text.substr(start));
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(number.c_str(), &end, CLocale());
    if (end != number.c_str() + number.size())
        std::abort(); // the grammar above let through something strtod does not read
    if (errno == ERANGE && std::isinf(value))
        return 0.0;
    return value;
}

std::string Bits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a", value);
    return buffer;
}

void CheckNumberToText(double value, std::string_view origin) {
    for (const int decimals : {0, 2, 4}) {
        const std::string got = NumberToText(value, decimals);
        const std::string want = spritlog::test::ReferenceNumberToText(value, decimals);
        if (got != want)
            Mismatch("NumberToText", origin, got, want);
        // Whatever NumberToText writes is a number text that reads back.
        if (ReferenceNumber(got) != TextToNumber(got))
            Mismatch("TextToNumber of written text", got, Bits(TextToNumber(got)),
                     Bits(ReferenceNumber(got)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double got = TextToNumber(text);
    const double want = ReferenceNumber(text);
    if (std::memcmp(&got, &want, sizeof got) != 0)
        Mismatch("TextToNumber", text, Bits(got), Bits(want));
    CheckNumberToText(got, text);

    // The raw bytes as a double too, so every value (subnormals, huge ones) is written.
    if (size == sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw))
            CheckNumberToText(raw, "(raw double)");
    }
    return 0;
}
