// The tile set commands: cutting the whole bitmap, the palette's row
// length, attributes, erasing, and filling the map with the picked block.
#include "afxmsg.h"
#include "maphint.h"
#include "tilecut.h"
#include "zelldoc.h"

void CZellDoc::OnBitmapAllTiles()
{
    // New tiles go behind the ones already there; nothing is replaced.
    CutWholeBitmap(m_dib, TileWidth(), TileHeight(), m_map.m_tileList);
    PaletteChanged(HINT_TILE_IMAGES);
}

void CZellDoc::OnTileArrange()
{
    m_dlgTileArrange.m_nCount = m_nTilesPerRow;
    if (m_dlgTileArrange.DoModal() != IDOK) return;
    m_nTilesPerRow = m_dlgTileArrange.m_nCount;
    PaletteChanged(HINT_PALETTE);
}

void CZellDoc::OnTileSetAttr()
{
    if (!HasSelection()) return;
    // A block that starts on an empty palette slot has no tile to take the
    // starting value from.
    const CSprite* first = Tiles().GetAt(m_selection.At(0, 0));
    m_dlgTileAttr.m_byValue = first ? first->m_byAttr : 0;
    m_dlgTileAttr.m_bReady = FALSE;
    if (m_dlgTileAttr.DoModal() != IDOK) return;

    for (int row = 0; row < m_selection.m_nRows; ++row) {
        for (int col = 0; col < m_selection.m_nCols; ++col) {
            const short entry = m_selection.At(row, col);
            if (entry == -1) break;  // empty slots only end a row
            if (CSprite* tile = Tiles().GetAt(entry)) tile->m_byAttr = m_dlgTileAttr.m_byValue;
        }
    }
    PaletteChanged(HINT_TILE_ATTRS);
}

void CZellDoc::OnTileEraseAll()
{
    if (AfxMessageBox(kMsgAskEraseAllTiles, MB_YESNO) != IDYES) return;
    DeleteAllTiles();
    // Cells keep their numbers; those whose tile is gone now draw empty.
    PaletteChanged(HINT_TILE_IMAGES);
}

void CZellDoc::OnTileEraseSelected()
{
    if (!HasSelection()) return;
    if (AfxMessageBox(kMsgAskEraseSelectedTiles, MB_YESNO) != IDYES) return;

    // Entries grow along the block, so going from the last one to the first
    // removes the higher numbers first and every number still names the
    // tile it named when the block was picked. Empty slots are skipped,
    // not taken as the end: a partly filled last row is erased too.
    for (auto entry = m_selection.m_entries.rbegin(); entry != m_selection.m_entries.rend(); ++entry) {
        if (*entry == -1) continue;
        if (CSprite* tile = m_map.m_tileList.RemoveAt(*entry)) {
            tile->Free();
            delete tile;
        }
    }
    // Cells keep their numbers: a cell whose tile is gone draws empty and a
    // renumbered cell shows the tile it now names, as the saved file would.
    PaletteChanged(HINT_TILE_IMAGES);
}

void CZellDoc::OnTileFillAll()
{
    if (!HasSelection()) return;
    // The whole map from its top-left cell, whatever part of it is in view.
    FillWithSelection(CRect(0, 0, MapWidth(), MapHeight()));
}
