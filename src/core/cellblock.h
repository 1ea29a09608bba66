// A block of cells to stamp: tile numbers and, when it was taken from the
// map, the cells' attributes too. It is picked in the palette (a CTileBlock
// of palette slots) or taken from the map (the picker, a copy, a paste).
//
// The two kinds treat an empty entry (-1) differently. In a palette block
// -1 only stands for the empty slots at the end of the palette's last row,
// and it ends its block row: nothing right of it is stamped. In a block
// from the map an empty entry is a hole that leaves only its own cell as
// it is: a captured house with a hole keeps its right half.
#pragma once

#include "celllayers.h"
#include "tileblock.h"
#include "wintypes.h"

#include <cstddef>
#include <vector>

enum class BlockSource { Palette, Map };

struct CCellBlock {
    int m_nCols = 0;
    int m_nRows = 0;
    std::vector<short> m_tiles;  // row-major, -1 for no tile
    std::vector<short> m_attrs;  // row-major like m_tiles, or empty: the block carries no attributes
    BlockSource m_source = BlockSource::Palette;

    // The palette's block, entry for entry.
    static CCellBlock FromPalette(const CTileBlock& block);

    bool IsEmpty() const { return m_nCols <= 0 || m_nRows <= 0 || m_tiles.size() < Count(); }
    bool HasAttributes() const { return !IsEmpty() && m_attrs.size() == Count(); }
    bool FromMap() const { return m_source == BlockSource::Map; }
    std::size_t Count() const { return m_nCols > 0 && m_nRows > 0 ? std::size_t(m_nCols) * std::size_t(m_nRows) : 0; }
    // Entry (row, column); both inside the block.
    short Tile(int row, int col) const { return m_tiles[Index(row, col)]; }
    short Attr(int row, int col) const { return m_attrs[Index(row, col)]; }

    bool operator==(const CCellBlock&) const = default;

private:
    std::size_t Index(int row, int col) const { return std::size_t(row) * std::size_t(m_nCols) + std::size_t(col); }
};

// The cells of area that lie on the map, as a map block; with their
// attributes when asked and the layer is there. Empty when no cell of area
// is on the map.
CCellBlock CaptureBlock(const CCellLayers& cells, const CRect& area, bool withAttributes);

// The block with its top-left entry at cell (col, row), by its kind's rule
// for empty entries; the attributes too when asked and the block has them
// (every cell of the block takes its attribute, holes included: the
// attribute layer has no holes). Returns the cells written.
CRect StampCellBlock(CCellLayers& cells, const CCellBlock& block, int col, int row, bool withAttributes = false);

// The cells of area filled with the block's tiles repeated from area's
// top-left cell: cell (area.left + j, area.top + i) gets entry (i mod rows,
// j mod columns). A palette block's -1 ends that area row; a map block's
// hole leaves only its own cell. Returns the cells written.
CRect FillWithCellBlock(CCellLayers& cells, const CCellBlock& block, const CRect& area);

// Which layers an edit of a rectangle of cells reaches.
enum class LayerScope { Both, TilesOnly, AttributesOnly };

// Moves the tiles and attributes of the cells from (clipped to the map) so
// that from's top-left lands on cell to; the cells left behind become
// empty with attribute 0, cells that would land off the map are lost.
// Overlapping source and destination (the same place included) are fine.
// A scope of one layer moves that layer only. Returns the cells changed:
// the source and destination on the map.
CRect MoveCellRect(CCellLayers& cells, const CRect& from, CPoint to, LayerScope scope = LayerScope::Both);

// Every cell of area on the map gets tile -1 and attribute 0 (in the layers of scope).
CRect EmptyCells(CCellLayers& cells, const CRect& area, LayerScope scope = LayerScope::Both);
