// The map pane's mouse editing. With a tile block selected, the block is
// previewed under the pointer, a click stamps it and a drag fills a band
// with it repeated; without one, a click or drag sets map attributes.
//
// Cell rectangles are kept in client coordinates as the window shows them.
// Their top-left plus the scroll position is exactly a cell's top-left map
// pixel, so the cell is found by dividing that, whatever the tile size.
#include "mapview.h"

#include <algorithm>

#include "app/mainfrm.h"
#include "celllayers.h"
#include "document/zelldoc.h"
#include "maprender.h"
#include "smallmapview.h"
#include "tileview.h"

CRect CMapView::CellFromPoint(int x, int y) const
{
    if (!HasCells() || !HasMapImage()) return {};
    const CPoint scroll = GetDeviceScrollPosition();
    const std::int64_t mapX = std::int64_t(x) + scroll.x;
    const std::int64_t mapY = std::int64_t(y) + scroll.y;
    if (mapX < 0 || mapY < 0 || mapX >= m_nMapPixelWidth || mapY >= m_nMapPixelHeight) return {};
    const int tw = TileWidth();
    const int th = TileHeight();
    const int left = int(mapX / tw) * tw - scroll.x;
    const int top = int(mapY / th) * th - scroll.y;
    return {left, top, left + tw, top + th};
}

CPoint CMapView::CellOfRect(const CRect& rc) const
{
    const CPoint scroll = GetDeviceScrollPosition();
    return {(rc.left + scroll.x) / TileWidth(), (rc.top + scroll.y) / TileHeight()};
}

CPoint CMapView::ClampToMap(CPoint point) const
{
    const CPoint scroll = GetDeviceScrollPosition();
    return {std::min(point.x, m_nMapPixelWidth - scroll.x - 1), std::min(point.y, m_nMapPixelHeight - scroll.y - 1)};
}

