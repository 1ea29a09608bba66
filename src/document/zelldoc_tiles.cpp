// The tile set commands: cutting the whole bitmap, the palette's row
// length, attributes, erasing, and filling the map with the selected block.
#include "afxmsg.h"
#include "docpanes.h"
#include "tilecut.h"
#include "zelldoc.h"

void CZellDoc::OnBitmapAllTiles()
{
    // New tiles go behind the ones already there; nothing is replaced.
    CutWholeBitmap(m_dib, m_nTileWidth, m_nTileHeight, m_tileList);
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
}

void CZellDoc::OnTileArrange()
{
    m_dlgTileArrange.m_nCount = m_nTilesPerRow;
    if (m_dlgTileArrange.DoModal() != IDOK) return;
    m_nTilesPerRow = m_dlgTileArrange.m_nCount;
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
}

void CZellDoc::OnTileSetAttr()
{
    if (!m_bTileSelected || !m_pSelTiles || m_nSelCols <= 0 || m_nSelRows <= 0) return;
    // A block that starts on an empty palette slot has no tile to take the
    // starting value from.
    const CSprite* first = m_tileList.GetAt(SelectedEntry(0, 0));
    m_dlgTileAttr.m_byValue = first ? first->m_byAttr : 0;
    m_dlgTileAttr.m_bReady = FALSE;
    if (m_dlgTileAttr.DoModal() != IDOK) return;

    for (int row = 0; row < m_nSelRows; ++row) {
        for (int col = 0; col < m_nSelCols; ++col) {
            const short entry = SelectedEntry(row, col);
            if (entry == -1) break;  // empty slots only end a row
            if (CSprite* tile = m_tileList.GetAt(entry)) tile->m_byAttr = m_dlgTileAttr.m_byValue;
        }
    }
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
}

void CZellDoc::OnTileEraseAll()
{
    if (AfxMessageBox(kMsgAskEraseAllTiles, MB_YESNO) != IDYES) return;
    DeleteAllTiles();
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
    RedrawMapAfterTilesRemoved();
}

void CZellDoc::OnTileEraseSelected()
{
    if (!m_bTileSelected || !m_pSelTiles) return;
    if (AfxMessageBox(kMsgAskEraseSelectedTiles, MB_YESNO) != IDYES) return;

    // Entries grow along the block, so going from the last one to the first
    // removes the higher numbers first and every number still names the
    // tile it named when the block was selected. Empty slots are skipped,
    // not taken as the end: a partly filled last row is erased too.
    for (int index = m_nSelCols * m_nSelRows - 1; index >= 0; --index) {
        const short entry = m_pSelTiles[index];
        if (entry == -1) continue;
        if (CSprite* tile = m_tileList.RemoveAt(entry)) {
            tile->Free();
            delete tile;
        }
    }
    // The palette lays out the renumbered tiles and drops the block.
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
    RedrawMapAfterTilesRemoved();
}

void CZellDoc::RedrawMapAfterTilesRemoved()
{
    // Cells keep their numbers, so the map must be drawn again from them:
    // a cell whose tile is gone shows as empty and a renumbered cell shows
    // the tile it now names, as the saved file would.
    ReinitialisePane(DocPane(&CMainFrame::m_pMapView));
}

void CZellDoc::OnTileFillAll()
{
    if (!m_bTileSelected || !m_pSelTiles) return;
    CMapView* map = DocPane(&CMainFrame::m_pMapView);
    // A map whose cells could not be made has nothing to fill.
    if (!map || !map->m_pTileLayer) return;
    // The whole map from its origin, whatever part of it is scrolled into view.
    map->FillBandWithBlock(CRect(0, 0, map->m_nMapPixelWidth, map->m_nMapPixelHeight));
    RepaintPane(DocPane(&CMainFrame::m_pSmallMapView), FALSE);
}
