#include "cellblock.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
CRect OnMap(const CCellLayers& cells, const CRect& area)
{
    CRect clipped;
    clipped.IntersectRect(area, CRect(0, 0, cells.Width(), cells.Height()));
    return clipped;
}

// Cell index from + count, kept to int (blocks may be placed near the end of the int range).
int Clamped(int from, std::int64_t count) { return int(std::clamp<std::int64_t>(from + count, INT_MIN, INT_MAX)); }

// Writes the block row's tiles into cells [x0, x1) of a map row, block
// column (x - anchor) mod cols for cell x, by the block's rule for empty
// entries; returns the end of what was written (x0 when nothing).
int WriteBlockRow(short* row, const short* entries, int cols, bool endsRow, int x0, int x1, std::int64_t anchor)
{
    int c = int(((x0 - anchor) % cols + cols) % cols);
    int end = x0;
    for (int x = x0; x < x1; ++x) {
        const short v = entries[c];
        if (v == kEmptyTileCell) {
            if (endsRow) break;
        } else {
            row[x] = v;
            end = x + 1;
        }
        if (++c == cols) c = 0;
    }
    return end;
}
}  // namespace

CCellBlock CCellBlock::FromPalette(const CTileBlock& block)
{
    CCellBlock made;
    if (block.IsEmpty()) return made;
    made.m_nCols = block.m_nCols;
    made.m_nRows = block.m_nRows;
    made.m_tiles.assign(block.m_entries.begin(), block.m_entries.begin() + std::ptrdiff_t(block.Count()));
    made.m_source = BlockSource::Palette;
    return made;
}

CCellBlock CaptureBlock(const CCellLayers& cells, const CRect& area, bool withAttributes)
{
    CCellBlock block;
    const CRect r = OnMap(cells, area);
    if (r.IsRectEmpty()) return block;
    block.m_nCols = r.Width();
    block.m_nRows = r.Height();
    block.m_source = BlockSource::Map;
    block.m_tiles.reserve(block.Count());
    const bool attrs = withAttributes && cells.HasLayer(CellLayer::Attributes);
    if (attrs) block.m_attrs.reserve(block.Count());
    const auto append = [](std::vector<short>& to) {
        return [&to](int, const short* run, int count) { to.insert(to.end(), run, run + count); };
    };
    for (int y = r.top; y < r.bottom; ++y) {
        if (!cells.ForEachRun(CellLayer::Tiles, y, r.left, r.right, append(block.m_tiles)))
            block.m_tiles.insert(block.m_tiles.end(), std::size_t(r.Width()), kEmptyTileCell);
        if (attrs) cells.ForEachRun(CellLayer::Attributes, y, r.left, r.right, append(block.m_attrs));
    }
    return block;
}

CRect StampCellBlock(CCellLayers& cells, const CCellBlock& block, int col, int row, bool withAttributes)
{
    CRect written;
    if (block.IsEmpty()) return written;
    const CRect reach(col, row, Clamped(col, block.m_nCols), Clamped(row, block.m_nRows));
    const CRect target = OnMap(cells, reach);
    if (target.IsRectEmpty()) return written;
    const bool endsRow = !block.FromMap();
    cells.EditRows(CellLayer::Tiles, target.left, target.top, target.right, target.bottom, [&](int y, short* tiles) {
        const int r = y - row;
        const short* entries = block.m_tiles.data() + std::size_t(r) * std::size_t(block.m_nCols);
        // A palette row that ends before the map's left edge is cut there too.
        if (endsRow &&
            std::find(entries, entries + (target.left - col), kEmptyTileCell) != entries + (target.left - col))
            return;
        // Only the cells with a tile count: a hole at either end writes nothing there.
        int first = target.left;
        while (first < target.right && entries[first - col] == kEmptyTileCell && !endsRow) ++first;
        const int end = WriteBlockRow(tiles, entries, block.m_nCols, endsRow, target.left, target.right, col);
        if (end > first) written.UnionRect(written, CRect(first, y, end, y + 1));
    });
    if (withAttributes && block.HasAttributes() && cells.HasLayer(CellLayer::Attributes)) {
        for (int y = target.top; y < target.bottom; ++y) {
            const short* from = block.m_attrs.data() + std::size_t(y - row) * std::size_t(block.m_nCols);
            cells.ForEachMutableRun(
                CellLayer::Attributes, y, target.left, target.right,
                [&](int x, short* values, int count) { std::copy_n(from + (x - col), count, values); });
        }
        written.UnionRect(written, target);
    }
    return written;
}

