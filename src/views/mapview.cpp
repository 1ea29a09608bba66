// The map pane's drawing: cell layers, the map image, the composed refresh
// with the number overlay, and scrolling by whole cells.
#include "mapview.h"

#include <algorithm>
#include <cstring>

#include "app/mainfrm.h"
#include "celllayers.h"
#include "document/zelldoc.h"
#include "maprender.h"
#include "overlaytext.h"
#include "smallmapview.h"

namespace {

int ClampToInt(std::int64_t value) { return int(std::clamp<std::int64_t>(value, 0, INT_MAX)); }

enum class Overlay { None, TileAttr, TileNumber, MapAttr };

// The first display switch that is on decides what the cells show.
Overlay OverlayOf(const CZellDoc& doc)
{
    if (doc.m_bShowTileAttr) return Overlay::TileAttr;
    if (doc.m_bShowTileNumbers) return Overlay::TileNumber;
    if (doc.m_bShowMapAttr) return Overlay::MapAttr;
    return Overlay::None;
}

}  // namespace

CMapView::CMapView() { setAccessibleName(QStringLiteral("맵")); }

CMapView::~CMapView()
{
    ReleaseLayers(m_pTileLayer, m_pAttrLayer);
    DeleteMapImage();
    m_dcMap.DeleteDC();
}

CZellDoc* CMapView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

CMainFrame* CMapView::MainFrame() { return qobject_cast<CMainFrame*>(AfxGetMainWnd()); }

int CMapView::TileWidth() const { return GetDocument() ? GetDocument()->m_nTileWidth : 0; }
int CMapView::TileHeight() const { return GetDocument() ? GetDocument()->m_nTileHeight : 0; }
int CMapView::MapWidth() const { return GetDocument() ? GetDocument()->m_nMapWidth : 0; }
int CMapView::MapHeight() const { return GetDocument() ? GetDocument()->m_nMapHeight : 0; }
bool CMapView::HasCells() const { return TileWidth() > 0 && TileHeight() > 0; }

int CMapView::OnCreate()
{
    if (CScrollView::OnCreate() == -1) return -1;
    m_dcMap.CreateCompatibleDC(nullptr);
    // A fresh memory context holds a one-pixel picture of its own. While the
    // map image is selected, m_pOldBitmap keeps that picture, so it also
    // tells whether a map image exists.
    m_bmpDefault.CreateCompatibleBitmap(&m_dcMap, 1, 1);
    m_dcMap.SelectObject(&m_bmpDefault);
    return 0;
}

void CMapView::DeleteMapImage()
{
    if (!m_pOldBitmap) return;
    m_dcMap.SelectObject(m_pOldBitmap);
    m_bmpMap.DeleteObject();
    m_pOldBitmap = nullptr;
}

void CMapView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    if (!GetDocument()) return;
    const int tw = TileWidth();
    const int th = TileHeight();
    const int mw = MapWidth();
    const int mh = MapHeight();

    m_nMapPixelWidth = ClampToInt(std::int64_t(tw) * mw);
    m_nMapPixelHeight = ClampToInt(std::int64_t(th) * mh);
    SetScrollSizes(MM_TEXT, CSize(m_nMapPixelWidth, m_nMapPixelHeight), CSize(2 * tw, 2 * th), CSize(tw, th));

    // An image of the map as it was must not outlive a failure below.
    DeleteMapImage();
    if (const char* message = LayerAllocMessage(AllocateMissingLayers(m_pTileLayer, m_pAttrLayer, mw, mh))) {
        MessageBox(message);
        return;
    }

    // A map of no cells is a valid empty map: there is nothing to draw.
    const bool emptyMap = HasCells() && (m_nMapPixelWidth == 0 || m_nMapPixelHeight == 0);
    if (!emptyMap) {
        if (!HasCells() || !m_bmpMap.CreateCompatibleBitmap(&m_dcMap, m_nMapPixelWidth, m_nMapPixelHeight)) {
            MessageBox(kMsgCannotMakeScreen);
            return;
        }
        m_pOldBitmap = m_dcMap.SelectObject(&m_bmpMap);
        DrawWholeMapImage();
        RefreshScreen();
    }

    if (CMainFrame* frame = MainFrame(); frame && frame->m_pSmallMapView) frame->m_pSmallMapView->OnInitialUpdate();
}

