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

#include <QPainter>
#include <algorithm>

#include "frame.h"
#include "maptools.h"
#include "resource.h"
#include "zelldoc.h"

CRect CMapView::CellFromPoint(int x, int y) const
{
    if (!HasMap()) return {};
    const std::optional<CPoint> cell = Viewport().CellAt(CPoint(x, y));
    return cell ? CellFrame(*cell) : CRect();
}

CRect CMapView::CellFrame(CPoint cell) const
{
    CRect rc = Viewport().ClientRectOfCell(cell);
    // A cell narrower than a screen pixel still has one to be framed by.
    rc.right = std::max(rc.right, rc.left + 1);
    rc.bottom = std::max(rc.bottom, rc.top + 1);
    return rc;
}

CPoint CMapView::CellOfRect(const CRect& rc) const { return Viewport().CellAt(rc.TopLeft()).value_or(CPoint(0, 0)); }

CRect CMapView::CellsOfBand(const CRect& band) const
{
    const MapViewport viewport = Viewport();
    const CPoint first = CellOfRect(band);
    const CPoint last = viewport.ClampedCellAt(CPoint(band.right - 1, band.bottom - 1));
    // A band folded to no width (dragged back past its anchor) holds no cells.
    return {first.x, first.y, band.Width() > 0 ? std::max(first.x, last.x) + 1 : first.x,
            band.Height() > 0 ? std::max(first.y, last.y) + 1 : first.y};
}

CPoint CMapView::ClampToMap(CPoint point) const
{
    const MapViewport viewport = Viewport();
    const CPoint scroll = viewport.scroll;
    return {int(std::min<std::int64_t>(point.x, viewport.ZoomedWidth() - scroll.x - 1)),
            int(std::min<std::int64_t>(point.y, viewport.ZoomedHeight() - scroll.y - 1))};
}

bool CMapView::HasSelectedBlock() const { return GetDocument() && GetDocument()->HasBrush(); }

std::optional<CRect> CMapView::DragFrame() const
{
    if (!HasMap()) return std::nullopt;
    if (m_pTool) {
        const std::optional<CRect> band = m_pTool->Overlay().band;
        if (!band) return std::nullopt;
        CRect frame = Viewport().ClientRectOfCells(*band);
        frame.right = std::max(frame.right, frame.left + 1);
        frame.bottom = std::max(frame.bottom, frame.top + 1);
        return frame;
    }
    if (!m_drag.IsDragging()) return std::nullopt;
    const CRect anchor = CellFrame(*m_drag.anchor);
    if (!m_drag.moved) return anchor;
    // Dragged back past the anchor, the frame's corners cross.
    const CRect end = CellFrame(m_drag.end);
    return CRect(anchor.left, anchor.top, end.right, end.bottom);
}

std::optional<CRect> CMapView::MovedOutline() const
{
    return m_pTool && HasMap() ? m_pTool->Overlay().movedCells : std::nullopt;
}

void CMapView::HidePreview()
{
    if (!m_previewCell) return;
    m_previewCell.reset();
    MarksChanged();
}

ToolEvent CMapView::ToolEventAt(CPoint point, UINT flags) const
{
    const MapViewport viewport = Viewport();
    const std::optional<CPoint> cell = HasMap() ? viewport.CellAt(point) : std::nullopt;
    return {cell.value_or(viewport.ClampedCellAt(point)), cell.has_value(), flags};
}

void CMapView::SetTool(MapTool tool)
{
    CancelGesture();
    HidePreview();
    m_ptLastPreview = {INT_MIN, INT_MIN};
    m_tool = tool;
    MapToolHost host;
    host.doc = GetDocument();
    // The switch waits for the event loop: the tool asking for it is still running.
    host.switchTool = [view = this](MapTool next) { view->SetToolLater(next); };
    m_pTool = host.doc ? MakeMapTool(tool, host) : nullptr;
    emit StatusChanged();
}

