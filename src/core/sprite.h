// One tile picture: its own packed block (40-byte header, 256 colours for
// 8-bit tiles, bottom-up rows of GetStride() bytes), so a tile draws and
// saves without the bitmap it was cut from. (The tile's attribute byte is
// the tile set's, not the picture's: see tilelist.h.) Each tile
// also keeps its pixels in screen form, converted once: when a tile is cut
// (it shows in the palette at once), and on first use for a tile built from
// stored data (a map file may bring thousands that are never drawn).
#pragma once

#include "imagingmessages.h"
#include "wintypes.h"

#include <cstdint>
#include <memory>

class CSprite {
public:
    BITMAPINFO* m_pBMI;  // the tile's block, owned; null for an empty tile
    RGBQUAD* m_pColors;  // colour table inside the block (8-bit only, else null)
    BYTE* m_pBits;       // first stored (bottom) pixel row inside the block

    CSprite();
    ~CSprite();
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    void Init();
    void Free();

    // Cuts the picture rectangle [left, right) x [top, bottom) (top-left
    // origin) out of a packed block as CDib holds it. A rectangle outside
    // the picture leaves the tile empty without a message; a depth that
    // cannot be cut (32-bit) or no memory leaves it empty with one.
    ImagingResult Create(int left, int top, int right, int bottom, const BITMAPINFO* source);
    // Builds the tile from stored rows (bottom-up, stride-long) and, for
    // 8-bit, 256 colours. Leaves the tile unchanged when the data cannot
    // make a tile (the caller tells the user: kMsgSpriteCreateError).
    CSprite* CreateFromData(BYTE width, BYTE height, const RGBQUAD* colours, const BYTE* bits, WORD bitCount);
    // The same with the block placed at `at` (BlockBytes long) inside
    // storage that many tiles share: the tile keeps the storage alive instead
    // of owning a block. A map file's tiles are read into one allocation,
    // which spares thousands of small ones. Null storage: as above.
    CSprite* CreateFromData(BYTE width, BYTE height, const RGBQUAD* colours, const BYTE* bits, WORD bitCount,
                            std::shared_ptr<BYTE[]> storage, BYTE* at);
    // The bytes of a tile's block, a multiple of 8 so that blocks can be
    // laid one after another.
    static std::size_t BlockBytes(int width, int height, WORD bitCount);
    // Where the rows begin inside a block. A reader may put a tile's rows
    // there itself and pass them as `bits`: rows in place are not copied.
    static std::size_t RowsOffset(WORD bitCount);

    bool IsEmpty() const { return m_pBMI == nullptr; }
    int GetWidth() const;  // 0 for an empty tile
    int GetHeight() const;
    int GetStride() const;

    // GetWidth() x GetHeight() pixels, top-down, 0xFFRRGGBB, no row padding;
    // null for an empty tile (or in the unlikely case that the first call
    // finds no memory for them).
    const std::uint32_t* GetScreenBits() const;

private:
    // Allocates an uninitialised block for the given header; false if out of memory.
    bool Allocate(int width, int height, WORD bitCount);
    // Points the tile at a block (header, colours, rows) of that depth.
    void Place(BYTE* block, WORD bitCount);
    bool MakeScreenForm() const;

    std::shared_ptr<BYTE[]> m_storage;  // set when the block lies in shared storage
    mutable std::unique_ptr<std::uint32_t[]> m_pScreenBits;
};
