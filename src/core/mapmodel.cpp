#include "mapmodel.h"

#include <algorithm>
#include <climits>

namespace {
int PixelsOf(int cells, int cellSize)
{
    return int(std::clamp<std::int64_t>(std::int64_t(cells) * cellSize, 0, INT_MAX));
}

// The part of area that lies on the map.
CRect OnMap(const CCellLayers& cells, const CRect& area)
{
    CRect clipped;
    clipped.IntersectRect(area, CRect(0, 0, cells.Width(), cells.Height()));
    return clipped;
}
}  // namespace

int CMapModel::PixelWidth() const { return PixelsOf(MapWidth(), m_nTileWidth); }
int CMapModel::PixelHeight() const { return PixelsOf(MapHeight(), m_nTileHeight); }

CMapModel CMapModel::Share() const
{
    CMapModel copy;
    copy.m_nTileWidth = m_nTileWidth;
    copy.m_nTileHeight = m_nTileHeight;
    copy.m_cells = m_cells;
    copy.m_tileList = m_tileList.Share();
    return copy;
}

const CSprite* CMapModel::TileForCell(short value) const
{
    if (value < 0) return nullptr;
    const CSprite* tile = m_tileList.GetAt(value);
    return tile && !tile->IsEmpty() ? tile : nullptr;
}

CRect StampBlock(CCellLayers& cells, const CTileBlock& block, int col, int row)
{
    CRect written;
    if (block.IsEmpty()) return written;
    for (int r = 0; r < block.m_nRows; ++r) {
        for (int c = 0; c < block.m_nCols; ++c) {
            const short v = block.At(r, c);
            if (v == kEmptyTileCell) break;
            const std::int64_t x = std::int64_t(col) + c;
            const std::int64_t y = std::int64_t(row) + r;
            if (x > INT_MAX || y > INT_MAX || !cells.SetTile(int(x), int(y), v)) continue;
            written.UnionRect(written, CRect(int(x), int(y), int(x) + 1, int(y) + 1));
        }
    }
    return written;
}

CRect FillWithBlock(CCellLayers& cells, const CTileBlock& block, const CRect& area)
{
    if (block.IsEmpty() || area.left < 0 || area.top < 0) return {};
    const CRect target = OnMap(cells, area);
    if (target.IsRectEmpty() || !cells.HasLayer(CellLayer::Tiles)) return {};
    CRect written;
    for (int y = target.top; y < target.bottom; ++y) {
        const int i = y - area.top;
        // A palette block's row ends at its first empty entry.
        int end = target.left;
        while (end < target.right && block.At(i % block.m_nRows, (end - area.left) % block.m_nCols) != kEmptyTileCell)
            ++end;
        const bool wrote =
            cells.ForEachMutableRun(CellLayer::Tiles, y, target.left, end, [&](int col, short* run, int n) {
                for (int k = 0; k < n; ++k) run[k] = block.At(i % block.m_nRows, (col + k - area.left) % block.m_nCols);
            });
        if (wrote && end > target.left) written.UnionRect(written, CRect(target.left, y, end, y + 1));
    }
    return written;
}

CRect SetAttributes(CCellLayers& cells, const CRect& area, short value)
{
    const CRect target = OnMap(cells, area);
    if (target.IsRectEmpty() || !cells.HasLayer(CellLayer::Attributes)) return {};
    cells.FillRect(CellLayer::Attributes, target.left, target.top, target.right, target.bottom, value);
    return target;
}
