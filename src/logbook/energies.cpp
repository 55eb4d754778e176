#include "logbook/energies.h"

#include <cstring>

namespace spritlog {
namespace {

// The ASCII letters of the endings are all the case that matters, whatever the locale.
char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWith(std::string_view text, std::string_view ending) {
    if (ending.empty() || text.size() < ending.size())
        return false;
    text.remove_prefix(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (Folded(text[i]) != Folded(ending[i]))
            return false;
    return true;
}

} // namespace

Energy EnergyOf(std::string_view grade) {
    const std::size_t last = grade.find_last_not_of(' ');
    grade = last == std::string_view::npos ? std::string_view() : grade.substr(0, last + 1);
    for (int i = 0; i < kEnergies; ++i)
        if (EndsWith(grade, kEnergyWords[i].gradeEnding))
            return static_cast<Energy>(i);
    return Energy::Litre;
}

} // namespace spritlog
