#include "maprender.h"

#include "mapmodel.h"
#include "sprite.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Copies the part of a width x height picture (rows of width pixels) that
// falls inside clip (picture coordinates of the window) to picture pixel
// (left, top) of the window.
void CopyClipped(const MapPixels& target, const std::uint32_t* source, int width, int height, std::int64_t left,
                 std::int64_t top, std::int64_t clipLeft, std::int64_t clipTop, std::int64_t clipRight,
                 std::int64_t clipBottom)
{
    if (!target.bits || !source) return;
    const std::int64_t x0 = std::max({left, target.originX, clipLeft});
    const std::int64_t x1 = std::min({left + width, target.originX + target.width, clipRight});
    const std::int64_t y0 = std::max({top, target.originY, clipTop});
    const std::int64_t y1 = std::min({top + height, target.originY + target.height, clipBottom});
    if (x0 >= x1 || y0 >= y1) return;
    const std::size_t rowBytes = std::size_t(x1 - x0) * sizeof(std::uint32_t);
    for (std::int64_t y = y0; y < y1; ++y) {
        std::uint32_t* to = target.bits + (y - target.originY) * target.stride + (x0 - target.originX);
        const std::uint32_t* from = source + (y - top) * width + (x0 - left);
        std::memcpy(to, from, rowBytes);
    }
}

// The empty-cell look of the last size asked for: a pane redraws with the
// same size again and again.
const std::vector<std::uint32_t>& EmptyCellLook(int width, int height, bool grid)
{
    struct Look {
        int width = 0;
        int height = 0;
        bool grid = true;
        std::vector<std::uint32_t> pixels;
    };
    thread_local Look look;
    if (look.pixels.empty() || look.width != width || look.height != height || look.grid != grid) {
        look.width = width;
        look.height = height;
        look.grid = grid;
        look.pixels = grid ? MakeEmptyCellPattern(width, height)
                           : std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height), kCellBackground);
    }
    return look.pixels;
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

void DrawTile(const MapPixels& target, const CSprite& tile, std::int64_t left, std::int64_t top)
{
    if (tile.IsEmpty()) return;
    CopyClipped(target, tile.GetScreenBits(), tile.GetWidth(), tile.GetHeight(), left, top, INT64_MIN, INT64_MIN,
                INT64_MAX, INT64_MAX);
}

void RenderMapRegion(const MapPixels& target, const CMapModel& map, const MapDrawOptions& options)
{
    const int tw = map.m_nTileWidth;
    const int th = map.m_nTileHeight;
    if (!target.bits || target.width <= 0 || target.height <= 0 || tw <= 0 || th <= 0) return;

    // The map pixels the window shows.
    const std::int64_t x0 = std::max<std::int64_t>(target.originX, 0);
    const std::int64_t y0 = std::max<std::int64_t>(target.originY, 0);
    const std::int64_t x1 = std::min<std::int64_t>(target.originX + target.width, std::int64_t(map.MapWidth()) * tw);
    const std::int64_t y1 = std::min<std::int64_t>(target.originY + target.height, std::int64_t(map.MapHeight()) * th);
    if (x0 >= x1 || y0 >= y1) return;
    const int firstCol = int(x0 / tw);
    const int endCol = int((x1 - 1) / tw + 1);
    const int firstRow = int(y0 / th);
    const int endRow = int((y1 - 1) / th + 1);

    const std::vector<std::uint32_t>& empty = EmptyCellLook(tw, th, options.grid);
    std::vector<const std::uint32_t*> looks(std::size_t(endCol - firstCol));
    std::vector<std::pair<int, const CSprite*>> odd;  // tiles of another size than the cells

    for (int row = firstRow; row < endRow; ++row) {
        const CellRow cells = map.m_cells.RowOf(CellLayer::Tiles, row);
        odd.clear();
        for (int col = firstCol; col < endCol; ++col) {
            const CSprite* tile = cells ? map.TileForCell(cells[col]) : nullptr;
            const std::uint32_t* look = empty.data();
            if (tile && tile->GetWidth() == tw && tile->GetHeight() == th) {
                if (const std::uint32_t* bits = tile->GetScreenBits()) look = bits;
            } else if (tile) {
                odd.emplace_back(col, tile);
            }
            looks[std::size_t(col - firstCol)] = look;
        }

        // Row by row of pixels across every cell, so the window is written in order.
        const std::int64_t rowTop = std::int64_t(row) * th;
        const std::int64_t ya = std::max(y0, rowTop);
        const std::int64_t yb = std::min(y1, rowTop + th);
        for (std::int64_t y = ya; y < yb; ++y) {
            std::uint32_t* line = target.bits + (y - target.originY) * target.stride;
            const std::int64_t ty = y - rowTop;
            for (int col = firstCol; col < endCol; ++col) {
                const std::int64_t cellLeft = std::int64_t(col) * tw;
                const std::int64_t xa = std::max(x0, cellLeft);
                const std::int64_t xb = std::min(x1, cellLeft + tw);
                const std::uint32_t* from = looks[std::size_t(col - firstCol)] + ty * tw + (xa - cellLeft);
                std::uint32_t* to = line + (xa - target.originX);
                // Whole cells of the common sizes as copies of a known length, which
                // the compiler makes a few vector moves instead of a library call.
                if (xb - xa == 16)
                    std::memcpy(to, from, 16 * sizeof(std::uint32_t));
                else if (xb - xa == 32)
                    std::memcpy(to, from, 32 * sizeof(std::uint32_t));
                else
                    std::memcpy(to, from, std::size_t(xb - xa) * sizeof(std::uint32_t));
            }
        }
        for (const auto& [col, tile] : odd) {
            const std::int64_t cellLeft = std::int64_t(col) * tw;
            CopyClipped(target, tile->GetScreenBits(), tile->GetWidth(), tile->GetHeight(), cellLeft, rowTop,
                        std::max(x0, cellLeft), ya, std::min(x1, cellLeft + tw), yb);
        }
    }
}

