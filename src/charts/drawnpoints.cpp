#include "charts/drawnpoints.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace spritlog {

namespace {

// Appends the first, lowest, highest and last point of values[begin, end) in their order.
void AddColumn(const std::vector<double>& values, int32_t begin, int32_t end,
               std::vector<int32_t>& drawn) {
    int32_t lowest = begin;
    int32_t highest = begin;
    for (int32_t i = begin + 1; i < end; ++i) {
        if (values[i] < values[lowest])
            lowest = i;
        if (values[i] > values[highest])
            highest = i;
    }
    const int32_t picked[kDrawnPointsPerColumn] = {begin, std::min(lowest, highest),
                                                   std::max(lowest, highest), end - 1};
    for (int32_t index : picked)
        if (drawn.empty() || drawn.back() < index)
            drawn.push_back(index);
}

// Leaves out the inner points of runs with one value: the line over them stays the same.
void DropFlatInnerPoints(const std::vector<double>& values, std::vector<int32_t>& drawn) {
    std::size_t kept = 0;
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        const bool inner = kept > 0 && k + 1 < drawn.size() &&
                           values[drawn[kept - 1]] == values[drawn[k]] &&
                           values[drawn[k + 1]] == values[drawn[k]];
        if (!inner)
            drawn[kept++] = drawn[k];
    }
    drawn.resize(kept);
}

} // namespace

std::vector<int32_t> DrawnPoints(const std::vector<double>& values, double origin, double step) {
    const auto n = static_cast<int32_t>(values.size());
    std::vector<int32_t> drawn;
    if (!std::isfinite(origin) || !std::isfinite(step) || step <= 0 ||
        step * kDrawnPointsPerColumn >= 1.0) {
        drawn.resize(static_cast<std::size_t>(n));
        std::iota(drawn.begin(), drawn.end(), 0);
        return drawn;
    }
    int32_t begin = 0;
    double column = std::floor(origin);
    for (int32_t i = 1; i < n; ++i) {
        const double here = std::floor(origin + i * step);
        if (here != column) {
            AddColumn(values, begin, i, drawn);
            begin = i;
            column = here;
        }
    }
    if (begin < n)
        AddColumn(values, begin, n, drawn);
    DropFlatInnerPoints(values, drawn);
    return drawn;
}

} // namespace spritlog
