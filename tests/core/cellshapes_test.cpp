// The shape tool's cells: every box up to 40 x 40 against what any shape must be
// (in order, in its box, touching each side, symmetric, an 8-connected outline,
// filled = outline + row interiors, near the ideal ellipse), exact small
// ellipses, clipping, and the dragged box.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "cellshapes.h"

namespace {

// The cells of spans as rows of '#' and '.' over box; empty when a span is
// out of order, overlaps another or leaves the box.
std::vector<std::string> Picture(const std::vector<CellSpan>& spans, const CRect& box)
{
    std::vector<std::string> rows(std::size_t(box.Height()), std::string(std::size_t(box.Width()), '.'));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const CellSpan& s = spans[i];
        if (s.left >= s.right || s.left < box.left || s.right > box.right || s.row < box.top || s.row >= box.bottom ||
            (i > 0 && (spans[i - 1].row > s.row || (spans[i - 1].row == s.row && spans[i - 1].right >= s.left))))
            return {};
        rows[std::size_t(s.row - box.top)].replace(std::size_t(s.left - box.left), std::size_t(s.right - s.left),
                                                   std::size_t(s.right - s.left), '#');
    }
    return rows;
}

bool EightConnected(std::vector<std::string> rows)
{
    const int h = int(rows.size()), w = int(rows[0].size());
    const std::function<void(int, int)> take = [&](int x, int y) {
        if (x < 0 || x >= w || y < 0 || y >= h || rows[std::size_t(y)][std::size_t(x)] != '#') return;
        rows[std::size_t(y)][std::size_t(x)] = 'o';
        for (int d = 0; d < 9; ++d) take(x + d % 3 - 1, y + d / 3 - 1);
    };
    take(int(rows[0].find('#')), 0);
    return std::none_of(rows.begin(), rows.end(), [](const std::string& r) { return r.find('#') != r.npos; });
}

TEST(CellShapes, EveryBoxUpTo40GivesAWellFormedSymmetricShape)
{
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; ++h)
            for (const bool ellipse : {false, true}) {
                SCOPED_TRACE(testing::Message() << (ellipse ? "ellipse " : "rectangle ") << w << " x " << h);
                const CRect box(3, -5, 3 + w, -5 + h);
                const auto outline = Picture(ShapeSpans(ellipse ? CellShape::Ellipse : CellShape::Rectangle, box), box);
                const auto filled =
                    Picture(ShapeSpans(ellipse ? CellShape::FilledEllipse : CellShape::FilledRectangle, box), box);
                ASSERT_FALSE(outline.empty() || filled.empty()) << "spans out of order, overlapping or outside";
                ASSERT_TRUE(EightConnected(outline));
                std::string columns(std::size_t(w), '.');
                for (int y = 0; y < h; ++y) {
                    const std::string& row = outline[std::size_t(y)];
                    const auto lo = row.find('#'), hi = row.rfind('#');
                    ASSERT_NE(lo, row.npos) << "row " << y << " has no cell";
                    // Filled: the outline's row from its first cell to its last.
                    std::string want(std::size_t(w), '.');
                    want.replace(lo, hi - lo + 1, hi - lo + 1, '#');
                    ASSERT_EQ(filled[std::size_t(y)], want) << "row " << y;
                    // Symmetric in both axes.
                    ASSERT_EQ(row, std::string(row.rbegin(), row.rend()));
                    ASSERT_EQ(row, outline[std::size_t(h - 1 - y)]);
                    for (int x = 0; x < w; ++x)
                        if (row[std::size_t(x)] == '#') columns[std::size_t(x)] = '#';
                }
                // Touching the left and right sides (every row has a cell); too
                // thin to bend, the ellipse is the whole box.
                ASSERT_TRUE(columns.front() == '#' && columns.back() == '#');
                if (!ellipse || w < 3 || h < 3) {
                    ASSERT_EQ(filled, std::vector<std::string>(std::size_t(h), std::string(std::size_t(w), '#')));
                    continue;
                }
                // Near the ideal ellipse through the edge cells' middles: a cell
                // inside it by a cell's width is filled, one outside it by as much is not.
                const double rx = (w - 1) / 2.0, ry = (h - 1) / 2.0;
                const auto inside = [&](double dx, double dy) {
                    return dx * dx / (rx * rx) + dy * dy / (ry * ry) <= 1;
                };
                int misplaced = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const double dx = std::abs(x - rx), dy = std::abs(y - ry);
                        const bool on = filled[std::size_t(y)][std::size_t(x)] == '#';
                        misplaced += (inside(dx + 1, dy + 1) && !on) ||
                                     (!inside(std::max(0.0, dx - 1), std::max(0.0, dy - 1)) && on);
                    }
                ASSERT_EQ(misplaced, 0);
            }
}

TEST(CellShapes, SmallEllipsesAreExactAndClippingKeepsTheCellsInside)
{
    // (1 x N, N x 1 and 2 x 2 are the whole box, as every thin box above.)
    using Rows = std::vector<std::string>;
    const auto ellipse = [](int w, int h) {
        return Picture(ShapeSpans(CellShape::Ellipse, {0, 0, w, h}), {0, 0, w, h});
    };
    EXPECT_EQ(ellipse(3, 3), (Rows{".#.", "#.#", ".#."}));
    EXPECT_EQ(ellipse(4, 4), (Rows{".##.", "#..#", "#..#", ".##."}));
    EXPECT_EQ(ellipse(7, 5), (Rows{"..###..", ".#...#.", "#.....#", ".#...#.", "..###.."}));
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const int left = int(random() % 40) - 20, top = int(random() % 40) - 20;
        const CRect box(left, top, left + 1 + int(random() % 50), top + 1 + int(random() % 50));
        const CRect clip(int(random() % 30) - 15, int(random() % 30) - 15, int(random() % 30), int(random() % 30));
        Rows want = Picture(ShapeSpans(CellShape(round % 4), box), box);
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (!clip.PtInRect({x, y})) want[std::size_t(y - box.top)][std::size_t(x - box.left)] = '.';
        EXPECT_EQ(Picture(ShapeSpans(CellShape(round % 4), box, clip), box), want) << "round " << round;
    }
}

TEST(CellShapes, TheDraggedBoxFollowsShiftAndCtrl)
{
    // Pressed at (5, 5): the pointer's cell, Shift, Ctrl, and the box.
    const std::tuple<CPoint, bool, bool, CRect> cases[] = {
        {{8, 6}, false, false, {5, 5, 9, 7}}, {{2, 9}, false, false, {2, 5, 6, 10}},
        {{8, 6}, true, false, {5, 5, 9, 9}},  {{4, 1}, true, false, {1, 1, 6, 6}},
        {{8, 6}, false, true, {2, 4, 9, 7}},  {{3, 6}, true, true, {3, 3, 8, 8}}};
    for (const auto& [now, square, centre, box] : cases) EXPECT_EQ(ShapeBox({5, 5}, now, square, centre), box);
}

}  // namespace
