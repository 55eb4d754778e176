#include "charts/drawnpoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace spritlog {
namespace {

// Every run of points the line is thinned to keeps its lowest and highest value, the
// line keeps its ends, and no column gets more than its share.
TEST(DrawnPoints, KeepEachColumnsExtremesAndTheEnds) {
    std::vector<double> values;
    for (int i = 0; i < 32768; ++i)
        values.push_back((i * 7919) % 1009 - 0.5 * (i % 13)); // jumps up and down
    const int columns = 700;
    const std::vector<int32_t> drawn = DrawnPoints(values, columns);

    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 0);
    EXPECT_EQ(drawn.back(), 32767);
    EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
    EXPECT_TRUE(std::adjacent_find(drawn.begin(), drawn.end()) == drawn.end());
    EXPECT_LE(drawn.size(), std::size_t{kDrawnPointsPerColumn} * columns);
    const int64_t n = static_cast<int64_t>(values.size());
    for (int64_t column = 0; column < columns; ++column) {
        const auto begin = values.begin() + column * n / columns;
        const auto end = values.begin() + (column + 1) * n / columns;
        const auto [lowest, highest] = std::minmax_element(begin, end);
        for (const auto extreme : {lowest, highest}) {
            const auto index = static_cast<int32_t>(extreme - values.begin());
            EXPECT_TRUE(std::binary_search(drawn.begin(), drawn.end(), index))
                << "column " << column << ", point " << index;
        }
    }
}

TEST(DrawnPoints, AllPointsWhileTheyFitAndTwoForAFlatLine) {
    const std::vector<double> few = {3, 1, 4, 1, 5, 9, 2, 6};
    EXPECT_EQ(DrawnPoints(few, 2), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(DrawnPoints(few, 0).size(), few.size()); // no width yet: all of them
    EXPECT_EQ(DrawnPoints(std::vector<double>(10000, 7.5), 100), (std::vector<int32_t>{0, 9999}));
    EXPECT_TRUE(DrawnPoints({}, 100).empty());
}

} // namespace
} // namespace spritlog