void CMapView::DrawBand(CRect rc)
{
    // The band is drawn the same way whichever corner it was dragged to.
    rc.NormalizeRect();
    CClientDC dc(this);
    const CBrush oldBrush = dc.SelectBrush(CBrush::Null());
    const CPen oldPen = dc.SelectPen(CPen{PS_SOLID, 4, RGB(255, 0, 0)});
    dc.SetROP2(R2_NOT);
    dc.Rectangle(rc.left, rc.top, rc.right, rc.bottom);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

bool CMapView::HasSelectedBlock() const
{
    const CZellDoc* pDoc = GetDocument();
    return pDoc && pDoc->m_bTileSelected && pDoc->m_pSelTiles && pDoc->m_nSelCols > 0 && pDoc->m_nSelRows > 0;
}

short CMapView::SelectedTile(int blockRow, int blockCol) const
{
    const CZellDoc* pDoc = GetDocument();
    return pDoc->m_pSelTiles[std::size_t(blockRow) * std::size_t(pDoc->m_nSelCols) + std::size_t(blockCol)];
}

void CMapView::DrawBlockPreview(int x, int y)
{
    if (!HasSelectedBlock()) return;
    const CZellDoc& doc = *GetDocument();
    CClientDC dc(this);
    for (int r = 0; r < doc.m_nSelRows; ++r) {
        for (int c = 0; c < doc.m_nSelCols; ++c) {
            const short v = SelectedTile(r, c);
            if (v == kEmptyTileCell) break;
            if (const CSprite* tile = TileForCell(&doc.m_tileList, v))
                dc.DrawScreenBits(x + c * TileWidth(), y + r * TileHeight(), tile->GetScreenBits(), tile->GetWidth(),
                                  tile->GetHeight());
        }
    }
}

void CMapView::SetTileAt(int col, int row, short nTile)
{
    if (WriteCell(m_pTileLayer, MapWidth(), MapHeight(), col, row, nTile)) DrawCellIntoImage(col, row);
}

void CMapView::SetAttrAt(int col, int row, short nAttr) { WriteCell(m_pAttrLayer, MapWidth(), MapHeight(), col, row, nAttr); }

short CMapView::GetAttrAt(int col, int row) const
{
    return ReadCell(m_pAttrLayer, MapWidth(), MapHeight(), col, row).value_or(kNoAttrCell);
}

void CMapView::OnMouseMove(UINT, CPoint point)
{
    const CRect client = GetClientRect();
    if (m_bDragging) {
        // Take off what the previous event drew.
        if (!m_bRubberBand) {
            DrawBand(m_rcAnchor);
            m_bRubberBand = TRUE;
        } else {
            DrawBand(m_rcBand);
        }
        if (point.x < 1 || point.y < 1 || point.x >= client.right - 1 || point.y >= client.bottom - 1) {
            // The pointer reached the pane's border: the drag is dropped.
            m_bDragging = FALSE;
            m_bRubberBand = FALSE;
            ReleaseCapture();
            return;
        }
        // Past the map's right or bottom edge the band stops at the map's last cell.
        const CRect cell = CellFromPoint(ClampToMap(point));
        if (!cell.IsRectEmpty()) {
            m_rcBand.right = cell.right;
            m_rcBand.bottom = cell.bottom;
        }
        DrawBand(m_rcBand);
        return;
    }

    if (!HasSelectedBlock() || !HasMapImage()) return;
    if (point.x <= 5 || point.y <= 5 || point.x >= client.right - 5 || point.y >= client.bottom - 5) {
        RefreshScreen();
        return;
    }
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    const CPoint at = cell.TopLeft();
    if (at == m_ptLastPreview) return;
    // No preview where the block would reach past the map.
    const CZellDoc& doc = *GetDocument();
    const CPoint scroll = GetDeviceScrollPosition();
    if (std::int64_t(at.x) + scroll.x + std::int64_t(doc.m_nSelCols) * TileWidth() > m_nMapPixelWidth ||
        std::int64_t(at.y) + scroll.y + std::int64_t(doc.m_nSelRows) * TileHeight() > m_nMapPixelHeight)
        return;
    RefreshScreen();
    DrawBlockPreview(at.x, at.y);
    m_ptLastPreview = at;
}

void CMapView::OnLButtonDown(UINT, CPoint point)
{
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    DrawBand(cell);
    m_rcAnchor = cell;
    m_rcBand = cell;
    m_bDragging = TRUE;
    SetCapture();
}

void CMapView::OnLButtonUp(UINT, CPoint)
{
    if (!m_bDragging) return;
    ReleaseCapture();
    const bool tileMode = GetDocument()->m_bTileSelected;
    if (m_bRubberBand) {
        m_rcBand.NormalizeRect();
        DrawBand(m_rcBand);
        if (tileMode) {
            const CPoint scroll = GetDeviceScrollPosition();
            CRect rcMap = m_rcBand;
            rcMap.OffsetRect(scroll.x, scroll.y);
            FillBandWithBlock(rcMap);
        } else {
            SetBandAttribute();
        }
    } else {
        DrawBand(m_rcAnchor);
        if (tileMode)
            StampBlockAtAnchor();
        else
            SetAnchorAttribute();
    }
    // Whatever happened, the overview shows the map image as it is now.
    if (CMainFrame* frame = MainFrame(); frame && frame->m_pSmallMapView) frame->m_pSmallMapView->Invalidate(TRUE);
    m_bDragging = FALSE;
    m_bRubberBand = FALSE;
}

void CMapView::OnRButtonDown(UINT, CPoint)
{
    if (!GetDocument() || !GetDocument()->m_bTileSelected) return;
    CMainFrame* frame = MainFrame();
    if (!frame || !frame->m_pTileView) return;
    frame->m_pTileView->ClearTileSelection();
    frame->m_pTileView->Invalidate(TRUE);
    RefreshScreen();
}

void CMapView::StampBlockAtAnchor()
{
    if (!HasSelectedBlock()) return;
    const CZellDoc& doc = *GetDocument();
    const CPoint anchor = CellOfRect(m_rcAnchor);
    for (int r = 0; r < doc.m_nSelRows; ++r) {
        for (int c = 0; c < doc.m_nSelCols; ++c) {
            const short v = SelectedTile(r, c);
            if (v == kEmptyTileCell) break;
            SetTileAt(anchor.x + c, anchor.y + r, v);
        }
    }
    RefreshScreen();
}

void CMapView::FillBandWithBlock(CRect rcMap)
{
    if (!HasCells() || !m_pTileLayer || !HasSelectedBlock() || rcMap.left < 0 || rcMap.top < 0) return;
    const CZellDoc& doc = *GetDocument();
    const int tw = TileWidth();
    const int th = TileHeight();
    const int firstCol = rcMap.left / tw;
    const int firstRow = rcMap.top / th;
    const int cols = rcMap.Width() / tw;
    const int rows = rcMap.Height() / th;
    // Cells past the map's right or bottom edge are skipped.
    const int endCol = std::min(cols, MapWidth() - firstCol);
    const int endRow = std::min(rows, MapHeight() - firstRow);
    for (int i = 0; i < endRow; ++i) {
        for (int j = 0; j < endCol; ++j) {
            const short v = SelectedTile(i % doc.m_nSelRows, j % doc.m_nSelCols);
            if (v == kEmptyTileCell) break;
            SetTileAt(firstCol + j, firstRow + i, v);
        }
    }
    RefreshScreen();
}

void CMapView::SetAnchorAttribute()
{
    const CPoint cell = CellOfRect(m_rcAnchor);
    m_dlgMapAttr.m_nValue = GetAttrAt(cell.x, cell.y);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    SetAttrAt(cell.x, cell.y, m_dlgMapAttr.m_nValue);
    RefreshScreen();
}

void CMapView::SetBandAttribute()
{
    const CPoint first = CellOfRect(m_rcBand);
    const int cols = m_rcBand.Width() / TileWidth();
    const int rows = m_rcBand.Height() / TileHeight();
    m_dlgMapAttr.m_nValue = GetAttrAt(first.x, first.y);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) SetAttrAt(first.x + j, first.y + i, m_dlgMapAttr.m_nValue);
    RefreshScreen();
}
