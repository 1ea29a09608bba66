#include "smallmapview.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "maphint.h"
#include "attrtint.h"
#include "maprender.h"
#include "zelldoc.h"

namespace {
int ClampToInt(std::uint64_t value) { return int(std::min<std::uint64_t>(value, INT_MAX)); }

// A map size taken as unsigned: a negative one counts as nothing.
std::uint64_t Unsigned(int value) { return value < 0 ? 0 : std::uint64_t(value); }

// The reduced pixels whose source spans reach into source pixels [first, end).
std::pair<std::int64_t, std::int64_t> ReducedRange(std::int64_t first, std::int64_t end, std::int64_t source,
                                                   std::int64_t reduced)
{
    // Pixel d covers [d * source / reduced, ...): one pixel either side is
    // enough to hold every pixel whose span meets the range.
    const std::int64_t from = std::max<std::int64_t>(0, first * reduced / source - 1);
    const std::int64_t to = std::min<std::int64_t>(reduced, end * reduced / source + 2);
    return {from, to};
}
}  // namespace

CSmallMapView::CSmallMapView() { setAccessibleName(QStringLiteral("전체 맵")); }

CSmallMapView::~CSmallMapView() = default;

CZellDoc* CSmallMapView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

void CSmallMapView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    const CZellDoc* pDoc = GetDocument();
    if (!pDoc) return;
    const std::uint64_t srcWidth = std::uint64_t(pDoc->TileWidth()) * Unsigned(pDoc->MapWidth());
    const std::uint64_t srcHeight = std::uint64_t(pDoc->TileHeight()) * Unsigned(pDoc->MapHeight());
    m_nViewWidth = ClampToInt(srcWidth / 10 * 5);
    m_nViewHeight = ClampToInt(srcHeight / 10 * 5);
    m_nSrcWidth = ClampToInt(srcWidth);
    m_nSrcHeight = ClampToInt(srcHeight);
    SetScrollSizes(MM_TEXT, CSize(m_nViewWidth, m_nViewHeight));
}

void CSmallMapView::OnUpdate(CScrollView*, LPARAM lHint, CObject* pHint)
{
    if (lHint & HINT_NEW_MAP) {
        OnInitialUpdate();
    } else if ((lHint & (HINT_TILE_IMAGES | HINT_OVERLAY)) ||
               ((lHint & HINT_ATTR_VALUES) && GetDocument()->ShowAttrColours())) {
        // Cells may name other pictures now, or show other colours.
        Invalidate(TRUE);
    } else if ((lHint & HINT_CELLS) && pHint && m_nSrcWidth > 0 && m_nSrcHeight > 0) {
        const CZellDoc* doc = GetDocument();
        const CRect& cells = static_cast<const CMapHint*>(pHint)->m_rcCells;
        if (cells.IsRectEmpty()) return;
        const auto xs = ReducedRange(std::int64_t(cells.left) * doc->TileWidth(),
                                     std::int64_t(cells.right) * doc->TileWidth(), m_nSrcWidth, m_nViewWidth);
        const auto ys = ReducedRange(std::int64_t(cells.top) * doc->TileHeight(),
                                     std::int64_t(cells.bottom) * doc->TileHeight(), m_nSrcHeight, m_nViewHeight);
        // Only what the pane shows of the change: the whole of a large one
        // would be a picture many times the size of memory.
        CRect shown;
        if (!shown.IntersectRect(CRect(int(xs.first), int(ys.first), int(xs.second), int(ys.second)), VisiblePicture()))
            return;
        const CPoint scroll = GetDeviceScrollPosition();
        CClientDC dc(this);
        dc.SetViewportOrg(QPoint(-scroll.x, -scroll.y));
        DrawPicture(dc, shown);
    }
}

void CSmallMapView::OnDraw(CDC* pDC) { DrawPicture(*pDC, VisiblePicture()); }

CRect CSmallMapView::VisiblePicture() const
{
    const CPoint scroll = GetDeviceScrollPosition();
    const CRect client = GetClientRect();
    return {scroll.x, scroll.y, scroll.x + client.Width(), scroll.y + client.Height()};
}

void CSmallMapView::DrawPicture(CDC& dc, const CRect& requested)
{
    const CZellDoc* doc = GetDocument();
    if (!doc || !doc->Cells().IsComplete()) return;
    CRect area;
    if (!area.IntersectRect(requested, CRect(0, 0, m_nViewWidth, m_nViewHeight))) return;
    std::vector<std::uint32_t> pixels(std::size_t(area.Width()) * std::size_t(area.Height()));
    const MapPixels target{pixels.data(), area.Width(), area.Height(), area.Width(), area.left, area.top};
    if (!RenderReducedRegion(target, doc->Map())) return;
    if (doc->ShowAttrColours()) {
        // Each overview pixel is tinted for the cell under its first map pixel.
        std::vector<int> cols(std::size_t(area.Width()));
        std::vector<int> rows(std::size_t(area.Height()));
        for (int x = 0; x < area.Width(); ++x)
            cols[std::size_t(x)] =
                int(ReducedSourceSpan(area.left + x, m_nSrcWidth, m_nViewWidth).first / doc->TileWidth());
        for (int y = 0; y < area.Height(); ++y)
            rows[std::size_t(y)] =
                int(ReducedSourceSpan(area.top + y, m_nSrcHeight, m_nViewHeight).first / doc->TileHeight());
        TintAttrCells(target, cols.data(), rows.data(), doc->Cells(), doc->AttrValues());
    }
    dc.DrawScreenBits(area.left, area.top, pixels.data(), area.Width(), area.Height());
}
