#pragma once

#include <string>
#include <string_view>

namespace spritlog {

// The words that mark a refuelling in its notes (see logbook/fillups.h), as the window
// writes them.
inline constexpr std::string_view kPartialWord = "Teilbetankung";
inline constexpr std::string_view kMissedWord = "Fehlende Betankung";

// `note` with `word` put at its start, a text already there kept after "; ":
// "Urlaub" gives "Teilbetankung; Urlaub", an empty note the word alone.
std::string WithMark(std::string_view note, std::string_view word);

// `note` without the mark `word`: every part (the notes' parts are separated by "," or ";")
// that begins with the word, case-insensitively and blanks aside, loses the word, and a part
// left empty goes with its separator. "Teilbetankung; Urlaub" gives "Urlaub",
// "Urlaub; Teilbetankung" gives "Urlaub". A note without the mark comes back as it is.
std::string WithoutMark(std::string_view note, std::string_view word);

} // namespace spritlog
