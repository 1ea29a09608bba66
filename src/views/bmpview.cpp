#include "bmpview.h"

#include <algorithm>

#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr CSize kSizeWithoutBitmap(100, 100);
}  // namespace

CBmpView::CBmpView() : m_drag(*this) { setAccessibleName(Pellin::tr("원본 비트맵")); }

CBmpView::~CBmpView() = default;

CZellDoc* CBmpView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

bool CBmpView::HasGrid() const
{
    const CZellDoc* doc = GetDocument();
    return doc && doc->Bitmap().m_bLoaded && doc->TileWidth() > 0 && doc->TileHeight() > 0;
}

void CBmpView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    const CZellDoc* doc = GetDocument();
    if (doc && doc->Bitmap().m_bLoaded)
        SetScrollSizes(MM_TEXT, CSize(doc->Bitmap().GetWidth(), doc->Bitmap().GetHeight()));
    else
        SetScrollSizes(MM_TEXT, kSizeWithoutBitmap);
}

void CBmpView::OnUpdate(CScrollView*, LPARAM lHint, CObject*)
{
    if (lHint & HINT_BITMAP) OnInitialUpdate();
}

void CBmpView::OnDraw(CDC* pDC)
{
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    pDC->FillSolidRect(CRect(scroll.x, scroll.y, scroll.x + client.Width(), scroll.y + client.Height()), kBackground);
    if (const CZellDoc* doc = GetDocument(); doc && doc->Bitmap().m_bLoaded) {
        // Only the part of the bitmap under the client area is converted:
        // the whole picture in screen form would be many times its size.
        const CDib& dib = doc->Bitmap();
        const int left = std::max(0, scroll.x);
        const int top = std::max(0, scroll.y);
        const int right = std::min(dib.GetWidth(), scroll.x + client.Width());
        const int bottom = std::min(dib.GetHeight(), scroll.y + client.Height());
        if (left < right && top < bottom) {
            m_visibleBits.resize(std::size_t(right - left) * std::size_t(bottom - top));
            if (dib.ConvertToScreen(left, top, right - left, bottom - top, m_visibleBits.data()))
                pDC->DrawScreenBits(left, top, m_visibleBits.data(), right - left, bottom - top);
        }
    }
    // The drag's frame, drawn over the picture from its state.
    if (std::optional<CRect> frame = m_drag.Frame()) {
        frame->OffsetRect(scroll.x, scroll.y);
        InvertCellFrame(*pDC, *frame);
    }
}

CRect CBmpView::CellFromPoint(int x, int y) const
{
    if (!HasGrid()) return {};
    const CZellDoc* doc = GetDocument();
    const int tw = doc->TileWidth();
    const int th = doc->TileHeight();
    const CPoint scroll = GetDeviceScrollPosition();
    const int bx = x + scroll.x;
    const int by = y + scroll.y;
    if (bx < 0 || by < 0 || bx >= doc->Bitmap().GetWidth() || by >= doc->Bitmap().GetHeight()) return {};
    const int left = (bx / tw) * tw - scroll.x;
    const int top = (by / th) * th - scroll.y;
    return {left, top, left + tw, top + th};
}

void CBmpView::CutBandTiles(const CRect& band)
{
    std::vector<CRect> cells;
    if (HasGrid()) {
        const CZellDoc* doc = GetDocument();
        const int tw = doc->TileWidth();
        const int th = doc->TileHeight();
        const int columns = band.Width() / tw;
        const int rows = band.Height() / th;
        const CPoint scroll = GetDeviceScrollPosition();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const int left = band.left + scroll.x + c * tw;
                const int top = band.top + scroll.y + r * th;
                cells.emplace_back(left, top, left + tw, top + th);
            }
        }
    }
    // The palette is laid out anew even when nothing was cut.
    GetDocument()->CutTiles(cells);
}

void CBmpView::OnLButtonDown(UINT, CPoint point)
{
    const CRect cell = CellFromPoint(point.x, point.y);
    if (!cell.IsRectEmpty()) m_drag.Press(cell);
}

void CBmpView::OnMouseMove(UINT, CPoint point)
{
    if (!m_drag.IsDragging()) return;
    const CRect client = GetClientRect();
    CRect cell;
    if (point.x >= 1 && point.x < client.Width() - 1 && point.y >= 1 && point.y < client.Height() - 1) {
        // Past the bitmap's right or bottom edge the band stops at the
        // bitmap's last cell in that direction.
        const CZellDoc* doc = GetDocument();
        const CPoint scroll = GetDeviceScrollPosition();
        cell = CellFromPoint(std::min(point.x, doc->Bitmap().GetWidth() - 1 - scroll.x),
                             std::min(point.y, doc->Bitmap().GetHeight() - 1 - scroll.y));
    }
    if (cell.IsRectEmpty())
        m_drag.Abandon();
    else
        m_drag.Move(m_drag.FromAnchorTo(cell));
}

void CBmpView::OnLButtonUp(UINT, CPoint)
{
    if (m_drag.Release()) CutBandTiles(m_drag.Band());
}

void CBmpView::OnLButtonDblClk(UINT, CPoint point)
{
    CRect cell = CellFromPoint(point.x, point.y);
    if (cell.IsRectEmpty()) return;
    const CPoint scroll = GetDeviceScrollPosition();
    cell.OffsetRect(scroll.x, scroll.y);
    GetDocument()->CutTiles({cell});
}

void CBmpView::scrollContentsBy(int dx, int dy)
{
    CScrollView::scrollContentsBy(dx, dy);
    // A drag's frames stay on the cells they were made on.
    m_drag.Scroll(dx, dy);
}
