#pragma once

#include <cstdint>
#include <string>

namespace spritlog {

// What the file-size dialog tells about a file: its size in bytes as the file system has
// it, and its characters (line ends not counted) plus one for each line.
struct FileFigures {
    int64_t size = 0;
    int64_t characters = 0;
};

// Reads the file `path` (UTF-8) once, in pieces. A line ends at CR LF, at LF, or at a CR
// that no LF follows; a last line without a line end counts as a line too. Every other byte
// is a character, 0x1A included: the figure covers the same bytes as the size. Throws Error
// with the I/O message when the file cannot be opened or read.
FileFigures CountFileFigures(const std::string& path);

} // namespace spritlog
