#include "smallmapview.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include <QPainter>

#include "maphint.h"
#include "attrtint.h"
#include "maprender.h"
#include "zelldoc.h"
#include "translation.h"

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

CSmallMapView::CSmallMapView() { setAccessibleName(Pellin::tr("전체 맵")); }

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
    LayOut();
}

void CSmallMapView::LayOut()
{
    if (!m_bFit) {
        SetScrollSizes(MM_TEXT, CSize(m_nViewWidth, m_nViewHeight));
        return;
    }
    // The room without scroll bars: a fitted picture never needs them.
    const QSize room = maximumViewportSize();
    m_fitted = FitPicture({m_nSrcWidth, m_nSrcHeight}, {room.width(), room.height()}).value_or(PictureSize{});
    SetScrollSizes(MM_TEXT, CSize(int(m_fitted.width), int(m_fitted.height)));
}

void CSmallMapView::SetFitToPane(bool fit)
{
    if (fit == m_bFit) return;
    m_bFit = fit;
    // A fitted picture never scrolls: bars left showing would take room
    // from it and keep themselves there.
    if (fit) {
        m_barPolicies = {horizontalScrollBarPolicy(), verticalScrollBarPolicy()};
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setHorizontalScrollBarPolicy(m_barPolicies.first);
        setVerticalScrollBarPolicy(m_barPolicies.second);
    }
    LayOut();
    Invalidate(TRUE);
}

PictureSize CSmallMapView::Picture() const { return m_bFit ? m_fitted : PictureSize{m_nViewWidth, m_nViewHeight}; }

void CSmallMapView::resizeEvent(QResizeEvent* event)
{
    CScrollView::resizeEvent(event);
    if (!m_bFit) return;
    const PictureSize before = m_fitted;
    LayOut();
    if (before.width != m_fitted.width || before.height != m_fitted.height) Invalidate(TRUE);
}

