#pragma once

#include <string>
#include <string_view>

namespace spritlog {

// Where a writer puts its lines. Every line the program writes ends with CR LF, which the
// sink adds.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void writeLine(std::string_view line) = 0;
};

// Collects the lines in memory, CR LF after each; for tests and the command-line tool.
class StringSink : public LineSink {
public:
    void writeLine(std::string_view line) override {
        text.append(line);
        text.append("\r\n");
    }
    std::string text;
};

} // namespace spritlog
