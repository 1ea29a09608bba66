// The map pane's mouse and keys: each goes to the tool in use as cells
// (toolmanager.h); what the tool then wants framed is drawn from its state
// (mapview.cpp). The edits themselves are the document's; the pane hears
// of the changed cells through OnUpdate and redraws them.
#include "mapview.h"

#include <QKeyEvent>
#include <algorithm>

#include "frame.h"
#include "resource.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
Qt::KeyboardModifiers ModifiersOf(UINT flags)
{
    Qt::KeyboardModifiers modifiers;
    if (flags & MK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (flags & MK_CONTROL) modifiers |= Qt::ControlModifier;
    return modifiers;
}

// The modifiers held once the key event is over: a press or release of
// Shift or Ctrl itself may be reported with the state from before it.
Qt::KeyboardModifiers ModifiersAfter(const QKeyEvent& event)
{
    Qt::KeyboardModifiers modifiers = event.modifiers();
    const Qt::KeyboardModifier own = event.key() == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
    modifiers.setFlag(own, event.type() == QEvent::KeyPress);
    return modifiers;
}
}  // namespace

bool CMapView::HasSelectedBlock() const { return GetDocument() && GetDocument()->HasBrush(); }

CToolManager& CMapView::Tools()
{
    m_tools.SetDocument(GetDocument());
    return m_tools;
}

std::optional<CRect> CMapView::DragFrame() const
{
    if (!HasMap()) return std::nullopt;
    const std::optional<CRect> band = m_tools.Current().Overlay().band;
    if (!band) return std::nullopt;
    CRect frame = Viewport().ClientRectOfCells(*band);
    // A cell narrower than a screen pixel still has one to be framed by;
    // a band dragged back past its anchor keeps its crossed corners.
    if (band->right > band->left) frame.right = std::max(frame.right, frame.left + 1);
    if (band->bottom > band->top) frame.bottom = std::max(frame.bottom, frame.top + 1);
    return frame;
}

std::optional<CRect> CMapView::MovedOutline() const
{
    return HasMap() ? m_tools.Current().Overlay().movedCells : std::nullopt;
}

std::shared_ptr<const std::vector<CellSpan>> CMapView::CellsToPaint() const
{
    return HasMap() ? m_tools.Current().Overlay().cellsToPaint : nullptr;
}

std::optional<CPoint> CMapView::PreviewCell() const
{
    return HasSelectedBlock() ? m_tools.Current().Overlay().brushAt : std::nullopt;
}

void CMapView::HidePreview(bool sameCellShowsAgain)
{
    m_tools.Current().ForgetHover(sameCellShowsAgain);
    MarksChanged();
}

ToolEvent CMapView::ToolEventAt(CPoint point, UINT flags, Qt::MouseButton button) const
{
    const MapViewport viewport = Viewport();
    const std::optional<CPoint> cell = HasMap() ? viewport.CellAt(point) : std::nullopt;
    const CRect client = GetClientRect();
    const int edge = std::min({point.x, point.y, client.right - 1 - point.x, client.bottom - 1 - point.y});
    return {cell.value_or(viewport.ClampedCellAt(point)), cell.has_value(), button, ModifiersOf(flags), edge};
}

void CMapView::AfterToolEvent()
{
    const CMapTool& tool = m_tools.Current();
    if (tool.IsActive() && tool.CapturesPointer())
        SetCapture();
    else
        ReleaseCapture();
    MarksChanged();
    if (const QString status = tool.StatusText(); status != m_toolStatus) {
        m_toolStatus = status;
        emit StatusChanged();
    }
}

void CMapView::SetTool(MapTool tool) { Tools().Select(tool); }

void CMapView::SetToolLater(MapTool tool)
{
    QMetaObject::invokeMethod(
        this, [view = this, tool] { view->SetTool(tool); }, Qt::QueuedConnection);
}

bool CMapView::CancelGesture()
{
    CMapTool& tool = Tools().Current();
    const bool cancelled = tool.IsActive();
    if (cancelled) tool.Cancel();
    AfterToolEvent();
    return cancelled;
}

BOOL CMapView::OnCmdMsg(UINT nID, CCmdUI* pUI)
{
    // Esc while a gesture is under way ends the gesture, not the selection.
    if (nID == ID_EDIT_SELECT_NONE && GestureActive()) {
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

void CMapView::enterEvent(QEnterEvent* event)
{
    CScrollView::enterEvent(event);
    Tools().Current().Enter();
    AfterToolEvent();
}

void CMapView::leaveEvent(QEvent* event)
{
    CScrollView::leaveEvent(event);
    Tools().Current().Leave();
    AfterToolEvent();
    if (!m_pointerCell) return;
    m_pointerCell.reset();
    emit StatusChanged();
}

void CMapView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && CancelGesture()) {
        event->accept();
        return;
    }
    CMapTool& tool = Tools().Current();
    const bool taken = tool.KeyPress(event->key(), event->modifiers());
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control) tool.ModifiersChanged(ModifiersAfter(*event));
    AfterToolEvent();
    if (taken) {
        event->accept();
        return;
    }
    CScrollView::keyPressEvent(event);
}

void CMapView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control) {
        Tools().Current().ModifiersChanged(ModifiersAfter(*event));
        AfterToolEvent();
    }
    CScrollView::keyReleaseEvent(event);
}

QString CMapView::WhereText() const
{
    QString text;
    const CZellDoc* doc = GetDocument();
    if (m_pointerCell && doc && HasMap()) {
        const CPoint c = *m_pointerCell;
        const std::optional<short> tile = doc->Cells().Tile(c.x, c.y);
        const std::optional<short> attr = doc->Cells().Attr(c.x, c.y);
        if (tile && attr) text = Pellin::tr("%1, %2  타일 %3  속성 %4").arg(c.x).arg(c.y).arg(*tile).arg(*attr);
        // A named value shows its name beside the number.
        if (const std::string name = attr && *attr != kNoAttrCell ? doc->AttrValues().Name(*attr) : std::string();
            !text.isEmpty() && !name.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(name));
    }
    if (doc && !doc->MapSelection().IsRectEmpty()) {
        const CRect& sel = doc->MapSelection();
        if (!text.isEmpty()) text += QStringLiteral("  ");
        text += Pellin::tr("선택 %1 x %2").arg(sel.Width()).arg(sel.Height());
    }
    if (!m_toolStatus.isEmpty()) {
        if (!text.isEmpty()) text += QStringLiteral("  ");
        text += m_toolStatus;
    }
    return text;
}

void CMapView::OnMouseMove(UINT nFlags, CPoint point)
{
    TrackPointer(point);
    if (!HasMap()) return;
    CMapTool& tool = Tools().Current();
    const ToolEvent e = ToolEventAt(point, nFlags);
    if (tool.IsActive())
        tool.Move(e);
    else
        tool.Hover(e);
    AfterToolEvent();
}

void CMapView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!HasMap()) return;
    Tools().Current().Press(ToolEventAt(point, nFlags, Qt::LeftButton));
    AfterToolEvent();
}

void CMapView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!HasMap()) return;
    Tools().Current().Release(ToolEventAt(point, nFlags, Qt::LeftButton));
    AfterToolEvent();
}

void CMapView::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!HasMap()) return;
    Tools().Current().Press(ToolEventAt(point, nFlags, Qt::RightButton));
    AfterToolEvent();
}

void CMapView::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (!HasMap()) return;
    Tools().Current().Release(ToolEventAt(point, nFlags, Qt::RightButton));
    AfterToolEvent();
}
