#include "logbook/codepage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <string>
#include <utility>

using namespace spritlog;

namespace {

TEST(Cp1252ToUtf8, MapsTheWindowsTable) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"Liter 7.50", "Liter 7.50"},
        {std::string(1, '\0'), std::string(1, '\0')},
        {"\x7F", "\x7F"},
        {"\x80", "\xE2\x82\xAC"}, // euro sign
        {"\x82", "\xE2\x80\x9A"},
        {"\x83", "\xC6\x92"},
        {"\x85", "\xE2\x80\xA6"},
        {"\x88", "\xCB\x86"},
        {"\x8A", "\xC5\xA0"}, // S with caron
        {"\x8C", "\xC5\x92"},
        {"\x8E", "\xC5\xBD"},
        {"\x93", "\xE2\x80\x9C"},
        {"\x96", "\xE2\x80\x93"},
        {"\x99", "\xE2\x84\xA2"}, // trade mark
        {"\x9A", "\xC5\xA1"},
        {"\x9E", "\xC5\xBE"},
        {"\x9F", "\xC5\xB8"},
        // The five undefined bytes become the C1 controls of the same number.
        {"\x81", "\xC2\x81"},
        {"\x8D", "\xC2\x8D"},
        {"\x8F", "\xC2\x8F"},
        {"\x90", "\xC2\x90"},
        {"\x9D", "\xC2\x9D"},
        {"\xA0", "\xC2\xA0"},
        {"\xDF", "\xC3\x9F"},
        {"\xFF", "\xC3\xBF"},
        {"Datens\xE4tze", "Datens\xC3\xA4tze"},
        {"Wert zu gro\xDF", "Wert zu gro\xC3\x9F"},
        {"\xD6l \x80 5", "\xC3\x96l \xE2\x82\xAC 5"},
    };
    for (const auto& [cp1252, utf8] : cases) {
        EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8) << cp1252;
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    }
}

// glibc's converter knows Windows-1252 apart from the five undefined bytes.
TEST(Cp1252ToUtf8, AgreesWithTheSystemConverterOnEveryDefinedByte) {
    iconv_t converter = iconv_open("UTF-8", "WINDOWS-1252");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "no WINDOWS-1252 converter";
    int compared = 0;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            continue;
        char input[1] = {static_cast<char>(byte)};
        char output[8];
        char* in = input;
        char* out = output;
        size_t inLeft = 1;
        size_t outLeft = sizeof output;
        ASSERT_NE(iconv(converter, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1)) << byte;
        EXPECT_EQ(Cp1252ToUtf8(std::string(input, 1)), std::string(output, out)) << "byte " << byte;
        ++compared;
    }
    iconv_close(converter);
    EXPECT_EQ(compared, 250);
}

TEST(Cp1252ToUtf8, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    // 128 ASCII bytes, 111 two-byte and 17 three-byte sequences (the euro sign among them).
    EXPECT_EQ(utf8.size(), 128u + 2 * 111 + 3 * 17);
}

TEST(Utf8ToCp1252, ReplacesWhatTheCodePageCannotHoldAndBrokenSequences) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xC4\x81", "?"}, // a with macron
        {"\xE2\x82\xAC\xC4\x81x", "\x80?x"},
        {"\xF0\x9F\x98\x80", "?"},          // emoji, one character
        {"\xE4\xB8\xAD\xE6\x96\x87", "??"}, // two CJK characters
        {"\xC2\x80", "?"},                  // U+0080 is no Windows-1252 character
        {"\xC2\x9F", "?"},
        {"\xE2\x80\x8B", "?"}, // zero-width space
        {"\xEF\xBB\xBF", "?"}, // a byte-order mark is a character like any other
        // Broken UTF-8: one '?' per maximal broken piece, then reading goes on.
        {"\xC3", "?"},
        {"a\xC3", "a?"},
        {"\xC3"
         "A",
         "?A"},
        {"\xE2\x82", "?"},
        {"\xE2\x82"
         "A",
         "?A"},
        {"\x80", "?"},
        {"\xBF\xBF", "??"},
        {"\xC0\xAF", "??"}, // overlong "/"
        {"\xC1\xBF", "??"},
        {"\xE0\x80\xAF", "???"},      // overlong
        {"\xED\xA0\x80", "???"},      // surrogate
        {"\xF4\x90\x80\x80", "????"}, // beyond U+10FFFF
        {"\xF5\x80\x80\x80", "????"},
        {"\xF8\x88\x80\x80\x80", "?????"},
        {"\xFE\xFF", "??"},
        {"\xF0\x9F\x98", "?"},
        {"\xF0\x9F\x98"
         "Ende",
         "?Ende"},
        {"\xC3\xBC\xC3", "\xFC?"},
    };
    for (const auto& [utf8, cp1252] : cases)
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << "input of " << utf8.size() << " bytes";
}

} // namespace
