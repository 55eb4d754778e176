#include "logbook/energies.h"

#include "logbook/logbooktable.h"
#include "logbook/records.h"

namespace spritlog {
namespace {

// Windows-1252 letters folded to lower case: ASCII, and the Latin-1 capitals with their
// small letters 0x20 above (not the multiplication sign).
char Folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    return c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i]))
            return false;
    return true;
}

bool EndsWith(std::string_view text, std::string_view ending) {
    return !ending.empty() && text.size() >= ending.size() &&
           SameLetters(text.substr(text.size() - ending.size()), ending);
}

bool IsWordCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || c == '-' ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

std::string_view FirstWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && IsWordCharacter(text[end]))
        ++end;
    return text.substr(0, end);
}

bool OneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (SameLetters(word, w))
            return true;
    return false;
}

bool NamesKilowattHours(std::string_view word) {
    return OneOf(word, {"Strom", "\xD6kostrom", "Ladestrom", "Elektro", "kWh"});
}

} // namespace

std::optional<Energy> EnergyOf(std::string_view grade) {
    const std::size_t first = grade.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return Energy::Litre;
    grade = grade.substr(first, grade.find_last_not_of(' ') - first + 1);
    // The calculation asks for every record: most grades are told by their first and last
    // letter alone.
    if (grade.back() == ')') {
        if (EndsWith(grade, WordsOf(Energy::KilowattHour).gradeEnding))
            return Energy::KilowattHour;
        if (EndsWith(grade, WordsOf(Energy::Kilogram).gradeEnding) &&
            !NamesKilowattHours(FirstWord(grade)))
            return Energy::Kilogram;
    }
    switch (Folded(grade.front())) {
    case 'a':
    case 'b':
    case 'c':
    case 'e':
    case 'h':
    case 'k':
    case 'l':
    case 's':
    case 'w':
    case '\xF6':
        break;
    default:
        return Energy::Litre;
    }
    const std::string_view word = FirstWord(grade);
    if (NamesKilowattHours(word))
        return Energy::KilowattHour;
    if (OneOf(word, {"Erdgas", "Bio-Erdgas", "CNG", "Bio-CNG", "Wasserstoff", "H2"}))
        return Energy::Kilogram;
    if (SameLetters(word, kAdBlueName))
        return std::nullopt;
    return Energy::Litre;
}

std::optional<Energy> EnergyOfRecord(const TextTable& grid, int row) {
    return EnergyOf(grid.cell(ColBenzin, row));
}

const char* UnitOfRecord(const TextTable& grid, int row) {
    const std::optional<Energy> energy = EnergyOfRecord(grid, row);
    return energy ? WordsOf(*energy).quantity : kAdBlueUnit;
}

int EnergyMix::count() const {
    int n = 0;
    for (int r : records)
        n += r > 0 ? 1 : 0;
    return n;
}

Energy EnergyMix::main() const {
    int best = 0;
    for (int i = 1; i < kEnergies; ++i)
        if (records[i] > records[best])
            best = i;
    return static_cast<Energy>(best);
}

EnergyMix MixOf(const TextTable& grid) {
    EnergyMix mix;
    ForEachRecordTakingPart(grid, [&](int row) {
        if (const std::optional<Energy> energy = EnergyOfRecord(grid, row))
            ++mix.records[static_cast<int>(*energy)];
        else
            ++mix.adBlue;
    });
    return mix;
}

bool BeyondLitres(const TextTable& grid) {
    const int n = grid.rowCount() - 1;
    for (int r = 1; r <= n; ++r)
        if (EnergyOfRecord(grid, r) != Energy::Litre && !IsEmptyRecord(grid, r))
            return true;
    return false;
}

} // namespace spritlog
