#pragma once

#include <cstdint>
#include <vector>

namespace spritlog {

// Which points of a line a chart draws when there are more points than pixel columns.
//
// The points stand at equal distances, point i at x = i. They are split into `columns`
// runs of neighbouring points, one run per pixel column of the plot; a line through the
// first, the lowest, the highest and the last point of every run (in their order) covers
// the same pixels as the line through all points, give or take one pixel sideways. Of
// several points in a row with the same value only the outer two are kept: the line
// between them is the same.
//
// The result is the indices of the points to draw, in increasing order: all of them while
// `values` holds no more than kDrawnPointsPerColumn points per column (or `columns` is
// below 1), else at most that many per column. The first and the last point are always
// among them.
inline constexpr int kDrawnPointsPerColumn = 4;
std::vector<int32_t> DrawnPoints(const std::vector<double>& values, int columns);

} // namespace spritlog
