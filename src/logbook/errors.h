#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace spritlog {

// Every failure that reaches the general error display carries its exact message text
// (Windows-1252: "„auto.slg“: Datei nicht gefunden", "Datensatz 3, KM: ...", ...).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Messages shared by several places.
inline constexpr const char* kDivisionByZero = "Division durch 0";
inline constexpr const char* kInvalidOperation = "Ung\xFCltige Rechenoperation";
inline constexpr const char* kOverflow = "Wert zu gro\xDF";

// The text the error display shows: a "." is appended when the message's last character
// sorts after ".".
std::string DisplayMessage(const std::string& message);

// A cell's text as a message quotes it: every byte below 32 and 127 as a visible escape
// ("\0" for NUL, "\t" for a tab, "\x01" for the others), so that the message is neither cut short
// at a NUL nor garbled by a control character. Every other byte stays as it is.
std::string VisibleText(std::string_view text);

} // namespace spritlog
