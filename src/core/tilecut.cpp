#include "tilecut.h"

#include "afxmsg.h"
#include "imagingmessages.h"

#include <new>

bool CellInsideBitmap(const CDib& dib, const CRect& bitmapRect)
{
    if (!dib.m_bLoaded || bitmapRect.IsRectEmpty()) return false;
    return bitmapRect.left >= 0 && bitmapRect.top >= 0 && bitmapRect.right <= dib.GetWidth() &&
           bitmapRect.bottom <= dib.GetHeight();
}

CSprite* CutTile(const CDib& dib, const CRect& bitmapRect)
{
    if (!CellInsideBitmap(dib, bitmapRect)) return nullptr;
    CSprite* tile = new (std::nothrow) CSprite;
    if (tile == nullptr) {
        AfxMessageBox(kMsgSpriteNoMemory);
        return nullptr;
    }
    tile->Create(bitmapRect.left, bitmapRect.top, bitmapRect.right, bitmapRect.bottom, dib.m_pBMI);
    if (tile->IsEmpty()) {
        delete tile;
        return nullptr;
    }
    return tile;
}

bool RoomForAnotherTile(int held)
{
    if (held < kMaxTiles) return true;
    AfxMessageBox(kMsgTileLimitReached);
    return false;
}

int CutWholeBitmap(const CDib& dib, int tileWidth, int tileHeight, CTileList& tiles, int alreadyHeld)
{
    if (!dib.m_bLoaded || tileWidth <= 0 || tileHeight <= 0) return 0;
    const int columns = dib.GetWidth() / tileWidth;
    const int rows = dib.GetHeight() / tileHeight;
    int appended = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const CRect cell(c * tileWidth, r * tileHeight, (c + 1) * tileWidth, (r + 1) * tileHeight);
            if (!RoomForAnotherTile(alreadyHeld + tiles.GetCount())) return appended;
            CSprite* tile = CutTile(dib, cell);
            if (tile == nullptr) return appended;
            tiles.AddTail(tile);
            ++appended;
        }
    }
    return appended;
}
