#include "celldrag.h"

#include <QPainter>
#include <algorithm>

void InvertCellFrame(CDC& dc, const CRect& rc)
{
    const CPen oldPen = dc.SelectPen(CPen{PS_SOLID, 4, RGB(255, 0, 0)});
    const CBrush oldBrush = dc.SelectBrush(CBrush::Null());
    const int oldRop = dc.SetROP2(R2_NOT);
    dc.Rectangle(rc.left, rc.top, rc.right, rc.bottom);
    dc.SetROP2(oldRop);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void InvertCellFrame(QPainter& painter, const CRect& rc)
{
    // As the client context draws a 4-pixel pen's rectangle.
    const int l = std::min(rc.left, rc.right), r = std::max(rc.left, rc.right);
    const int t = std::min(rc.top, rc.bottom), b = std::max(rc.top, rc.bottom);
    if (r <= l || b <= t) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::red, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    painter.restore();
}

void CCellDrag::Press(const CRect& cell)
{
    m_rcAnchor = cell;
    m_rcBand = cell;
    m_bDragging = true;
    m_bMoved = false;
    m_view.SetCapture();
    m_view.Invalidate(FALSE);
}

void CCellDrag::Move(const CRect& band)
{
    if (!m_bDragging) return;
    m_bMoved = true;
    m_rcBand = band;
    m_view.Invalidate(FALSE);
}

void CCellDrag::Abandon()
{
    if (!m_bDragging) return;
    End();
}

bool CCellDrag::Release()
{
    if (!m_bDragging) return false;
    const bool moved = m_bMoved;
    End();
    return moved;
}

void CCellDrag::End()
{
    // Idle before the pane acts on the drag: a message box or dialog then
    // must not show a frame.
    m_bDragging = false;
    m_bMoved = false;
    m_view.ReleaseCapture();
    m_view.Invalidate(FALSE);
}

std::optional<CRect> CCellDrag::Frame() const
{
    if (!m_bDragging) return std::nullopt;
    return m_bMoved ? m_rcBand : m_rcAnchor;
}

void CCellDrag::Scroll(int dx, int dy)
{
    m_rcAnchor.OffsetRect(dx, dy);
    m_rcBand.OffsetRect(dx, dy);
}
