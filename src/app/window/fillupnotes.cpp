#include "app/window/fillupnotes.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace spritlog {
namespace {

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The note cut at "," and ";"; each part keeps the separator that ends it.
std::vector<std::string_view> Parts(std::string_view note) {
    std::vector<std::string_view> parts;
    while (!note.empty()) {
        const std::size_t split = note.find_first_of(",;");
        const std::size_t length = split == std::string_view::npos ? note.size() : split + 1;
        parts.push_back(note.substr(0, length));
        note.remove_prefix(length);
    }
    return parts;
}

} // namespace

std::string WithMark(std::string_view note, std::string_view word) {
    std::string marked(word);
    if (!Trimmed(note).empty())
        marked.append("; ").append(Trimmed(note));
    return marked;
}

std::string WithoutMark(std::string_view note, std::string_view word) {
    std::string result;
    bool changed = false;
    // A part that goes leaves the blanks before it, and the next part's go instead.
    bool dropBlanks = false;
    for (std::string_view part : Parts(note)) {
        if (dropBlanks)
            part.remove_prefix(std::min(part.size(), part.find_first_not_of(' ')));
        dropBlanks = false;
        const bool separated = !part.empty() && (part.back() == ',' || part.back() == ';');
        const std::string_view text = separated ? part.substr(0, part.size() - 1) : part;
        const std::string_view trimmed = Trimmed(text);
        if (!StartsWithWord(trimmed, word)) {
            result += part;
            continue;
        }
        changed = true;
        result.append(text.substr(0, text.find_first_not_of(' ')));
        const std::string_view rest = Trimmed(trimmed.substr(word.size()));
        if (rest.empty()) {
            dropBlanks = true;
            continue;
        }
        result.append(rest);
        if (separated)
            result += part.back();
    }
    if (!changed)
        return std::string(note);
    // No blanks at the start, and no separator left at the end by a last part that went.
    std::string_view tidy = Trimmed(result);
    while (!tidy.empty() && (tidy.back() == ',' || tidy.back() == ';' || tidy.back() == ' '))
        tidy.remove_suffix(1);
    return std::string(tidy);
}

} // namespace spritlog
