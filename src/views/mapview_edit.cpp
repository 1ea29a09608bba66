// The map pane's mouse editing. With a tile block picked, the block is
// previewed under the pointer, a click stamps it and a drag fills a band
// with it repeated; without one, a click or drag sets map attributes. The
// edits themselves are the document's; the pane hears of the changed cells
// through OnUpdate and redraws them.
//
// Cell rectangles are kept in client coordinates as the window shows them.
// Their top-left plus the scroll position is exactly a cell's top-left map
// pixel, so the cell is found by dividing that, whatever the tile size.
#include "mapview.h"

#include <algorithm>

#include "zelldoc.h"

CRect CMapView::CellFromPoint(int x, int y) const
{
    if (!HasMap()) return {};
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

CRect CMapView::CellsOfBand(const CRect& band) const
{
    const CPoint first = CellOfRect(band);
    return {first.x, first.y, first.x + band.Width() / TileWidth(), first.y + band.Height() / TileHeight()};
}

CPoint CMapView::ClampToMap(CPoint point) const
{
    const CPoint scroll = GetDeviceScrollPosition();
    return {std::min(point.x, m_nMapPixelWidth - scroll.x - 1), std::min(point.y, m_nMapPixelHeight - scroll.y - 1)};
}

bool CMapView::HasSelectedBlock() const { return GetDocument() && GetDocument()->HasSelection(); }

void CMapView::DrawBlockPreview(int x, int y)
{
    if (!HasSelectedBlock()) return;
    const CZellDoc& doc = *GetDocument();
    const CTileBlock& block = doc.Selection();
    CClientDC dc(this);
    for (int r = 0; r < block.m_nRows; ++r) {
        for (int c = 0; c < block.m_nCols; ++c) {
            const short v = block.At(r, c);
            if (v == kEmptyTileCell) break;
            const CSprite* tile = doc.m_map.TileForCell(v);
            if (!tile) continue;
            const CRect drawn(x + c * TileWidth(), y + r * TileHeight(), x + c * TileWidth() + tile->GetWidth(),
                              y + r * TileHeight() + tile->GetHeight());
            dc.DrawScreenBits(drawn.left, drawn.top, tile->GetScreenBits(), tile->GetWidth(), tile->GetHeight());
            m_rcPreview.UnionRect(m_rcPreview, drawn);
        }
    }
}

void CMapView::OnMouseMove(UINT, CPoint point)
{
    const CRect client = GetClientRect();
    if (m_drag.IsDragging()) {
        if (point.x < 1 || point.y < 1 || point.x >= client.right - 1 || point.y >= client.bottom - 1) {
            // The pointer reached the pane's border: the drag is dropped.
            m_drag.Abandon();
            return;
        }
        // Past the map's right or bottom edge the band stops at the map's last cell.
        const CRect cell = CellFromPoint(ClampToMap(point));
        m_drag.Move(cell.IsRectEmpty() ? m_drag.Band() : m_drag.FromAnchorTo(cell));
        return;
    }

    if (!HasSelectedBlock() || !HasMap()) return;
    if (point.x <= 5 || point.y <= 5 || point.x >= client.right - 5 || point.y >= client.bottom - 5) {
        EraseStalePreview();
        return;
    }
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    const CPoint at = cell.TopLeft();
    if (at == m_ptLastPreview) return;
    // No preview where the block would reach past the map.
    const CTileBlock& block = GetDocument()->Selection();
    const CPoint scroll = GetDeviceScrollPosition();
    if (std::int64_t(at.x) + scroll.x + std::int64_t(block.m_nCols) * TileWidth() > m_nMapPixelWidth ||
        std::int64_t(at.y) + scroll.y + std::int64_t(block.m_nRows) * TileHeight() > m_nMapPixelHeight)
        return;
    EraseStalePreview();
    DrawBlockPreview(at.x, at.y);
    m_ptLastPreview = at;
}

void CMapView::OnLButtonDown(UINT, CPoint point)
{
    const CRect cell = CellFromPoint(point);
    if (!cell.IsRectEmpty()) m_drag.Press(cell);
}

void CMapView::OnLButtonUp(UINT, CPoint)
{
    if (!m_drag.IsDragging()) return;
    CZellDoc* doc = GetDocument();
    const bool tileMode = doc->HasSelection();
    if (m_drag.Release()) {
        CRect band = m_drag.Band();
        band.NormalizeRect();
        if (tileMode) {
            EraseStalePreview();
            doc->FillWithSelection(CellsOfBand(band));
        } else {
            SetBandAttribute(band);
        }
    } else {
        if (tileMode) {
            EraseStalePreview();
            const CPoint anchor = CellOfRect(m_drag.Anchor());
            doc->StampSelection(anchor.x, anchor.y);
        } else {
            SetAnchorAttribute(m_drag.Anchor());
        }
    }
}

void CMapView::OnRButtonDown(UINT, CPoint)
{
    if (!HasSelectedBlock()) return;
    // The palette hears of it and repaints without its frame.
    GetDocument()->ClearSelection(this);
    RefreshScreen();
}

void CMapView::SetAnchorAttribute(const CRect& anchor)
{
    const CPoint cell = CellOfRect(anchor);
    m_dlgMapAttr.m_nValue = GetDocument()->CellAttribute(cell.x, cell.y);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    EraseStalePreview();
    GetDocument()->SetCellAttributes(CRect(cell.x, cell.y, cell.x + 1, cell.y + 1), m_dlgMapAttr.m_nValue);
}

void CMapView::SetBandAttribute(const CRect& band)
{
    const CRect cells = CellsOfBand(band);
    m_dlgMapAttr.m_nValue = GetDocument()->CellAttribute(cells.left, cells.top);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    EraseStalePreview();
    GetDocument()->SetCellAttributes(cells, m_dlgMapAttr.m_nValue);
}