std::optional<PictureSize> MapPictureSize(const CMapModel& map)
{
    const PictureSize size{std::int64_t(map.m_nTileWidth) * map.MapWidth(),
                           std::int64_t(map.m_nTileHeight) * map.MapHeight()};
    if (size.width <= 0 || size.height <= 0) return std::nullopt;
    return size;
}

std::optional<PictureSize> ReducedPictureSize(const CMapModel& map)
{
    const auto source = MapPictureSize(map);
    if (!source) return std::nullopt;
    const PictureSize size{source->width / 10 * 5, source->height / 10 * 5};
    if (size.width <= 0 || size.height <= 0) return std::nullopt;
    return size;
}

SourceSpan ReducedSourceSpan(std::int64_t d, std::int64_t sourceSize, std::int64_t reducedSize)
{
    const std::int64_t first = d * sourceSize / reducedSize;
    return {first, std::max(first + 1, (d + 1) * sourceSize / reducedSize)};
}

bool RenderReducedRegion(const MapPixels& target, const CMapModel& map, const MapDrawOptions& options,
                         std::size_t bandBytes)
{
    const auto source = MapPictureSize(map);
    const auto reduced = ReducedPictureSize(map);
    if (!source || !reduced) return false;
    if (!target.bits || target.width <= 0 || target.height <= 0) return true;

    // The reduced pixels the window shows.
    const std::int64_t dx0 = std::max<std::int64_t>(target.originX, 0);
    const std::int64_t dy0 = std::max<std::int64_t>(target.originY, 0);
    const std::int64_t dx1 = std::min(target.originX + target.width, reduced->width);
    const std::int64_t dy1 = std::min(target.originY + target.height, reduced->height);
    if (dx0 >= dx1 || dy0 >= dy1) return true;

    // Where each reduced column's pixels come from, and the source columns behind them all.
    std::vector<SourceSpan> columns;
    try {
        columns.reserve(std::size_t(dx1 - dx0));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::int64_t dx = dx0; dx < dx1; ++dx) columns.push_back(ReducedSourceSpan(dx, source->width, reduced->width));
    const std::int64_t sx0 = columns.front().first;
    const std::int64_t sourceWidth = columns.back().end - sx0;

    // Reduced rows per band, so the source rows behind them fit in bandBytes.
    const std::int64_t perRow = (source->height + reduced->height - 1) / reduced->height + 1;
    const std::int64_t rowBytes = sourceWidth * std::int64_t(sizeof(std::uint32_t));
    const std::int64_t bandRows = std::clamp<std::int64_t>(std::int64_t(bandBytes) / rowBytes / perRow, 1, dy1 - dy0);
    const std::size_t bandPixels = std::size_t(sourceWidth) * std::size_t(bandRows * perRow + 1);
    const std::unique_ptr<std::uint32_t[]> band(new (std::nothrow) std::uint32_t[bandPixels]);
    const std::unique_ptr<std::uint32_t[]> column(new (std::nothrow) std::uint32_t[std::size_t(sourceWidth)]);
    if (!band || !column) return false;

    for (std::int64_t top = dy0; top < dy1; top += bandRows) {
        const std::int64_t count = std::min(bandRows, dy1 - top);
        const std::int64_t sy0 = ReducedSourceSpan(top, source->height, reduced->height).first;
        const std::int64_t sy1 = ReducedSourceSpan(top + count - 1, source->height, reduced->height).end;
        const MapPixels sourceBand{band.get(), int(sourceWidth), int(sy1 - sy0), std::ptrdiff_t(sourceWidth), sx0, sy0};
        RenderMapRegion(sourceBand, map, options);

        for (std::int64_t dy = top; dy < top + count; ++dy) {
            // First the AND down the source rows, then across each column's span.
            const SourceSpan rows = ReducedSourceSpan(dy, source->height, reduced->height);
            const std::uint32_t* first = band.get() + (rows.first - sy0) * sourceWidth;
            std::copy_n(first, sourceWidth, column.get());
            for (std::int64_t y = rows.first + 1; y < rows.end; ++y) {
                const std::uint32_t* line = band.get() + (y - sy0) * sourceWidth;
                for (std::int64_t x = 0; x < sourceWidth; ++x) column[std::size_t(x)] &= line[x];
            }
            std::uint32_t* out = target.bits + (dy - target.originY) * target.stride;
            for (std::int64_t dx = dx0; dx < dx1; ++dx) {
                const SourceSpan span = columns[std::size_t(dx - dx0)];
                std::uint32_t value = 0xFFFFFFFFu;
                for (std::int64_t x = span.first; x < span.end; ++x) value &= column[std::size_t(x - sx0)];
                out[dx - target.originX] = value | 0xFF000000u;
            }
        }
    }
    return true;
}