namespace {
MapPixels PixelsOf(QImage& image)
{
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(), image.bytesPerLine() / 4, 0,
            0};
}
}  // namespace

void CMapView::DrawWholeMapImage()
{
    const MapRenderSource source{m_pTileLayer, MapWidth(), MapHeight(), TileWidth(), TileHeight(),
                                 &GetDocument()->m_tileList};
    RenderMapCells(PixelsOf(m_bmpMap.Image()), source, CRect(0, 0, MapWidth(), MapHeight()));
}

void CMapView::DrawCellIntoImage(int col, int row)
{
    if (!HasMapImage() || !m_pTileLayer || !HasCells()) return;
    const MapPixels pixels = PixelsOf(m_bmpMap.Image());
    const int tw = TileWidth();
    const int th = TileHeight();
    const CSprite* tile = TileForCell(&GetDocument()->m_tileList, m_pTileLayer[CellIndex(col, row, MapWidth())]);
    // The usual case, a tile exactly the cell's size, is a plain copy.
    if (tile && tile->GetWidth() == tw && tile->GetHeight() == th) {
        DrawTile(pixels, *tile, std::int64_t(col) * tw, std::int64_t(row) * th);
        return;
    }
    const MapRenderSource source{m_pTileLayer, MapWidth(), MapHeight(), tw, th, &GetDocument()->m_tileList};
    DrawMapCell(pixels, source, col, row);
}

void CMapView::OnDraw(CDC*) { RefreshScreen(); }

void CMapView::RefreshScreen()
{
    if (!m_pTileLayer || !m_pAttrLayer || !HasMapImage() || !GetDocument()) return;
    CClientDC dc(this);
    QImage& screen = *dc.Target();
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    const QImage& map = m_bmpMap.Image();
    // Only the part of the window that shows the map; the rest keeps the
    // window's background.
    const int w = std::min({client.Width(), m_nMapPixelWidth, map.width() - scroll.x, screen.width()});
    const int h = std::min({client.Height(), m_nMapPixelHeight, map.height() - scroll.y, screen.height()});
    if (w <= 0 || h <= 0 || scroll.x < 0 || scroll.y < 0) return;

    const std::size_t rowBytes = std::size_t(w) * sizeof(std::uint32_t);
    for (int y = 0; y < h; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(map.constScanLine(scroll.y + y)) + scroll.x;
        std::memcpy(screen.scanLine(y), from, rowBytes);
    }
    DrawTextOverlay(screen, w, h, scroll);
}

void CMapView::DrawTextOverlay(QImage& screen, int width, int height, CPoint scroll)
{
    const CZellDoc& doc = *GetDocument();
    const Overlay overlay = OverlayOf(doc);
    if (overlay == Overlay::None || !HasCells()) return;
    const int tw = TileWidth();
    const int th = TileHeight();
    const int mw = MapWidth();

    // Every cell with a pixel in the composed area, and none outside the map.
    const int firstCol = scroll.x / tw;
    const int firstRow = scroll.y / th;
    const int endCol = std::min(MapWidth(), (scroll.x + width - 1) / tw + 1);
    const int endRow = std::min(MapHeight(), (scroll.y + height - 1) / th + 1);

    if (!m_pOverlayText) m_pOverlayText = std::make_unique<OverlayTextCache>(m_dcMap.Font());
    const QRect clip(0, 0, width, height);
    const COLORREF colour = doc.TextColor();
    for (int row = firstRow; row < endRow; ++row) {
        for (int col = firstCol; col < endCol; ++col) {
            const std::size_t index = CellIndex(col, row, mw);
            const short tile = m_pTileLayer[index];
            CellLabel label;
            switch (overlay) {
            case Overlay::TileAttr:
                if (const CSprite* sprite = TileForCell(&doc.m_tileList, tile))
                    label = CellLabel::Number(sprite->m_byAttr);
                else
                    label = CellLabel::Cross();
                break;
            case Overlay::TileNumber:
                label = tile == kEmptyTileCell ? CellLabel::Cross() : CellLabel::Number(tile);
                break;
            case Overlay::MapAttr: {
                const short attr = m_pAttrLayer[index];
                label = attr == kNoAttrCell ? CellLabel::Cross() : CellLabel::Number(attr);
                break;
            }
            case Overlay::None: break;
            }
            m_pOverlayText->Draw(screen, clip, col * tw - scroll.x, row * th - scroll.y, label, colour);
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
