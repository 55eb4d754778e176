#pragma once

// The program targets Linux (glibc, GCC or Clang): the calls and types only found there
// are used here and nowhere else.

#include <cstdint>
#include <string>

namespace spritlog {

// Renames `from` to `to` unless `to` exists (EEXIST then). Returns -1 with errno set on
// failure; EINVAL, ENOSYS or EOPNOTSUPP when the file system cannot rename that way.
int RenameNoReplace(const char* from, const char* to);

// The absolute path with every symbolic link resolved; empty when that fails.
std::string ResolvedPath(const std::string& path);

// `value` * `factor` / 2^`shift`, split exactly into its whole part and where its fraction
// lies from one half; only that distance is rounded, at the end. `shift` is 1..127 and the
// whole part fits 64 bits.
struct ScaledProduct {
    uint64_t whole = 0;
    bool aboveHalf = false;    // the fraction is more than one half
    double distanceToHalf = 0; // |fraction - 1/2| * 2^shift, rounded to a double
};

inline ScaledProduct SplitScaledProduct(uint64_t value, uint64_t factor, int shift) {
    using Wide = unsigned __int128;
    const Wide scaled = static_cast<Wide>(value) * factor;
    const Wide units = scaled >> shift;
    const Wide rest = scaled - (units << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    ScaledProduct result;
    result.whole = static_cast<uint64_t>(units);
    result.aboveHalf = rest > half;
    result.distanceToHalf = static_cast<double>(rest > half ? rest - half : half - rest);
    return result;
}

} // namespace spritlog
