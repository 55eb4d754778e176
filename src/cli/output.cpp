#include "cli/output.h"

#include "logbook/codepage.h"

#include <charconv>
#include <cstdio>
#include <system_error>

namespace spritlog::cli {

std::string Cp1252Line(std::initializer_list<std::string_view> cells) {
    std::string line;
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first)
            line += '\t';
        first = false;
        line += Cp1252ToUtf8(cell);
    }
    line += '\n';
    return line;
}

std::string RoundTripNumberText(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

bool WriteStdout(std::string_view text) {
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 && written == text.size();
}

void WriteStderrLine(std::string_view utf8Line) {
    std::string line(utf8Line);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void WriteDiagnostic(std::string_view utf8Message) {
    WriteStderrLine("spritlog-cli: " + std::string(utf8Message));
}

} // namespace spritlog::cli