void CMapView::SetToolLater(MapTool tool)
{
    QMetaObject::invokeMethod(
        this, [view = this, tool] { view->SetTool(tool); }, Qt::QueuedConnection);
}

bool CMapView::CancelGesture()
{
    bool cancelled = false;
    if (m_pTool && m_pTool->IsActive()) {
        m_pTool->Cancel();
        cancelled = true;
    }
    if (m_drag.IsDragging()) {
        m_drag = {};
        ReleaseCapture();
        cancelled = true;
    }
    m_bRightDrag = false;
    MarksChanged();
    return cancelled;
}

BOOL CMapView::OnCmdMsg(UINT nID, CCmdUI* pUI)
{
    // Esc while a gesture is under way ends the gesture, not the selection.
    if (nID == ID_EDIT_SELECT_NONE && ((m_pTool && m_pTool->IsActive()) || m_drag.IsDragging())) {
        if (pUI)
            pUI->Enable(TRUE);
        else
            CancelGesture();
        return TRUE;
    }
    return CScrollView::OnCmdMsg(nID, pUI);
}

void CMapView::TrackPointer(CPoint point)
{
    const std::optional<CPoint> cell = HasMap() ? Viewport().CellAt(point) : std::nullopt;
    if (cell == m_pointerCell) return;
    m_pointerCell = cell;
    emit StatusChanged();
}

void CMapView::leaveEvent(QEvent* event)
{
    CScrollView::leaveEvent(event);
    if (!m_pointerCell) return;
    m_pointerCell.reset();
    emit StatusChanged();
}

QString CMapView::WhereText() const
{
    QString text;
    const CZellDoc* doc = GetDocument();
    if (m_pointerCell && doc && HasMap()) {
        const CPoint c = *m_pointerCell;
        const std::optional<short> tile = doc->Cells().Tile(c.x, c.y);
        const std::optional<short> attr = doc->Cells().Attr(c.x, c.y);
        if (tile && attr) text = QStringLiteral("%1, %2  타일 %3  속성 %4").arg(c.x).arg(c.y).arg(*tile).arg(*attr);
        // A named value shows its name beside the number.
        if (const std::string name = attr && *attr != kNoAttrCell ? doc->AttrValues().Name(*attr) : std::string();
            !text.isEmpty() && !name.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(name));
    }
    if (doc && !doc->MapSelection().IsRectEmpty()) {
        const CRect& sel = doc->MapSelection();
        if (!text.isEmpty()) text += QStringLiteral("  ");
        text += QStringLiteral("선택 %1 x %2").arg(sel.Width()).arg(sel.Height());
    }
    return text;
}

void CMapView::OnMouseMove(UINT nFlags, CPoint point)
{
    TrackPointer(point);
    if (m_pTool) {
        if (!m_pTool->IsActive()) return;
        m_pTool->Move(ToolEventAt(point, nFlags));
        MarksChanged();
        return;
    }
    const CRect client = GetClientRect();
    if (m_drag.IsDragging()) {
        if (point.x < 1 || point.y < 1 || point.x >= client.right - 1 || point.y >= client.bottom - 1) {
            // The pointer reached the pane's border: the drag is dropped.
            CancelGesture();
            return;
        }
        // Past the map's right or bottom edge the band stops at the map's last cell.
        const CRect cell = CellFromPoint(ClampToMap(point));
        m_drag.moved = true;
        if (!cell.IsRectEmpty()) m_drag.end = CellOfRect(cell);
        MarksChanged();
        return;
    }

    if (!HasSelectedBlock() || !HasMap()) return;
    if (point.x <= 5 || point.y <= 5 || point.x >= client.right - 5 || point.y >= client.bottom - 5) {
        HidePreview();
        return;
    }
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    const CPoint at = cell.TopLeft();
    if (at == m_ptLastPreview) return;
    // No preview where the block would reach past the map.
    const CCellBlock& block = GetDocument()->Brush();
    const CPoint first = CellOfRect(cell);
    if (std::int64_t(first.x) + block.m_nCols > GetDocument()->MapWidth() ||
        std::int64_t(first.y) + block.m_nRows > GetDocument()->MapHeight())
        return;
    m_previewCell = first;
    m_ptLastPreview = at;
    MarksChanged();
}