void CSmallMapView::OnUpdate(CScrollView*, LPARAM lHint, CObject* pHint)
{
    if (lHint & HINT_NEW_MAP) {
        OnInitialUpdate();
    } else if ((lHint & (HINT_TILE_IMAGES | HINT_OVERLAY)) ||
               ((lHint & HINT_ATTR_VALUES) && GetDocument()->ShowAttrColours())) {
        // Cells may name other pictures now, or show other colours.
        Invalidate(TRUE);
    } else if ((lHint & HINT_CELLS) && pHint && m_nSrcWidth > 0 && m_nSrcHeight > 0 && Picture().width > 0) {
        const CZellDoc* doc = GetDocument();
        const CRect& cells = static_cast<const CMapHint*>(pHint)->m_rcCells;
        if (cells.IsRectEmpty()) return;
        const auto xs = ReducedRange(std::int64_t(cells.left) * doc->TileWidth(),
                                     std::int64_t(cells.right) * doc->TileWidth(), m_nSrcWidth, Picture().width);
        const auto ys = ReducedRange(std::int64_t(cells.top) * doc->TileHeight(),
                                     std::int64_t(cells.bottom) * doc->TileHeight(), m_nSrcHeight, Picture().height);
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
    const PictureSize picture = Picture();
    CRect area;
    if (!area.IntersectRect(requested, CRect(0, 0, int(picture.width), int(picture.height)))) return;
    std::vector<std::uint32_t> pixels(std::size_t(area.Width()) * std::size_t(area.Height()));
    const MapPixels target{pixels.data(), area.Width(), area.Height(), area.Width(), area.left, area.top};
    if (m_bFit ? !RenderSampledRegion(target, doc->Map(), picture) : !RenderReducedRegion(target, doc->Map())) return;
    if (doc->ShowAttrColours()) {
        // Each overview pixel is tinted for the cell under its first map pixel.
        std::vector<int> cols(std::size_t(area.Width()));
        std::vector<int> rows(std::size_t(area.Height()));
        // Fitted, the pixel's own sample.
        const auto sourceOf = [&](std::int64_t d, int source, std::int64_t reduced) {
            return m_bFit ? SourcePixelOf(d, source, reduced) : ReducedSourceSpan(d, source, reduced).first;
        };
        for (int x = 0; x < area.Width(); ++x)
            cols[std::size_t(x)] = int(sourceOf(area.left + x, m_nSrcWidth, picture.width) / doc->TileWidth());
        for (int y = 0; y < area.Height(); ++y)
            rows[std::size_t(y)] = int(sourceOf(area.top + y, m_nSrcHeight, picture.height) / doc->TileHeight());
        TintAttrCells(target, cols.data(), rows.data(), doc->Cells(), doc->AttrValues());
    }
    dc.DrawScreenBits(area.left, area.top, pixels.data(), area.Width(), area.Height());
}

std::optional<CPoint> CSmallMapView::MapPointAt(CPoint client) const
{
    const PictureSize picture = Picture();
    if (m_nSrcWidth <= 0 || m_nSrcHeight <= 0 || picture.width <= 0 || picture.height <= 0) return std::nullopt;
    const CPoint scroll = GetDeviceScrollPosition();
    return CPoint(int(SourcePixelOf(std::int64_t(client.x) + scroll.x, m_nSrcWidth, picture.width)),
                  int(SourcePixelOf(std::int64_t(client.y) + scroll.y, m_nSrcHeight, picture.height)));
}

std::optional<CRect> CSmallMapView::FrameRect() const
{
    const PictureSize picture = Picture();
    if (!FrameShown() || !m_shownArea || m_nSrcWidth <= 0 || m_nSrcHeight <= 0 || picture.width <= 0)
        return std::nullopt;
    const CRect shown = m_shownArea();
    if (shown.IsRectEmpty()) return std::nullopt;
    const CPoint scroll = GetDeviceScrollPosition();
    // The picture pixels that show any of the map pane's pixels.
    const auto x0 = PicturePixelOf(shown.left, m_nSrcWidth, picture.width);
    const auto y0 = PicturePixelOf(shown.top, m_nSrcHeight, picture.height);
    const auto x1 = PicturePixelOf(shown.right - 1, m_nSrcWidth, picture.width) + 1;
    const auto y1 = PicturePixelOf(shown.bottom - 1, m_nSrcHeight, picture.height) + 1;
    return CRect(int(x0) - scroll.x, int(y0) - scroll.y, int(x1) - scroll.x, int(y1) - scroll.y);
}

void CSmallMapView::Navigate(CPoint client)
{
    if (const std::optional<CPoint> point = MapPointAt(client)) emit NavigateTo(*point);
    viewport()->update();
}

void CSmallMapView::OnLButtonDown(UINT, CPoint point)
{
    m_bDragging = true;
    SetCapture();
    Navigate(point);
}

void CSmallMapView::OnMouseMove(UINT, CPoint point)
{
    if (m_bDragging) Navigate(point);
}

void CSmallMapView::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDragging) return;
    Navigate(point);
    m_bDragging = false;
    ReleaseCapture();
    viewport()->update();
}

void CSmallMapView::enterEvent(QEnterEvent* event)
{
    CScrollView::enterEvent(event);
    m_bPointerOver = true;
    viewport()->update();
}

void CSmallMapView::leaveEvent(QEvent* event)
{
    CScrollView::leaveEvent(event);
    m_bPointerOver = false;
    viewport()->update();
}

void CSmallMapView::paintEvent(QPaintEvent* event)
{
    CScrollView::paintEvent(event);
    const std::optional<CRect> frame = FrameRect();
    if (!frame) return;
    // Over the picture, never into it: a black line with a white one inside
    // shows on any map, and the picture under it stays as it was.
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    const QRect outer(frame->left, frame->top, std::max(1, frame->Width()), std::max(1, frame->Height()));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::white, 1));
    if (outer.width() > 2 && outer.height() > 2) painter.drawRect(outer.adjusted(1, 1, -2, -2));
}
