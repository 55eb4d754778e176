#include "logbook/logbookshape.h"

#include "logbook/conventions.h"

#include <algorithm>
#include <cstdint>

namespace spritlog {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kMaxCountText = 32;

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

void LogbookShape::feed(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size() && state_ != State::Done) {
        const char c = bytes[pos];
        if (c == kEndOfFile) {
            finish();
            return;
        }
        switch (state_) {
        case State::BeforeCount:
            if (!IsBlankOrControl(c)) {
                state_ = State::CountText;
                continue;
            }
            ++pos;
            break;
        case State::CountText:
            if (IsBlankOrControl(c) || countText_.size() == kMaxCountText) {
                takeCount();
                state_ = State::Lines;
                continue;
            }
            countText_ += c;
            ++pos;
            break;
        case State::Lines: {
            // One scan to whichever comes first: a line end or the end of the file.
            const std::size_t stop = std::min(bytes.find_first_of("\n\x1A", pos), bytes.size());
            // Only whether the line holds more than CR matters, found at its first byte
            // mostly.
            const std::string_view part = bytes.substr(pos, stop - pos);
            lastLineBytes_ += part.size();
            lineHasText_ = lineHasText_ || part.find_first_not_of('\r') != std::string_view::npos;
            pos = stop;
            if (stop < bytes.size() && bytes[stop] == '\n') {
                ++lineEnds_;
                endedLineHasText_ = lineHasText_;
                lastLineBytes_ = 0;
                lineHasText_ = false;
                ++pos;
            }
            break;
        }
        case State::Done:
            break;
        }
    }
}

void LogbookShape::finish() {
    if (state_ == State::CountText)
        takeCount();
    state_ = State::Done;
}

void LogbookShape::takeCount() {
    int32_t value = 0;
    counted_ = TryTextToInteger(countText_, value) && value <= 1000000;
    records_ = counted_ && value > 0 ? value : 0;
    lineEnds_ = -1;
}

long long LogbookShape::lines() const {
    if (!counted_)
        return 0;
    // The lines ended after the count line, and a last line without its line end.
    if (lineEnds_ < 0)
        return 0;
    return lineEnds_ + (lastLineBytes_ > 0 ? 1 : 0);
}

bool LogbookShape::fits() const {
    if (!counted_)
        return true; // no logbook: the reader says so
    const long long lines = this->lines();
    if (lines == expectedLines())
        return true;
    // One line too many that is empty: a line end too many at the end of the file.
    const bool lastLineEmpty = lastLineBytes_ > 0 ? !lineHasText_ : !endedLineHasText_;
    return lines == expectedLines() + 1 && lastLineEmpty;
}

std::string DamagedLogbookMessage(const LogbookShape& shape) {
    return "Die Datei ist besch\xE4"
           "digt: " +
           IntegerToText(shape.lines()) + " statt " + IntegerToText(shape.expectedLines()) +
           " Zeilen f\xFCr " + IntegerToText(shape.records()) +
           (shape.records() == 1 ? " Datensatz." : " Datens\xE4tze.");
}

} // namespace spritlog
