// Drawing the map image: every cell either its tile, 1:1, or the look of an
// empty cell (white with a grey dotted outline inside the cell). The map
// view, the overview and command-line tools all draw through these, into a
// caller-owned buffer of 0xFFRRGGBB pixels, top-down.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CSprite;
class CTileList;

inline constexpr std::uint32_t kCellBackground = 0xFFFFFFFFu;  // white
inline constexpr std::uint32_t kCellGridDot = 0xFF646464u;     // RGB(100, 100, 100)

// A window onto the map image: bits[0] shows map pixel (originX, originY).
// A tool that renders a large map in bands passes one band at a time.
struct MapPixels {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // pixels from one row to the next
    std::int64_t originX = 0;
    std::int64_t originY = 0;
};

// What the map image is made of.
struct MapRenderSource {
    const short* tileLayer = nullptr;  // null: every cell empty
    int mapWidth = 0;                  // cells
    int mapHeight = 0;
    int tileWidth = 0;                 // pixels; a map with 0 draws nothing
    int tileHeight = 0;
    const CTileList* tiles = nullptr;  // null: no tiles
};

// The empty cell, width x height pixels, row by row.
std::vector<std::uint32_t> MakeEmptyCellPattern(int width, int height);

// An empty cell whose top-left map pixel is (left, top), clipped to the buffer.
void DrawEmptyCell(const MapPixels& target, std::int64_t left, std::int64_t top, int width, int height);

// A tile 1:1 from its screen form with its top-left at map pixel (left,
// top), clipped to the buffer. An empty tile draws nothing.
void DrawTile(const MapPixels& target, const CSprite& tile, std::int64_t left, std::int64_t top);

// The tile a cell value names, or null: -1, values below it and numbers
// past the end of the list all mean an empty cell.
const CSprite* TileForCell(const CTileList* tiles, short value);

// One cell as the map image shows it (for edits that change one cell).
void DrawMapCell(const MapPixels& target, const MapRenderSource& map, int col, int row);

// The cells [cells.left, cells.right) x [cells.top, cells.bottom), limited
// to the map and to the cells the buffer shows: first every empty-cell
// look, then the tiles, column by column, top to bottom within a column.
void RenderMapCells(const MapPixels& target, const MapRenderSource& map, const CRect& cells);
