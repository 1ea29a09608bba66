#include "cellline.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

std::vector<CPoint> LineCells(CPoint from, CPoint to)
{
    // Bresenham's walk, in 64 bits so that no distance overflows.
    const std::int64_t dx = std::llabs(std::int64_t(to.x) - from.x);
    const std::int64_t dy = -std::llabs(std::int64_t(to.y) - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    std::vector<CPoint> cells;
    cells.reserve(std::size_t(std::max(dx, -dy) + 1));
    std::int64_t error = dx + dy;
    CPoint at = from;
    for (;;) {
        cells.push_back(at);
        if (at == to) break;
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.y += sy;
        }
    }
    return cells;
}
