#include "tilecut.h"

#include "imagingmessages.h"

#include <new>

bool CellInsideBitmap(const CDib& dib, const CRect& bitmapRect)
{
    if (!dib.m_bLoaded || bitmapRect.IsRectEmpty()) return false;
    return bitmapRect.left >= 0 && bitmapRect.top >= 0 && bitmapRect.right <= dib.GetWidth() &&
           bitmapRect.bottom <= dib.GetHeight();
}

TileCutResult CutTile(const CDib& dib, const CRect& bitmapRect)
{
    TileCutResult result;
    if (!CellInsideBitmap(dib, bitmapRect)) return result;
    CSprite* tile = new (std::nothrow) CSprite;
    if (tile == nullptr) {
        result.message = kMsgSpriteNoMemory;
        return result;
    }
    result.message =
        tile->Create(bitmapRect.left, bitmapRect.top, bitmapRect.right, bitmapRect.bottom, dib.m_pBMI).message;
    if (tile->IsEmpty())
        delete tile;
    else
        result.tile = tile;
    return result;
}

bool RoomForAnotherTile(int held) { return held < kMaxTiles; }

BitmapCutResult CutWholeBitmap(const CDib& dib, int tileWidth, int tileHeight, CTileList& tiles, int alreadyHeld)
{
    BitmapCutResult result;
    if (!dib.m_bLoaded || tileWidth <= 0 || tileHeight <= 0) return result;
    const int columns = dib.GetWidth() / tileWidth;
    const int rows = dib.GetHeight() / tileHeight;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const CRect cell(c * tileWidth, r * tileHeight, (c + 1) * tileWidth, (r + 1) * tileHeight);
            if (!RoomForAnotherTile(alreadyHeld + tiles.GetCount())) {
                result.message = kMsgTileLimitReached;
                return result;
            }
            TileCutResult cut = CutTile(dib, cell);
            if (cut.tile == nullptr) {
                result.message = std::move(cut.message);
                return result;
            }
            tiles.AddTail(cut.tile);
            ++result.appended;
        }
    }
    return result;
}
