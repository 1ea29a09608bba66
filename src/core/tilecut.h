// Cutting tiles out of the source bitmap: the one routine that the bitmap
// view (single cells and bands) and the whole-bitmap command both use.
#pragma once

#include "dib.h"
#include "sprite.h"
#include "tilelist.h"
#include "wintypes.h"

// True when a bitmap is loaded and the non-empty rectangle (bitmap pixels,
// right and bottom exclusive) lies wholly inside its picture.
bool CellInsideBitmap(const CDib& dib, const CRect& bitmapRect);

// A new filled tile cut from the rectangle (the caller's to free), or null:
// silently for a rectangle that is not inside the picture, with a message
// when the tile cannot be made (a 32-bit bitmap, no memory).
struct TileCutResult : ImagingResult {
    CSprite* tile = nullptr;
};
TileCutResult CutTile(const CDib& dib, const CRect& bitmapRect);

// Cuts every whole tileWidth x tileHeight cell of the bitmap in reading
// order (partial cells at the right and bottom are skipped) and appends the
// tiles. Stops at the first tile that cannot be made, so a bitmap that
// cannot be cut gives one message, not one per cell; and, with the message
// of the limit, once the tiles would be more than kMaxTiles together with
// alreadyHeld others. Says how many tiles were appended.
struct BitmapCutResult : ImagingResult {
    int appended = 0;
};
BitmapCutResult CutWholeBitmap(const CDib& dib, int tileWidth, int tileHeight, CTileList& tiles, int alreadyHeld = 0);

// Whether one more tile fits beside held ones (when not, the user is told
// kMsgTileLimitReached).
bool RoomForAnotherTile(int held);
