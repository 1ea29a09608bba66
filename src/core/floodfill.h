// Filling an area of like cells, as the fill tool does: the 4-connected
// area of cells that hold the same value as the clicked cell, or every such
// cell of the map. It works on either layer and fills with a pattern of
// values repeated from the clicked cell, so the tile and attribute layers
// are painted the same way.
//
// The area is found by row spans, with a list of spans rather than
// recursion: the stack never grows with the area, and the memory the fill
// takes is proportional to the area it fills.
#pragma once

#include <cstdint>
#include <vector>

#include "cellblock.h"
#include "celllayers.h"
#include "wintypes.h"

// What a fill writes: entries (rows x cols, row-major) repeated with entry
// (0, 0) at cell (anchorCol, anchorRow), so cell (x, y) gets entry
// ((y - anchorRow) mod rows, (x - anchorCol) mod cols). With holes, an
// entry of -1 leaves its cell as it is. A scattered pattern gives each cell
// one entry drawn at random instead (an entry held k times is k times as
// likely); the draw is a function of the cell and the seed alone, so the
// order in which cells are written never changes what they get.
struct FillPattern {
    int cols = 0;
    int rows = 0;
    const short* entries = nullptr;
    int anchorCol = 0;
    int anchorRow = 0;
    bool holes = false;
    bool scattered = false;
    std::uint64_t seed = 0;

    // A block's tiles from (col, row); its empty entries are holes.
    static FillPattern OfTiles(const CCellBlock& block, int col, int row);
    // A block's tiles drawn at random for each cell; its empty entries are holes.
    static FillPattern Scattered(const CCellBlock& block, std::uint64_t seed);
    // One value everywhere.
    static FillPattern OfValue(const short& value);

    bool IsEmpty() const { return cols <= 0 || rows <= 0 || !entries; }
    short At(int x, int y) const;
    // Writes cells [x0, x1) of map row y; cells points to column x0's.
    void WriteSpan(short* cells, int y, int x0, int x1) const;
    // Whether WriteSpan would change any of those cells; it stops at the first.
    bool ChangesSpan(const short* cells, int y, int x0, int x1) const;
};

// Cells [left, right) of one map row.
struct CellSpan {
    int row = 0;
    int left = 0;
    int right = 0;
    bool operator==(const CellSpan&) const = default;
};

// Writes the pattern over the spans' cells on the map (spans may overlap
// and lie partly off the map). Returns the cells written.
CRect PaintSpans(CCellLayers& cells, CellLayer layer, const std::vector<CellSpan>& spans, const FillPattern& pattern);

// Fills the 4-connected area of cells of the layer that hold the value of
// cell (col, row). Returns the cells of the area (the empty rectangle when
// the fill cannot change a cell).
CRect FloodFillArea(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern);

// The same for every cell of the map that holds the value of cell (col, row).
CRect FillEverywhere(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern);
