#include "logbook/codepage.h"

#include <cstdint>

namespace spritlog {

namespace {

// Code points of the bytes 0x80..0x9F; the undefined bytes keep their own number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char32_t ByteToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// The byte for a code point, or '?' when Windows-1252 has none.
char CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Windows-1252 reaches no further than U+2122.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// Walks UTF-8 text: `character` gets each well-formed code point, `broken` is called once
// for each broken sequence, and reading resumes at the offending byte.
template <typename Character, typename Broken>
void DecodeUtf8(std::string_view text, Character character, Broken broken) {
    std::size_t i = 0;
    const std::size_t size = text.size();
    while (i < size) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            character(lead);
            ++i;
            continue;
        }
        // Length and the allowed range of the second byte (excludes overlong forms,
        // surrogates and code points above U+10FFFF).
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            broken();
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool complete = true;
        for (int k = 1; k < length; ++k, ++j) {
            if (j >= size) {
                complete = false;
                break;
            }
            const unsigned char byte = static_cast<unsigned char>(text[j]);
            const bool valid = k == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
            if (!valid) {
                complete = false;
                break;
            }
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (complete)
            character(cp);
        else
            broken();
        i = j;
    }
}

} // namespace

std::string Utf8ToCp1252(std::string_view text) {
    return Utf8ToCp1252(text, '?');
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    DecodeUtf8(
        text,
        [&](char32_t cp) {
            const char byte = CodePointToByte(cp);
            out += byte == '?' && cp != U'?' ? replacement : byte;
        },
        [&] { out += replacement; });
    return out;
}

bool IsWellFormedUtf8(std::string_view text, bool& multibyte) {
    bool wellFormed = true;
    multibyte = false;
    DecodeUtf8(
        text, [&](char32_t cp) { multibyte = multibyte || cp >= 0x80; },
        [&] { wellFormed = false; });
    return wellFormed;
}

} // namespace spritlog
