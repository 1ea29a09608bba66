// The shape tool's cells: every box up to 40 x 40 against what any drawn
// shape must be (inside its box, touching each side, symmetric in both
// axes, an 8-connected outline, filled = outline + row interiors, near the
// ideal ellipse), a few exact small shapes, clipping, and the dragged box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cellshapes.h"

namespace {

using Cells = std::set<std::pair<int, int>>;  // (x, y)

Cells CellsOf(const std::vector<CellSpan>& spans)
{
    Cells cells;
    for (const CellSpan& s : spans)
        for (int x = s.left; x < s.right; ++x) cells.emplace_hint(cells.end(), x, s.row);
    return cells;
}

::testing::AssertionResult WellFormed(const std::vector<CellSpan>& spans, const CRect& box)
{
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const CellSpan& s = spans[i];
        if (s.left >= s.right || s.left < box.left || s.right > box.right || s.row < box.top || s.row >= box.bottom)
            return ::testing::AssertionFailure() << "span " << i << " empty or outside the box";
        // In order, and apart: no cell twice.
        if (i > 0 && (spans[i - 1].row > s.row || (spans[i - 1].row == s.row && spans[i - 1].right >= s.left)))
            return ::testing::AssertionFailure() << "span " << i << " out of order or touching the one before";
    }
    return ::testing::AssertionSuccess();
}

// The cells of a box, as a grid of flags.
struct Grid {
    CRect box;
    std::vector<char> on;
    Grid(const CRect& b, const std::vector<CellSpan>& spans) : box(b), on(std::size_t(b.Width() * b.Height()))
    {
        for (const CellSpan& s : spans)
            for (int x = s.left; x < s.right; ++x) on[Index(x, s.row)] = 1;
    }
    std::size_t Index(int x, int y) const { return std::size_t((y - box.top) * box.Width() + x - box.left); }
    bool At(int x, int y) const { return box.PtInRect(CPoint(x, y)) && on[Index(x, y)]; }
    bool operator==(const Grid&) const = default;
};

bool EightConnected(const Grid& cells)
{
    std::vector<char> seen(cells.on.size());
    std::vector<CPoint> todo;
    std::size_t count = 0, reached = 0;
    for (int y = cells.box.top; y < cells.box.bottom; ++y)
        for (int x = cells.box.left; x < cells.box.right; ++x)
            if (cells.At(x, y) && count++ == 0) todo.push_back({x, y}), seen[cells.Index(x, y)] = 1;
    while (!todo.empty()) {
        const CPoint p = todo.back();
        todo.pop_back();
        ++reached;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (cells.At(p.x + dx, p.y + dy) && !seen[cells.Index(p.x + dx, p.y + dy)]++)
                    todo.push_back({p.x + dx, p.y + dy});
    }
    return reached == count;
}

// (x / rx)^2 + (y / ry)^2 for the ideal ellipse through the box's edge cells' centres.
double EllipseValue(double x, double y, int w, int h)
{
    const double rx = (w - 1) / 2.0, ry = (h - 1) / 2.0;
    return (x * x) / (rx * rx) + (y * y) / (ry * ry);
}

