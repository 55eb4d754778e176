#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace spritlog {

// Number and text conventions shared by every part of the program. Texts are
// Windows-1252 bytes; lengths and positions count bytes. None of these functions depends
// on the process locale.

// Reads a decimal number ("7.5", " 7.50", ".5", "5.", "1e3"); anything malformed is 0.
double TextToNumber(std::string_view text);
// The same, telling a malformed text from a written 0: false leaves `value` as it was.
bool TryTextToNumber(std::string_view text, double& value);
// Whether TryTextToNumber reads `text`, without reading it where the form alone tells.
bool IsNumberText(std::string_view text);

// Fixed point with `decimals` places, ties away from zero, right-aligned to 5 characters.
std::string NumberToText(double value, int decimals);
// NumberToText's text and what TextToNumber reads from it, without reading it back.
struct WrittenNumber {
    std::string text;
    double value = 0;
};
WrittenNumber NumberAsWritten(double value, int decimals);

// Reads an integer text: blanks, then a signed decimal or a "$"/"x"/"X"/"0x"/"0X" hex
// number, nothing after, within the signed 32-bit range.
// Throws Error("'<text>' ist keine ganze Zahl") otherwise.
int32_t TextToInteger(std::string_view text);
// The same without throwing; false on any malformed text.
bool TryTextToInteger(std::string_view text, int32_t& value);
// Decimal text of a whole number, "-" when negative.
std::string IntegerToText(int64_t value);

double MinValue(double a, double b);
double MaxValue(double a, double b);

// "1024.00 Byte", " 1.00 Kb", ... "Wert zu groß" (Windows-1252).
std::string FormatByteSize(int64_t size);
// "1234" -> "1.234"; every character counts, a leading "-" included.
std::string GroupThousands(std::string_view digits);
// Appends blanks up to `width`; never cuts.
std::string PadRight(std::string_view text, int width);
// The last `n` characters from a directory separator on, after "...". Both "\" and "/"
// separate directories.
std::string ShortenPath(std::string_view path, int n);
// The name after the last "/", the whole path when there is none.
std::string FileNameOf(const std::string& path);
bool HasText(std::string_view text);
// Empty or blanks (character 32) alone: a tab or any other character is something typed.
bool IsBlank(std::string_view text);
// Replaces the last three characters of a file name (UTF-8) by `extension`; fewer than
// three give `extension` alone. A byte that starts no valid UTF-8 character counts as one.
std::string ReplaceExtension(std::string_view fileName, std::string_view extension);

} // namespace spritlog
