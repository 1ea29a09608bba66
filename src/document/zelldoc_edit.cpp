// Changes to the map and the tile set that the panes make: the picked
// block, painting and attributes on the map, cutting tiles from the bitmap.
#include "maphint.h"
#include "tilecut.h"
#include "zelldoc.h"

void CZellDoc::SetSelection(CTileBlock block, CScrollView* pSender)
{
    m_selection = std::move(block);
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::ClearSelection(CScrollView* pSender)
{
    if (!HasSelection()) return;
    m_selection = {};
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::CellsChanged(const CRect& cells)
{
    // Told even when nothing was written: the map pane then still takes a
    // preview off, as after any edit.
    CMapHint hint(cells);
    UpdateAllViews(nullptr, HINT_CELLS, &hint);
}

void CZellDoc::StampSelection(int col, int row) { CellsChanged(StampBlock(m_map.m_cells, m_selection, col, row)); }

void CZellDoc::FillWithSelection(const CRect& cells)
{
    CellsChanged(FillWithBlock(m_map.m_cells, m_selection, cells));
}

void CZellDoc::SetCellAttributes(const CRect& cells, short value)
{
    CellsChanged(SetAttributes(m_map.m_cells, cells, value));
}

short CZellDoc::CellAttribute(int col, int row) const { return m_map.m_cells.Attr(col, row).value_or(kNoAttrCell); }

void CZellDoc::PaletteChanged(LPARAM hint)
{
    m_selection = {};
    UpdateAllViews(nullptr, hint);
}

void CZellDoc::CutTiles(const std::vector<CRect>& bitmapCells)
{
    for (const CRect& cell : bitmapCells) {
        // A cell reaching past the picture is never cut: it has no pixels there.
        if (!CellInsideBitmap(m_dib, cell)) continue;
        CSprite* tile = CutTile(m_dib, cell);
        // One message for a bitmap that cannot be cut, not one per cell.
        if (tile == nullptr) break;
        m_map.m_tileList.AddTail(tile);
    }
    PaletteChanged(HINT_TILE_IMAGES);
}
