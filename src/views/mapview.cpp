// The map pane's drawing: composing the visible cells from the document's
// map with the number overlay, what each change of the document redraws,
// and scrolling by whole cells.
#include "mapview.h"

#include <algorithm>

#include "fonts.h"
#include "maphint.h"
#include "maprender.h"
#include "overlaytext.h"
#include "zelldoc.h"

namespace {

enum class Overlay { None, TileAttr, TileNumber, MapAttr };

// The first display switch that is on decides what the cells show.
Overlay OverlayOf(const CZellDoc& doc)
{
    if (doc.m_bShowTileAttr) return Overlay::TileAttr;
    if (doc.m_bShowTileNumbers) return Overlay::TileNumber;
    if (doc.m_bShowMapAttr) return Overlay::MapAttr;
    return Overlay::None;
}

CRect Intersection(const CRect& a, const CRect& b)
{
    CRect result;
    result.IntersectRect(a, b);
    return result;
}

}  // namespace

CMapView::CMapView() : m_drag(*this) { setAccessibleName(QStringLiteral("맵")); }

CMapView::~CMapView() = default;

CZellDoc* CMapView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

int CMapView::TileWidth() const { return GetDocument() ? GetDocument()->TileWidth() : 0; }
int CMapView::TileHeight() const { return GetDocument() ? GetDocument()->TileHeight() : 0; }
bool CMapView::HasCells() const { return TileWidth() > 0 && TileHeight() > 0; }
bool CMapView::HasMap() const { return HasCells() && GetDocument()->Cells().IsComplete(); }

void CMapView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    const CZellDoc* doc = GetDocument();
    if (!doc) return;
    const int tw = TileWidth();
    const int th = TileHeight();
    m_nMapPixelWidth = doc->m_map.PixelWidth();
    m_nMapPixelHeight = doc->m_map.PixelHeight();
    SetScrollSizes(MM_TEXT, CSize(m_nMapPixelWidth, m_nMapPixelHeight), CSize(2 * tw, 2 * th), CSize(tw, th));
    m_ptLastPreview = {INT_MIN, INT_MIN};
    RefreshScreen();
}

void CMapView::OnUpdate(CScrollView*, LPARAM lHint, CObject* pHint)
{
    if (lHint & HINT_NEW_MAP) {
        OnInitialUpdate();
        return;
    }
    if (lHint & (HINT_OVERLAY | HINT_TEXT_COLOUR)) {
        Invalidate(TRUE);
        return;
    }
    // Tile numbers or pictures may have changed under any cell.
    if (lHint & kPaletteLayoutHints) {
        RefreshScreen();
        return;
    }
    if ((lHint & HINT_CELLS) && pHint && HasMap()) {
        // An edit always takes a preview off, even one that wrote nothing.
        EraseStalePreview();
        const CRect& cells = static_cast<const CMapHint*>(pHint)->m_rcCells;
        if (cells.IsRectEmpty()) return;
        const CPoint scroll = GetDeviceScrollPosition();
        const std::int64_t left = std::int64_t(cells.left) * TileWidth() - scroll.x;
        const std::int64_t top = std::int64_t(cells.top) * TileHeight() - scroll.y;
        const std::int64_t right = std::int64_t(cells.right) * TileWidth() - scroll.x;
        const std::int64_t bottom = std::int64_t(cells.bottom) * TileHeight() - scroll.y;
        // A changed cell's old number may have reached past the cell.
        const QRect reach = OverlayOf(*GetDocument()) == Overlay::None ? QRect() : OverlayText().Reach();
        const CRect client = GetClientRect();
        // Only what is on screen of the changed cells.
        const CRect changed(int(std::clamp<std::int64_t>(left + std::min(0, reach.left()), -1, client.right)),
                            int(std::clamp<std::int64_t>(top + std::min(0, reach.top()), -1, client.bottom)),
                            int(std::clamp<std::int64_t>(right + std::max(0, reach.right()), -1, client.right)),
                            int(std::clamp<std::int64_t>(bottom + std::max(0, reach.bottom()), -1, client.bottom)));
        ComposeArea(changed);
    }
}

void CMapView::OnDraw(CDC*) { RefreshScreen(); }

OverlayTextCache& CMapView::OverlayText()
{
    if (!m_pOverlayText) m_pOverlayText = std::make_unique<OverlayTextCache>(AfxContextFont());
    return *m_pOverlayText;
}

