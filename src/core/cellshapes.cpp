#include "cellshapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// The cells of one row of a shape, as offsets from the box's left edge: the
// run [lo, hi] of its left half; the right half is its mirror image.
struct HalfRow {
    std::int64_t lo = 1;
    std::int64_t hi = 0;
    void Add(std::int64_t x)
    {
        if (lo > hi) {
            lo = hi = x;
            return;
        }
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
};

// Adds cells [left, right) of row, kept to clip, in box coordinates offset by origin.
void AddSpan(std::vector<CellSpan>& spans, const CRect& clip, std::int64_t row, std::int64_t left, std::int64_t right)
{
    left = std::max<std::int64_t>(left, clip.left);
    right = std::min<std::int64_t>(right, clip.right);
    if (row < clip.top || row >= clip.bottom || left >= right) return;
    spans.push_back({int(row), int(left), int(right)});
}

// Every row's half run of the ellipse outline in a box of width a + 1 and
// height b + 1 (Zingl's plotEllipseRect with the box at the origin), for
// the rows [first, first + rows.size()) of the box.
void EllipseHalfRows(std::int64_t a, std::int64_t b, std::int64_t first, std::vector<HalfRow>& rows)
{
    const auto set = [&](std::int64_t x, std::int64_t y) {
        if (y >= first && y < first + std::int64_t(rows.size())) rows[std::size_t(y - first)].Add(x);
    };
    std::int64_t b1 = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b;  // the error's increments
    std::int64_t dy = 4 * (b1 + 1) * a * a;
    std::int64_t err = dx + dy + b1 * a * a;
    std::int64_t x0 = 0, x1 = a;
    std::int64_t y0 = (b + 1) / 2;  // the widest rows: one, or two for an even height
    std::int64_t y1 = y0 - b1;
    const std::int64_t aa8 = 8 * a * a;
    const std::int64_t bb8 = 8 * b * b;
    do {
        // x1 mirrors x0: the left half alone is kept.
        set(x0, y0);
        set(x0, y1);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            err += dy += aa8;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            err += dx += bb8;
        }
    } while (x0 <= x1);
    // A flat box (one or two cells across) stops early: its tips go on to
    // the top and bottom rows.
    while (y0 - y1 <= b) {
        set(x0 - 1, y0++);
        set(x0 - 1, y1--);
    }
}

void RectangleSpans(std::vector<CellSpan>& spans, const CRect& box, const CRect& clip, bool filled)
{
    const int top = std::max(box.top, clip.top);
    const int bottom = std::min(box.bottom, clip.bottom);
    for (int row = top; row < bottom; ++row) {
        if (filled || row == box.top || row == box.bottom - 1 || box.Width() <= 2) {
            AddSpan(spans, clip, row, box.left, box.right);
            continue;
        }
        AddSpan(spans, clip, row, box.left, box.left + 1);
        AddSpan(spans, clip, row, box.right - 1, box.right);
    }
}

void EllipseSpans(std::vector<CellSpan>& spans, const CRect& box, const CRect& clip, bool filled)
{
    const std::int64_t a = std::int64_t(box.right) - box.left - 1;
    const std::int64_t b = std::int64_t(box.bottom) - box.top - 1;
    const std::int64_t first = std::max<std::int64_t>(box.top, clip.top) - box.top;
    const std::int64_t end = std::min<std::int64_t>(box.bottom, clip.bottom) - box.top;
    if (end <= first) return;
    std::vector<HalfRow> rows(std::size_t(end - first));
    EllipseHalfRows(a, b, first, rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HalfRow& half = rows[i];
        if (half.lo > half.hi) continue;
        const std::int64_t row = box.top + first + std::int64_t(i);
        // The right half's run is [a - hi, a - lo]; the two meet in the
        // rows whose half runs reach the middle.
        if (filled || half.hi + 1 >= a - half.hi) {
            AddSpan(spans, clip, row, box.left + half.lo, box.left + a - half.lo + 1);
            continue;
        }
        AddSpan(spans, clip, row, box.left + half.lo, box.left + half.hi + 1);
        AddSpan(spans, clip, row, box.left + a - half.hi, box.left + a - half.lo + 1);
    }
}

// The ellipse's error terms grow as width x height x the longer side; past
// this they would no longer fit 64 bits.
bool EllipseFits(const CRect& box)
{
    const double w = box.Width(), h = box.Height();
    return w * h * std::max(w, h) < double(std::int64_t(1) << 56);
}

}  // namespace

std::vector<CellSpan> ShapeSpans(CellShape shape, const CRect& box, const CRect& clip)
{
    std::vector<CellSpan> spans;
    if (box.right <= box.left || box.bottom <= box.top) return spans;
    const bool filled = shape == CellShape::FilledRectangle || shape == CellShape::FilledEllipse;
    const bool ellipse = shape == CellShape::Ellipse || shape == CellShape::FilledEllipse;
    // A box too large for the ellipse's arithmetic, far past any map, gets the rectangle.
    if (ellipse && EllipseFits(box))
        EllipseSpans(spans, box, clip, filled);
    else
        RectangleSpans(spans, box, clip, filled);
    return spans;
}

CRect ShapeBox(CPoint press, CPoint now, bool square, bool fromCentre)
{
    std::int64_t dx = std::int64_t(now.x) - press.x;
    std::int64_t dy = std::int64_t(now.y) - press.y;
    if (square) {
        const std::int64_t side = std::max(std::llabs(dx), std::llabs(dy));
        dx = dx < 0 ? -side : side;
        dy = dy < 0 ? -side : side;
    }
    const auto clamp = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30)); };
    if (fromCentre) {
        dx = std::llabs(dx);
        dy = std::llabs(dy);
        return {clamp(press.x - dx), clamp(press.y - dy), clamp(press.x + dx + 1), clamp(press.y + dy + 1)};
    }
    return {clamp(std::min<std::int64_t>(press.x, press.x + dx)), clamp(std::min<std::int64_t>(press.y, press.y + dy)),
            clamp(std::max<std::int64_t>(press.x, press.x + dx) + 1),
            clamp(std::max<std::int64_t>(press.y, press.y + dy) + 1)};
}