CRect FillWithCellBlock(CCellLayers& cells, const CCellBlock& block, const CRect& area)
{
    if (block.IsEmpty() || area.left < 0 || area.top < 0) return {};
    const CRect target = OnMap(cells, area);
    if (target.IsRectEmpty() || !cells.HasLayer(CellLayer::Tiles)) return {};
    const bool endsRow = !block.FromMap();
    CRect written;
    cells.EditRows(CellLayer::Tiles, target.left, target.top, target.right, target.bottom, [&](int y, short* row) {
        const short* entries =
            block.m_tiles.data() + std::size_t((y - area.top) % block.m_nRows) * std::size_t(block.m_nCols);
        int first = target.left;
        if (!endsRow)
            while (first < target.right && entries[(first - area.left) % block.m_nCols] == kEmptyTileCell) ++first;
        const int end = WriteBlockRow(row, entries, block.m_nCols, endsRow, target.left, target.right, area.left);
        if (end > first) written.UnionRect(written, CRect(first, y, end, y + 1));
    });
    return written;
}

CRect EmptyCells(CCellLayers& cells, const CRect& area, LayerScope scope)
{
    const CRect target = OnMap(cells, area);
    if (target.IsRectEmpty()) return {};
    if (scope != LayerScope::AttributesOnly)
        cells.FillRect(CellLayer::Tiles, target.left, target.top, target.right, target.bottom, kEmptyTileCell);
    if (scope != LayerScope::TilesOnly)
        cells.FillRect(CellLayer::Attributes, target.left, target.top, target.right, target.bottom, kNoAttrCell);
    return target;
}

CRect MoveCellRect(CCellLayers& cells, const CRect& from, CPoint to, LayerScope scope)
{
    const CRect source = OnMap(cells, from);
    if (source.IsRectEmpty()) return {};
    // Where the part on the map lands.
    const std::int64_t left = std::int64_t(to.x) + (source.left - from.left);
    const std::int64_t top = std::int64_t(to.y) + (source.top - from.top);
    const CCellBlock moved = CaptureBlock(cells, source, true);
    CRect changed = EmptyCells(cells, source, scope);
    if (left > INT_MAX || top > INT_MAX) return changed;
    // Written whole, holes included: an empty cell moves as an empty cell.
    const CRect reach(int(left), int(top), Clamped(int(left), moved.m_nCols), Clamped(int(top), moved.m_nRows));
    const CRect target = OnMap(cells, reach);
    for (int y = target.top; y < target.bottom; ++y) {
        // Where row y's part of the moved block starts, at column target.left.
        const std::size_t offset = std::size_t(y - top) * std::size_t(moved.m_nCols) + std::size_t(target.left - left);
        const auto from = [&](const std::vector<short>& entries) {
            return [&entries, offset, &target](int col, short* cells, int count) {
                std::copy_n(entries.begin() + std::ptrdiff_t(offset) + (col - target.left), count, cells);
            };
        };
        if (scope != LayerScope::AttributesOnly)
            cells.ForEachMutableRun(CellLayer::Tiles, y, target.left, target.right, from(moved.m_tiles));
        if (scope != LayerScope::TilesOnly && moved.HasAttributes())
            cells.ForEachMutableRun(CellLayer::Attributes, y, target.left, target.right, from(moved.m_attrs));
    }
    changed.UnionRect(changed, target);
    return changed;
}