CRect CMapView::MapArea() const
{
    if (!HasMap()) return {};
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    // Only the part of the window that shows the map; the rest keeps the
    // window's background.
    const int w = std::min(client.Width(), m_nMapPixelWidth - scroll.x);
    const int h = std::min(client.Height(), m_nMapPixelHeight - scroll.y);
    if (w <= 0 || h <= 0 || scroll.x < 0 || scroll.y < 0) return {};
    return {0, 0, w, h};
}

void CMapView::RefreshScreen()
{
    m_rcPreview = {};
    ComposeArea(GetClientRect());
}

void CMapView::EraseStalePreview()
{
    if (m_rcPreview.IsRectEmpty()) return;
    const CRect preview = m_rcPreview;
    m_rcPreview = {};
    ComposeArea(preview);
}

void CMapView::ComposeArea(const CRect& requested)
{
    const CRect mapArea = MapArea();
    const CRect area = Intersection(requested, mapArea);
    if (area.IsRectEmpty()) return;
    // The frame of a drag stays on screen through any redraw: it is taken
    // off first and put back after, so that the release takes it off for good.
    const std::optional<CRect> frame = m_drag.Frame();
    if (frame) m_drag.Invert(*frame);
    ComposeCells(area, mapArea);
    if (frame) m_drag.Invert(*frame);
}

void CMapView::ComposeCells(const CRect& area, const CRect& mapArea)
{
    CClientDC dc(this);
    QImage& screen = *dc.Target();
    if (screen.width() < mapArea.right || screen.height() < mapArea.bottom) return;
    const CPoint scroll = GetDeviceScrollPosition();
    const MapPixels pixels{reinterpret_cast<std::uint32_t*>(screen.scanLine(area.top)) + area.left,
                           area.Width(),
                           area.Height(),
                           screen.bytesPerLine() / 4,
                           std::int64_t(area.left) + scroll.x,
                           std::int64_t(area.top) + scroll.y};
    RenderMapRegion(pixels, GetDocument()->m_map);
    DrawTextOverlay(screen, area, mapArea, scroll);
}

void CMapView::DrawTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, CPoint scroll)
{
    const CZellDoc& doc = *GetDocument();
    const Overlay overlay = OverlayOf(doc);
    if (overlay == Overlay::None) return;
    const int tw = TileWidth();
    const int th = TileHeight();

    // The labels of every cell shown in the map area, whose pixels may reach
    // into the area being drawn; only the area's pixels are touched.
    const QRect reach = OverlayText().Reach();
    const int firstCol = std::max((scroll.x + mapArea.left) / tw, (scroll.x + area.left - reach.right() - 1) / tw);
    const int firstRow = std::max((scroll.y + mapArea.top) / th, (scroll.y + area.top - reach.bottom() - 1) / th);
    const int endCol = std::min({doc.MapWidth(), (scroll.x + mapArea.right - 1) / tw + 1,
                                 (scroll.x + area.right - reach.left()) / tw + 1});
    const int endRow = std::min({doc.MapHeight(), (scroll.y + mapArea.bottom - 1) / th + 1,
                                 (scroll.y + area.bottom - reach.top()) / th + 1});

    const QRect clip(area.left, area.top, area.Width(), area.Height());
    const COLORREF colour = doc.TextColor();
    const CCellLayers& cells = doc.Cells();
    for (int row = std::max(0, firstRow); row < endRow; ++row) {
        const short* tiles = cells.Row(CellLayer::Tiles, row);
        const short* attrs = cells.Row(CellLayer::Attributes, row);
        if (!tiles || !attrs) continue;
        for (int col = std::max(0, firstCol); col < endCol; ++col) {
            CellLabel label;
            switch (overlay) {
            case Overlay::TileAttr:
                if (doc.m_map.TileForCell(tiles[col]))
                    label = CellLabel::Number(doc.Tiles().AttributeAt(tiles[col]));
                else
                    label = CellLabel::Cross();
                break;
            case Overlay::TileNumber:
                label = tiles[col] == kEmptyTileCell ? CellLabel::Cross() : CellLabel::Number(tiles[col]);
                break;
            case Overlay::MapAttr:
                label = attrs[col] == kNoAttrCell ? CellLabel::Cross() : CellLabel::Number(attrs[col]);
                break;
            case Overlay::None: break;
            }
            OverlayText().Draw(screen, clip, col * tw - scroll.x, row * th - scroll.y, label, colour);
        }
    }
}

void CMapView::OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (nSBCode == SB_THUMBTRACK && HasCells()) nPos -= nPos % UINT(TileHeight());
    // Takes a preview off the window before its contents move.
    RefreshScreen();
    CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CMapView::OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (nSBCode == SB_THUMBTRACK && HasCells()) nPos -= nPos % UINT(TileWidth());
    RefreshScreen();
    CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
}
