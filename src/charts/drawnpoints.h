#pragma once

#include <cstdint>
#include <vector>

namespace spritlog {

// Which points of a line a chart draws when there are more points than pixel columns.
//
// Point i lies in pixel column floor(origin + i * step): `origin` is where the first point
// lies and `step` how far, in pixels, each point is from the one before. Of the points in
// one column the line needs only the first, the lowest, the highest and the last (in their
// order): through them it covers the same pixels as through all of them, and the lines
// between the columns stay as they were. Of several points in a row with the same value
// only the outer two are kept: the line between them is the same.
//
// The result is the indices of the points to draw, in increasing order: all of them while
// the points stand no closer than kDrawnPointsPerColumn to a column (or `step` is no
// finite positive number), else at most that many per column. The first and the last point
// are always among them.
inline constexpr int kDrawnPointsPerColumn = 4;
std::vector<int32_t> DrawnPoints(const std::vector<double>& values, double origin, double step);

} // namespace spritlog
