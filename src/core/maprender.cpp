#include "maprender.h"

#include "celllayers.h"
#include "sprite.h"
#include "tilelist.h"

#include <algorithm>
#include <cstring>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Copies a width x height picture (rows of width pixels) to map pixel
// (left, top), keeping to the part the buffer shows.
void CopyClipped(const MapPixels& target, const std::uint32_t* source, int width, int height, std::int64_t left,
                 std::int64_t top)
{
    if (!target.bits || !source) return;
    const std::int64_t x0 = std::max(left, target.originX);
    const std::int64_t x1 = std::min(left + width, target.originX + target.width);
    const std::int64_t y0 = std::max(top, target.originY);
    const std::int64_t y1 = std::min(top + height, target.originY + target.height);
    if (x0 >= x1 || y0 >= y1) return;
    const std::size_t rowBytes = std::size_t(x1 - x0) * sizeof(std::uint32_t);
    for (std::int64_t y = y0; y < y1; ++y) {
        std::uint32_t* to = target.bits + (y - target.originY) * target.stride + (x0 - target.originX);
        const std::uint32_t* from = source + (y - top) * width + (x0 - left);
        std::memcpy(to, from, rowBytes);
    }
}

}  // namespace

// The outline is what a 1-pixel dotted pen draws for a rectangle covering
// the cell: the pixels x = 0..width-1, y = 0..height-1 on its border. The
// dots are 3 pixels on, 3 off, the gaps in the white background. We walk
// the border once, clockwise from the top-left pixel (along the top, down
// the right side, back along the bottom, up the left side) with a single
// running count, each corner counted once; a pixel is grey while
// count % 6 < 3.
std::vector<std::uint32_t> MakeEmptyCellPattern(int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> pattern(std::size_t(width) * std::size_t(height), kCellBackground);
    int count = 0;
    const auto dot = [&](int x, int y) {
        pattern[std::size_t(y) * std::size_t(width) + std::size_t(x)] = count % 6 < 3 ? kCellGridDot : kCellBackground;
        ++count;
    };
    const int right = width - 1;
    const int bottom = height - 1;
    for (int x = 0; x <= right; ++x) dot(x, 0);
    for (int y = 1; y <= bottom; ++y) dot(right, y);
    if (right > 0 && bottom > 0) {
        for (int x = right - 1; x >= 0; --x) dot(x, bottom);
        for (int y = bottom - 1; y >= 1; --y) dot(0, y);
    }
    return pattern;
}

void DrawEmptyCell(const MapPixels& target, std::int64_t left, std::int64_t top, int width, int height)
{
    const std::vector<std::uint32_t> pattern = MakeEmptyCellPattern(width, height);
    CopyClipped(target, pattern.data(), width, height, left, top);
}

void DrawTile(const MapPixels& target, const CSprite& tile, std::int64_t left, std::int64_t top)
{
    if (tile.IsEmpty()) return;
    CopyClipped(target, tile.GetScreenBits(), tile.GetWidth(), tile.GetHeight(), left, top);
}

const CSprite* TileForCell(const CTileList* tiles, short value)
{
    if (!tiles || value < 0) return nullptr;
    const CSprite* tile = tiles->GetAt(value);
    return tile && !tile->IsEmpty() ? tile : nullptr;
}

void DrawMapCell(const MapPixels& target, const MapRenderSource& map, int col, int row)
{
    RenderMapCells(target, map, CRect(col, row, col + 1, row + 1));
}

void RenderMapCells(const MapPixels& target, const MapRenderSource& map, const CRect& cells)
{
    const int tw = map.tileWidth;
    const int th = map.tileHeight;
    if (!target.bits || target.width <= 0 || target.height <= 0 || tw <= 0 || th <= 0) return;

    // Only the cells that are in the map and that the buffer shows.
    const std::int64_t firstCol = std::max<std::int64_t>({cells.left, 0, FloorDiv(target.originX, tw)});
    const std::int64_t firstRow = std::max<std::int64_t>({cells.top, 0, FloorDiv(target.originY, th)});
    const std::int64_t endCol = std::min<std::int64_t>(
        {cells.right, map.mapWidth, FloorDiv(target.originX + target.width - 1, tw) + 1});
    const std::int64_t endRow = std::min<std::int64_t>(
        {cells.bottom, map.mapHeight, FloorDiv(target.originY + target.height - 1, th) + 1});
    if (firstCol >= endCol || firstRow >= endRow) return;

    const auto tileAt = [&](std::int64_t col, std::int64_t row) -> const CSprite* {
        if (!map.tileLayer) return nullptr;
        return TileForCell(map.tiles, map.tileLayer[row * map.mapWidth + col]);
    };

    // The empty look goes under every cell that its tile does not cover
    // exactly; then the tiles go on top, so a tile larger than its cell is
    // never cut by a neighbour's outline.
    const std::vector<std::uint32_t> pattern = MakeEmptyCellPattern(tw, th);
    for (std::int64_t row = firstRow; row < endRow; ++row) {
        for (std::int64_t col = firstCol; col < endCol; ++col) {
            const CSprite* tile = tileAt(col, row);
            if (!tile || tile->GetWidth() != tw || tile->GetHeight() != th)
                CopyClipped(target, pattern.data(), tw, th, col * tw, row * th);
        }
    }
    for (std::int64_t col = firstCol; col < endCol; ++col) {
        for (std::int64_t row = firstRow; row < endRow; ++row) {
            if (const CSprite* tile = tileAt(col, row)) DrawTile(target, *tile, col * tw, row * th);
        }
    }
}
