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

#include "cellblock.h"
#include "celllayers.h"
#include "wintypes.h"

// What a fill writes: entries (rows x cols, row-major) repeated with entry
// (0, 0) at cell (anchorCol, anchorRow), so cell (x, y) gets entry
// ((y - anchorRow) mod rows, (x - anchorCol) mod cols). With holes, an
// entry of -1 leaves its cell as it is.
struct FillPattern {
    int cols = 0;
    int rows = 0;
    const short* entries = nullptr;
    int anchorCol = 0;
    int anchorRow = 0;
    bool holes = false;

    // A block's tiles from (col, row); its empty entries are holes.
    static FillPattern OfTiles(const CCellBlock& block, int col, int row);
    // One value everywhere.
    static FillPattern OfValue(const short& value);

    bool IsEmpty() const { return cols <= 0 || rows <= 0 || !entries; }
    short At(int x, int y) const;
    // Writes cells [x0, x1) of map row y; cells points to column x0's.
    void WriteSpan(short* cells, int y, int x0, int x1) const;
};

// Fills the 4-connected area of cells of the layer that hold the value of
// cell (col, row). Returns the cells of the area (the empty rectangle when
// the fill cannot change a cell).
CRect FloodFillArea(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern);

// The same for every cell of the map that holds the value of cell (col, row).
CRect FillEverywhere(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern);
