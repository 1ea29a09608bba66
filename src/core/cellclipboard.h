// The forms in which cells go onto the clipboard and come back: the
// editor's own form (tile size, where the cells were copied from, tile
// numbers and cell attributes) and plain text, one line per row with the
// tile numbers separated by tabs, as a spreadsheet or a text editor takes
// it. Pasted text may come from anywhere, so its reader checks every value
// and says what and where when it refuses.
#pragma once

#include "cellblock.h"
#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The clipboard type of the editor's own form.
inline constexpr const char* kCellsMimeType = "application/x-pellin-cells";

inline constexpr const char* kMsgPasteNoCells = "붙여넣을 셀이 없습니다";

// Cells copied from a map.
struct ClipboardCells {
    int tileWidth = 0;
    int tileHeight = 0;
    CPoint origin;     // the map cell the block's top-left entry was copied from
    CCellBlock block;  // a map block, attributes included
};

// The editor's own form: a header (a signature, its version, the tile
// size, the origin, the columns and rows) and the tile numbers, then the
// attributes, 16 bits each, little-endian.
std::vector<std::uint8_t> EncodeClipboardCells(const ClipboardCells& cells);
// Nothing for bytes that are not exactly such a form (another version, a
// size that does not add up, more cells than any map holds).
std::optional<ClipboardCells> DecodeClipboardCells(const std::uint8_t* data, std::size_t size);

// The tile numbers as text: one line per row, tab-separated, -1 for an empty cell.
std::string CellsAsText(const CCellBlock& block);

struct PastedText {
    CCellBlock block;     // a map block of tiles, when the text was accepted
    std::string refusal;  // why it was not, naming the row and column
    bool Accepted() const { return refusal.empty(); }
};

// Reads text as a block: one line per row, integers separated by tabs,
// commas or blanks (an empty field between tabs or commas is an empty
// cell), short rows padded with empty cells. Each number must be -1 or a
// tile of a set of tileCount, and the block must fit a map of mapWidth x
// mapHeight cells.
PastedText ParseCellsText(std::string_view text, int tileCount, int mapWidth, int mapHeight);

// The same for the attribute layer: each number from -32768 to 32767, an
// empty field 0. The block carries the numbers as its attributes, and its
// tiles are all holes.
PastedText ParseAttrText(std::string_view text, int mapWidth, int mapHeight);
// A block's attributes as text, in the form of CellsAsText (nothing without them).
std::string AttrsAsText(const CCellBlock& block);
