// The forms in which cells go onto the clipboard and come back: the
// editor's own form (tile size, where the cells were copied from, tile
// numbers and cell attributes, and the picture each tile number shows, so
// that another tile set can take the same pictures) and plain text, one line per row with the
// tile numbers separated by tabs, as a spreadsheet or a text editor takes
// it. Pasted text may come from anywhere, so its reader checks every value
// and says what and where when it refuses.
#pragma once

#include "cellblock.h"
#include "tilefingerprint.h"
#include "wintypes.h"
#include "messagetext.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The clipboard type of the editor's own form.
inline constexpr const char* kCellsMimeType = "application/x-pellin-cells";

inline constexpr const char* kMsgPasteNoCells = QT_TRANSLATE_NOOP("Pellin", "붙여넣을 셀이 없습니다");

class CTileList;

// A tile number a copied block uses, and the picture it shows in the set copied from.
struct ClipboardTile {
    short number = 0;
    TileFingerprint picture;
    bool operator==(const ClipboardTile&) const = default;
};

// Cells copied from a map.
struct ClipboardCells {
    int tileWidth = 0;
    int tileHeight = 0;
    CPoint origin;                        // the map cell the block's top-left entry was copied from
    CCellBlock block;                     // a map block, attributes included
    std::uint64_t source = 0;             // the document copied from (see MatchClipboardTiles)
    std::vector<ClipboardTile> pictures;  // each tile number the block uses, once
};

// The editor's own form, little-endian: a header (a signature, its
// version, the tile size, the origin, the columns and rows), the tile
// numbers, the attributes (16 bits each), the source, and the pictures
// (a count, then a number and a 16-byte fingerprint each).
std::vector<std::uint8_t> EncodeClipboardCells(const ClipboardCells& cells);
// Nothing for bytes that are not exactly such a form (another version, a
// size that does not add up, more cells than any map holds).
std::optional<ClipboardCells> DecodeClipboardCells(const std::uint8_t* data, std::size_t size);

// Fills cells.pictures from the tiles the block uses, as tiles shows them.
void NameClipboardTiles(ClipboardCells& cells, const CTileList& tiles);

// Renumbers the block's tiles to those showing the same pictures in tiles,
// a set of tileWidth x tileHeight tiles; where the set holds a picture twice,
// the first. Copied from this very set (fromHere), a number that still shows
// its picture stays, so a copy inside one editor pastes as it was. Returns
// why the block cannot go into this set (another tile size, pictures it
// lacks), leaving the block as it was; nothing when it was renumbered.
std::string MatchClipboardTiles(ClipboardCells& cells, const CTileList& tiles, int tileWidth, int tileHeight,
                                bool fromHere);

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