void CMapView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pTool) {
        if (!HasMap()) return;
        m_pTool->Press(ToolEventAt(point, nFlags));
        MarksChanged();
        return;
    }
    if (m_bRightDrag) return;
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    if (nFlags & MK_CONTROL) {
        // Ctrl+click picks the cell's tile without leaving the stamp.
        const CPoint at = CellOfRect(cell);
        HidePreview();
        PickCells(*GetDocument(), CRect(at.x, at.y, at.x + 1, at.y + 1));
        m_ptLastPreview = {INT_MIN, INT_MIN};
        return;
    }
    const CPoint at = CellOfRect(cell);
    m_drag = {at, at, false};
    SetCapture();
    MarksChanged();
}

void CMapView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pTool) {
        if (!m_pTool->IsActive()) return;
        m_pTool->Release(ToolEventAt(point, nFlags));
        MarksChanged();
        return;
    }
    if (!m_drag.IsDragging() || m_bRightDrag) return;
    CZellDoc* doc = GetDocument();
    const bool tileMode = doc->HasBrush();
    CRect band = DragFrame().value_or(CRect());
    band.NormalizeRect();
    const StampDrag drag = m_drag;
    // Idle before the pane acts on the drag: a message box or dialog then
    // must not show a frame.
    m_drag = {};
    ReleaseCapture();
    MarksChanged();
    if (drag.moved) {
        if (tileMode) {
            HidePreview();
            doc->FillWithBrush(CellsOfBand(band));
        } else {
            SetBandAttribute(band);
        }
    } else {
        if (tileMode) {
            HidePreview();
            doc->StampBrush(drag.anchor->x, drag.anchor->y);
        } else {
            SetAnchorAttribute(*drag.anchor);
        }
    }
}

void CMapView::OnRButtonDown(UINT, CPoint point)
{
    if (m_pTool) return;
    if (HasSelectedBlock()) {
        // The palette hears of it and repaints without its frame.
        GetDocument()->ClearSelection(this);
        m_previewCell.reset();
        RefreshScreen();
    }
    // A right-button drag picks the cells it frames as the block.
    if (m_drag.IsDragging()) return;
    const CRect cell = CellFromPoint(point);
    if (cell.IsRectEmpty()) return;
    const CPoint at = CellOfRect(cell);
    m_drag = {at, at, false};
    SetCapture();
    m_bRightDrag = true;
    MarksChanged();
}

void CMapView::OnRButtonUp(UINT, CPoint point)
{
    if (!m_bRightDrag) return;
    m_bRightDrag = false;
    if (!m_drag.IsDragging()) return;
    const CPoint anchor = *m_drag.anchor;
    m_drag = {};
    ReleaseCapture();
    MarksChanged();
    const CPoint last = Viewport().ClampedCellAt(point);
    // A click without reaching another cell only drops the block.
    if (last == anchor) return;
    PickCells(*GetDocument(), CellsBetween(anchor, last));
    m_ptLastPreview = {INT_MIN, INT_MIN};
}

void CMapView::SetAnchorAttribute(CPoint cell)
{
    m_dlgMapAttr.m_nValue = GetDocument()->CellAttribute(cell.x, cell.y);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    HidePreview();
    GetDocument()->SetCellAttributes(CRect(cell.x, cell.y, cell.x + 1, cell.y + 1), m_dlgMapAttr.m_nValue);
}

void CMapView::SetBandAttribute(const CRect& band)
{
    const CRect cells = CellsOfBand(band);
    m_dlgMapAttr.m_nValue = GetDocument()->CellAttribute(cells.left, cells.top);
    if (m_dlgMapAttr.DoModal() != IDOK) return;
    HidePreview();
    GetDocument()->SetCellAttributes(cells, m_dlgMapAttr.m_nValue);
}