TEST(CellShapes, EveryBoxUpTo40GivesAWellFormedSymmetricShape)
{
    for (int w = 1; w <= 40; ++w) {
        for (int h = 1; h <= 40; ++h) {
            const CRect box(3, 5, 3 + w, 5 + h);
            for (const bool ellipse : {false, true}) {
                SCOPED_TRACE(testing::Message() << (ellipse ? "ellipse " : "rectangle ") << w << " x " << h);
                const auto outlineSpans = ShapeSpans(ellipse ? CellShape::Ellipse : CellShape::Rectangle, box);
                const auto filledSpans =
                    ShapeSpans(ellipse ? CellShape::FilledEllipse : CellShape::FilledRectangle, box);
                ASSERT_TRUE(WellFormed(outlineSpans, box));
                ASSERT_TRUE(WellFormed(filledSpans, box));
                const Grid outline(box, outlineSpans), filled(box, filledSpans);
                ASSERT_TRUE(EightConnected(outline));
                // Filled: every row from its outline's first cell to its last.
                Grid rows(box, {});
                int touches[4] = {}, outlineCount = 0;
                for (int y = box.top; y < box.bottom; ++y) {
                    int lo = box.right, hi = box.left - 1;
                    for (int x = box.left; x < box.right; ++x) {
                        if (!outline.At(x, y)) continue;
                        lo = std::min(lo, x), hi = std::max(hi, x), ++outlineCount;
                        // The mirror images in both axes are there too.
                        ASSERT_TRUE(outline.At(box.left + box.right - 1 - x, y));
                        ASSERT_TRUE(outline.At(x, box.top + box.bottom - 1 - y));
                        touches[0] += x == box.left, touches[1] += x == box.right - 1;
                        touches[2] += y == box.top, touches[3] += y == box.bottom - 1;
                    }
                    ASSERT_LE(lo, hi) << "row " << y << " has no cell";
                    for (int x = lo; x <= hi; ++x) rows.on[rows.Index(x, y)] = 1;
                }
                ASSERT_TRUE(filled == rows);
                ASSERT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
                const int filledCount = int(std::count(filled.on.begin(), filled.on.end(), 1));
                if (!ellipse) {
                    ASSERT_EQ(filledCount, w * h);
                    ASSERT_EQ(outlineCount, w <= 2 || h <= 2 ? w * h : 2 * (w + h) - 4);
                    continue;
                }
                if (w < 3 || h < 3) {
                    // Too thin to bend: the whole box.
                    ASSERT_EQ(filledCount, w * h);
                    continue;
                }
                // Near the ideal ellipse: a cell inside it by a cell's width
                // is filled, one outside it by as much is not.
                const double cx = box.left + (w - 1) / 2.0, cy = box.top + (h - 1) / 2.0;
                for (int y = box.top; y < box.bottom; ++y)
                    for (int x = box.left; x < box.right; ++x) {
                        const double dx = std::abs(x - cx), dy = std::abs(y - cy);
                        if (EllipseValue(dx + 1, dy + 1, w, h) <= 1) ASSERT_TRUE(filled.At(x, y)) << x << "," << y;
                        if (EllipseValue(std::max(0.0, dx - 1), std::max(0.0, dy - 1), w, h) > 1)
                            ASSERT_FALSE(filled.At(x, y)) << x << "," << y;
                    }
            }
        }
    }
}

TEST(CellShapes, SmallEllipsesAreExact)
{
    const auto rows = [](int w, int h) {
        std::vector<std::string> picture(std::size_t(h), std::string(std::size_t(w), '.'));
        for (const CellSpan& s : ShapeSpans(CellShape::Ellipse, CRect(0, 0, w, h)))
            for (int x = s.left; x < s.right; ++x) picture[std::size_t(s.row)][std::size_t(x)] = '#';
        return picture;
    };
    using Picture = std::vector<std::string>;
    EXPECT_EQ(rows(1, 1), (Picture{"#"}));
    EXPECT_EQ(rows(1, 4), (Picture{"#", "#", "#", "#"}));
    EXPECT_EQ(rows(5, 1), (Picture{"#####"}));
    EXPECT_EQ(rows(2, 2), (Picture{"##", "##"}));
    EXPECT_EQ(rows(3, 3), (Picture{".#.", "#.#", ".#."}));
    EXPECT_EQ(rows(4, 4), (Picture{".##.", "#..#", "#..#", ".##."}));
    EXPECT_EQ(rows(7, 5), (Picture{"..###..", ".#...#.", "#.....#", ".#...#.", "..###.."}));
}

TEST(CellShapes, ClippingKeepsTheCellsInsideAndBoxesFollowTheModifiers)
{
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const CRect box(int(random() % 40) - 20, int(random() % 40) - 20, 0, 0);
        const CRect sized(box.left, box.top, box.left + 1 + int(random() % 50), box.top + 1 + int(random() % 50));
        const CRect clip(int(random() % 30) - 15, int(random() % 30) - 15, int(random() % 30), int(random() % 30));
        const auto shape = CellShape(round % 4);
        Cells want;
        for (const auto& cell : CellsOf(ShapeSpans(shape, sized)))
            if (cell.first >= clip.left && cell.first < clip.right && cell.second >= clip.top &&
                cell.second < clip.bottom)
                want.insert(cell);
        EXPECT_EQ(CellsOf(ShapeSpans(shape, sized, clip)), want) << "round " << round;
    }
    struct Case {
        CPoint press, now;
        bool square, centre;
        CRect box;
    };
    for (const Case& c : std::vector<Case>{{{5, 5}, {8, 6}, false, false, {5, 5, 9, 7}},
                                           {{5, 5}, {2, 9}, false, false, {2, 5, 6, 10}},
                                           {{5, 5}, {8, 6}, true, false, {5, 5, 9, 9}},
                                           {{5, 5}, {4, 1}, true, false, {1, 1, 6, 6}},
                                           {{5, 5}, {8, 6}, false, true, {2, 4, 9, 7}},
                                           {{5, 5}, {3, 6}, true, true, {3, 3, 8, 8}}})
        EXPECT_EQ(ShapeBox(c.press, c.now, c.square, c.centre), c.box);
}

}  // namespace
