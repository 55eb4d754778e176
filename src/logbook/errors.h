#pragma once

#include <stdexcept>
#include <string>

namespace spritlog {

// Every failure that reaches the general error display carries its exact message text
// (Windows-1252: "„auto.slg“: Datei nicht gefunden", "Floating point division by zero", ...).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Messages shared by several places.
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

// The text the error display shows: a "." is appended when the message's last character
// sorts after ".".
std::string DisplayMessage(const std::string& message);

} // namespace spritlog
