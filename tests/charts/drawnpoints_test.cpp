#include "charts/drawnpoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace spritlog {
namespace {

// Every pixel column the line is thinned for keeps its lowest and highest value, the
// line keeps its ends, and no column gets more than its share.
TEST(DrawnPoints, KeepEachColumnsExtremesAndTheEnds) {
    std::vector<double> values;
    for (int i = 0; i < 32768; ++i)
        values.push_back((i * 7919) % 1009 - 0.5 * (i % 13)); // jumps up and down
    const double origin = 80.4;                               // the plot's left edge
    const double step = 633.0 / 32767;                        // 633 pixels wide
    const std::vector<int32_t> drawn = DrawnPoints(values, origin, step);

    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 0);
    EXPECT_EQ(drawn.back(), 32767);
    EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
    EXPECT_TRUE(std::adjacent_find(drawn.begin(), drawn.end()) == drawn.end());
    std::map<double, std::vector<int32_t>> columns;
    for (int32_t i = 0; i < static_cast<int32_t>(values.size()); ++i)
        columns[std::floor(origin + i * step)].push_back(i);
    EXPECT_LE(drawn.size(), kDrawnPointsPerColumn * columns.size());
    for (const auto& [column, points] : columns) {
        const auto [lowest, highest] =
            std::minmax_element(points.begin(), points.end(),
                                [&](int32_t a, int32_t b) { return values[a] < values[b]; });
        for (const int32_t index : {*lowest, *highest})
            EXPECT_TRUE(std::binary_search(drawn.begin(), drawn.end(), index))
                << "column " << column << ", point " << index;
    }
}

TEST(DrawnPoints, AllPointsWhileTheyStandApartAndTwoForAFlatLine) {
    const std::vector<double> few = {3, 1, 4, 1, 5, 9, 2, 6};
    EXPECT_EQ(DrawnPoints(few, 0, 0.25), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(DrawnPoints(few, 0, 0).size(), few.size()); // no grid yet: all of them
    EXPECT_EQ(DrawnPoints(std::vector<double>(10000, 7.5), 10, 0.01),
              (std::vector<int32_t>{0, 9999}));
    EXPECT_TRUE(DrawnPoints({}, 0, 0.01).empty());
}

} // namespace
} // namespace spritlog
