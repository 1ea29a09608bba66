// What the document tells its views when it changes: UpdateAllViews with
// a set of these flags, and for changed cells a CMapHint with the cells.
// Each view's OnUpdate picks what concerns it and redraws only that.
#pragma once

#include "document.h"
#include "wintypes.h"

enum MapHintFlags : LPARAM {
    HINT_CELLS = 1 << 0,          // tile numbers or attributes of CMapHint::m_rcCells
    HINT_NEW_MAP = 1 << 1,        // map size, tile size and every cell replaced (new map, map loaded)
    HINT_TILE_IMAGES = 1 << 2,    // tiles added or removed: numbers may name other pictures now
    HINT_TILE_ATTRS = 1 << 3,     // tile attribute bytes
    HINT_PALETTE = 1 << 4,        // the palette's layout: tiles per row, attribute display
    HINT_SELECTION = 1 << 5,      // the picked block or the brush was replaced or dropped
    HINT_OVERLAY = 1 << 6,        // which numbers the map prints over its cells
    HINT_TEXT_COLOUR = 1 << 7,    // the colour of those numbers
    HINT_BITMAP = 1 << 8,         // the source bitmap was loaded or dropped
    HINT_MAP_SELECTION = 1 << 9,  // the selected rectangle of cells changed
    // 1 << 10 once told of a pasted brush; left unused.
    HINT_LAYER = 1 << 11,        // the layer the tools paint, or the current attribute value
    HINT_ATTR_VALUES = 1 << 12,  // names, colours or the list of attribute values (not their counts)
    HINT_RULES = 1 << 17,        // the map's auto-tiling rule set
};

// Changes that lay the palette out anew; each drops the picked block.
inline constexpr LPARAM kPaletteLayoutHints = HINT_TILE_IMAGES | HINT_TILE_ATTRS | HINT_PALETTE;

class CMapHint : public CObject {
public:
    explicit CMapHint(const CRect& cells, bool tiles = true) : m_rcCells(cells), m_bTiles(tiles) {}
    CRect m_rcCells;  // in cells, right and bottom exclusive
    bool m_bTiles;    // tile numbers may have changed; false: attributes alone
};
