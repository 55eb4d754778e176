// The integer-text reading (odometer readings, distances, the record count) against a
// plain reference of its rule: blanks (code 32 only), then either an optional "+"/"-" and
// decimal digits, or, without a sign, one of "$", "x", "X", "0x", "0X" and hexadecimal
// digits in either case; nothing after; the value within the signed 32-bit range. Every
// other text is "'<text>' ist keine ganze Zahl", its control characters escaped. Besides, the
// decimal text of every value reads back to it.

#include "logbook/conventions.h"
#include "logbook/errors.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace spritlog;

[[noreturn]] void Mismatch(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s for \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::optional<int32_t> ReferenceInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    int base = 10;
    bool negative = false;
    bool prefixed = false;
    for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (StartsWith(text, prefix)) {
            text.remove_prefix(prefix.size());
            base = 16;
            prefixed = true;
            break;
        }
    }
    if (!prefixed && !text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (char c : text)
        if (DigitValue(c, base) < 0)
            return std::nullopt;
    // Leading zeros do not count; more than ten significant digits never fit.
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.size() > 10)
        return std::nullopt;
    int64_t magnitude = 0;
    for (char c : text)
        magnitude = magnitude * base + DigitValue(c, base);
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

void CheckDecimalText(int64_t value) {
    const std::string text = IntegerToText(value);
    if (text != std::to_string(value))
        Mismatch("IntegerToText differs from the plain decimal text", text);
    if (value >= INT32_MIN && value <= INT32_MAX && TextToInteger(text) != value)
        Mismatch("the decimal text does not read back", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<int32_t> want = ReferenceInteger(text);

    int32_t value = 12345;
    const bool ok = TryTextToInteger(text, value);
    if (ok != want.has_value())
        Mismatch(ok ? "accepted a malformed text" : "rejected a well-formed text", text);
    if (ok && value != *want)
        Mismatch("wrong value", text);

    try {
        const int32_t read = TextToInteger(text);
        if (!want || read != *want)
            Mismatch("TextToInteger disagrees", text);
        CheckDecimalText(read);
    } catch (const Error& error) {
        if (want)
            Mismatch("TextToInteger threw for a well-formed text", text);
        // Control characters show as escapes, so the whole text reaches the message.
        std::string shown;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            char escape[8];
            if (byte == 0)
                shown += "\\0";
            else if (byte == 9)
                shown += "\\t";
            else if (byte < 32 || byte == 127)
                shown.append(escape, std::snprintf(escape, sizeof escape, "\\x%02X", byte));
            else
                shown += c;
        }
        const std::string message = "'" + shown + "' ist keine ganze Zahl";
        if (std::strcmp(error.what(), message.c_str()) != 0)
            Mismatch("wrong message", text);
    }

    // Eight bytes as a 64-bit value: IntegerToText covers more than the 32-bit range.
    if (size == sizeof(int64_t)) {
        int64_t raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckDecimalText(raw);
    }
    return 0;
}
