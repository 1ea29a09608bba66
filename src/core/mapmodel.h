// The map being edited: the tile geometry, the tile set and the two cell
// layers, with the edits the map pane and the fill command make. What the
// .Map file holds, what the panes draw and what the tools read.
#pragma once

#include "celllayers.h"
#include "tileblock.h"
#include "tilelist.h"
#include "wintypes.h"

class CMapModel {
public:
    CMapModel() = default;
    CMapModel(CMapModel&&) noexcept = default;
    CMapModel& operator=(CMapModel&&) noexcept = default;

    BYTE m_nTileWidth = 32;
    BYTE m_nTileHeight = 32;
    CTileList m_tileList;
    CCellLayers m_cells;

    int MapWidth() const { return m_cells.Width(); }
    int MapHeight() const { return m_cells.Height(); }
    // The map's size in pixels, capped at the largest int.
    int PixelWidth() const;
    int PixelHeight() const;
    // Cells of the tile size can be laid out (a size of 0 comes only from a damaged file).
    bool HasCellSize() const { return m_nTileWidth > 0 && m_nTileHeight > 0; }

    // A copy made in no time: it shares the tile pictures and the cells'
    // chunks, and later edits of this map do not reach it.
    CMapModel Share() const;

    // The tile a cell value names, or null: -1, values below it and numbers
    // past the end of the tile set all mean an empty cell.
    const CSprite* TileForCell(short value) const;
};

// The edits. Each returns the cells it wrote (in cells, right and bottom
// exclusive), the empty rectangle when it wrote none; cells outside the
// map are skipped, and a missing layer takes nothing.

// The block with its top-left entry at cell (col, row). An entry of -1
// ends its block row.
CRect StampBlock(CCellLayers& cells, const CTileBlock& block, int col, int row);

// The cells of area filled with the block repeated from area's top-left
// cell: cell (area.left + j, area.top + i) gets entry (i mod rows, j mod
// columns); an entry of -1 ends that area row.
CRect FillWithBlock(CCellLayers& cells, const CTileBlock& block, const CRect& area);

// Every cell of area gets the attribute value.
CRect SetAttributes(CCellLayers& cells, const CRect& area, short value);
