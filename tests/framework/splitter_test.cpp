// Static splitter layout: ideal sizes first, the last pane takes the rest,
// an ideal below the minimum gives the pane no room.
#include <gtest/gtest.h>

#include <vector>

#include "splitter.h"

namespace {
struct LayoutCase {
    std::vector<int> ideal;
    std::vector<int> minimum;
    int extent;
    int bar;
    std::vector<int> expected;
};

class SplitterLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SplitterLayout, SizesFollowIdealValues)
{
    const LayoutCase& c = GetParam();
    EXPECT_EQ(CSplitterWnd::LayoutSizes(c.ideal, c.minimum, c.extent, c.bar), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitterLayout,
                         ::testing::Values(LayoutCase{{480, 0}, {10, 10}, 1000, 6, {480, 514}},  // top row, rest below
                                           LayoutCase{{750, 0}, {10, 10}, 1000, 6, {750, 244}},  // map pane of W = 1000
                                           LayoutCase{
                                               {360, 0}, {10, 10}, 1000, 6, {360, 634}},    // palette: 640 less the bar
                                           LayoutCase{{5, 0}, {10, 10}, 300, 6, {0, 294}},  // below the minimum: none
                                           LayoutCase{{900, 0}, {10, 10}, 500, 6, {494, 0}},  // larger than the window
                                           LayoutCase{{100, 0}, {10, 10}, 0, 6, {0, 0}}));    // no room at all
}  // namespace
