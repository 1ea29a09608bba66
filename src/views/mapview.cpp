// The map pane's drawing: composing the visible cells from the document's
// map with the number overlay, what each change of the document redraws,
// and scrolling by whole cells.
#include "mapview.h"

#include "cellline.h"

#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "attrtint.h"
#include "fonts.h"
#include "maphint.h"
#include "maprender.h"
#include "overlaytext.h"
#include "zelldoc.h"
#include "translation.h"

namespace {

enum class Overlay { None, TileAttr, TileNumber, MapAttr };

// The first display switch that is on decides what the cells show.
Overlay OverlayOf(const CZellDoc& doc)
{
    if (doc.ShowTileAttr()) return Overlay::TileAttr;
    if (doc.ShowTileNumbers()) return Overlay::TileNumber;
    if (doc.ShowMapAttr()) return Overlay::MapAttr;
    return Overlay::None;
}

CRect Intersection(const CRect& a, const CRect& b)
{
    CRect result;
    result.IntersectRect(a, b);
    return result;
}

// What a cell shows under the overlay in force.
CellLabel LabelOf(const CZellDoc& doc, Overlay overlay, short tile, short attr)
{
    switch (overlay) {
    case Overlay::TileAttr:
        if (doc.Map().TileForCell(tile)) return CellLabel::Number(doc.Tiles().AttributeAt(tile));
        return CellLabel::Cross();
    case Overlay::TileNumber: return tile == kEmptyTileCell ? CellLabel::Cross() : CellLabel::Number(tile);
    case Overlay::MapAttr: return attr == kNoAttrCell ? CellLabel::Cross() : CellLabel::Number(attr);
    case Overlay::None: break;
    }
    return {};
}

// A dashed line of one pixel just inside the cells' edge: the cells stay
// in sight under it.
void DrawCellsOutline(QPainter& painter, const MapViewport& viewport, const CRect& cells)
{
    const CRect rc = viewport.ClientRectOfCells(cells);
    const QRect r(rc.left, rc.top, std::max(1, rc.Width()) - 1, std::max(1, rc.Height()) - 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r);
    QPen dashes(Qt::black, 1);
    dashes.setDashPattern({4, 4});
    painter.setPen(dashes);
    painter.drawRect(r);
}

// Numbers are printed over cells at least this wide on screen.
constexpr double kMinCellWidthForNumbers = 16;

}  // namespace

CMapView::CMapView()
{
    setAccessibleName(Pellin::tr("맵"));
    // The switch waits for the event loop: the tool asking for it is still running.
    m_tools.SetSwitchLater([view = this](MapTool next) { view->SetToolLater(next); });
    m_tools.SetOnSwitched([view = this] { view->AfterToolEvent(); });
    m_tools.SetMarksChanged([view = this] { view->AfterToolEvent(); });
    m_zoomPoll.setInterval(8);
    connect(&m_zoomPoll, &QTimer::timeout, this, [this] { OnZoomPrepared(); });
}

CMapView::~CMapView() { StopZoomPreparation(); }

CZellDoc* CMapView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

int CMapView::TileWidth() const { return GetDocument() ? GetDocument()->TileWidth() : 0; }
int CMapView::TileHeight() const { return GetDocument() ? GetDocument()->TileHeight() : 0; }
bool CMapView::HasCells() const { return TileWidth() > 0 && TileHeight() > 0; }
bool CMapView::HasMap() const { return HasCells() && GetDocument()->Cells().IsComplete(); }

MapViewport CMapView::Viewport() const
{
    MapViewport viewport;
    if (const CZellDoc* doc = GetDocument()) {
        viewport.tileWidth = doc->TileWidth();
        viewport.tileHeight = doc->TileHeight();
        viewport.columns = doc->MapWidth();
        viewport.rows = doc->MapHeight();
    }
    viewport.zoom = m_zoom;
    viewport.scroll = GetDeviceScrollPosition();
    viewport.pixelRatio = SurfaceRatio();
    return viewport;
}

void CMapView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    // The tools edit this document and hear of its new brushes.
    Tools();
    const CZellDoc* doc = GetDocument();
    if (!doc) return;
    m_nMapPixelWidth = doc->Map().PixelWidth();
    m_nMapPixelHeight = doc->Map().PixelHeight();
    UpdateScrollSizes();
    HidePreview(true);
    RefreshScreen();
    emit StatusChanged();
}

void CMapView::UpdateScrollSizes()
{
    const int tw = TileWidth();
    const int th = TileHeight();
    if (IsOneToOne(m_zoom)) {
        SetScrollSizes(MM_TEXT, CSize(m_nMapPixelWidth, m_nMapPixelHeight), CSize(2 * tw, 2 * th), CSize(tw, th));
        return;
    }
    const MapViewport viewport = Viewport();
    const auto clampInt = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, 0, INT_MAX / 2)); };
    const int cellW = std::max(1, clampInt(viewport.Zoomed(tw)));
    const int cellH = std::max(1, clampInt(viewport.Zoomed(th)));
    SetScrollSizes(MM_TEXT, CSize(clampInt(viewport.ZoomedWidth()), clampInt(viewport.ZoomedHeight())),
                   CSize(2 * cellW, 2 * cellH), CSize(cellW, cellH));
}

void CMapView::SetZoom(MapZoom zoom, std::optional<CPoint> anchor)
{
    if (zoom == m_zoom) return;
    const CRect client = GetClientRect();
    const CPoint at = anchor.value_or(CPoint(client.Width() / 2, client.Height() / 2));
    const CPoint scroll = GetDeviceScrollPosition();
    // The map point under the anchor, in map pixels.
    const double from = m_zoom.Percent() / 100;
    const double to = zoom.Percent() / 100;
    const double mapX = (double(at.x) + scroll.x) / from;
    const double mapY = (double(at.y) + scroll.y) / from;
    m_zoom = zoom;
    UpdateScrollSizes();
    CPoint next(int(std::lround(mapX * to - at.x)), int(std::lround(mapY * to - at.y)));
    if (!anchor) {
        const MapViewport viewport = Viewport();
        next = {viewport.SnapToCell(next.x, true), viewport.SnapToCell(next.y, false)};
    }
    ScrollToDevicePosition(next);
    HidePreview(true);
    // Drawn once, when the pane paints; a smaller picture than before
    // leaves the rest of the pane to the window's background.
    Invalidate(TRUE);
    emit StatusChanged();
}

void CMapView::ZoomToFit()
{
    MapViewport viewport = Viewport();
    if (!viewport.HasCells()) return;
    const QSize room = maximumViewportSize();
    MapZoom best = ZoomSteps().front();
    for (const MapZoom& step : ZoomSteps()) {
        viewport.zoom = step;
        if (viewport.ZoomedWidth() <= room.width() && viewport.ZoomedHeight() <= room.height()) best = step;
    }
    SetZoom(best, CPoint(0, 0));
    ScrollToDevicePosition(CPoint(0, 0));
}

void CMapView::CentreOnMapPoint(CPoint mapPoint)
{
    const MapViewport viewport = Viewport();
    if (!viewport.HasCells()) return;
    const CRect client = GetClientRect();
    // The middle of the point's zoomed pixels, kept inside its cell's zoomed
    // span (zoomed out, one screen pixel may round into the next cell).
    const auto middle = [&](std::int64_t point, int tile) {
        const std::int64_t z = (viewport.Zoomed(point) + viewport.Zoomed(point + 1)) / 2;
        const std::int64_t cellFirst = viewport.Zoomed(point / tile * tile);
        const std::int64_t cellEnd = viewport.Zoomed((point / tile + 1) * tile);
        return cellEnd > cellFirst ? std::clamp(z, cellFirst, cellEnd - 1) : z;
    };
    const std::int64_t x = middle(mapPoint.x, viewport.tileWidth) - client.Width() / 2;
    const std::int64_t y = middle(mapPoint.y, viewport.tileHeight) - client.Height() / 2;
    HidePreview(true);
    ScrollToDevicePosition(
        CPoint(int(std::clamp<std::int64_t>(x, 0, INT_MAX)), int(std::clamp<std::int64_t>(y, 0, INT_MAX))));
}

void CMapView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        CScrollView::wheelEvent(event);
        return;
    }
    event->accept();
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    const QPoint at = viewport()->mapFrom(this, event->position().toPoint());
    SetZoom(NextZoomStep(m_zoom, steps > 0), CPoint(at.x(), at.y()));
}

void CMapView::PrepareZoomSoon()
{
    if (m_bZoomPreparePending) return;
    m_bZoomPreparePending = true;
    // After the panes' first paint of the new map, which is posted before.
    QTimer::singleShot(0, this, [this] {
        m_bZoomPreparePending = false;
        StopZoomPreparation();
        std::shared_ptr<ZoomPreparation> preparation;
        if (HasMap()) preparation = m_zoomCache.StartPreparing(GetDocument()->Map());
        if (!preparation) {
            m_zoomCache.TilesChanged();
            return;
        }
        m_zoomPreparation = preparation;
        m_zoomWorker = std::thread([preparation] { preparation->Run(); });
        m_zoomPoll.start();
    });
}

void CMapView::StopZoomPreparation()
{
    m_zoomPoll.stop();
    if (m_zoomPreparation) m_zoomPreparation->Stop();
    m_zoomPreparation.reset();
    if (m_zoomWorker.joinable()) m_zoomWorker.join();
}

void CMapView::OnZoomPrepared()
{
    if (!m_zoomPreparation || !m_zoomPreparation->Done()) return;
    const std::shared_ptr<ZoomPreparation> preparation = std::move(m_zoomPreparation);
    m_zoomPoll.stop();
    if (m_zoomWorker.joinable()) m_zoomWorker.join();
    // The far zooms drew a cell a pixel meanwhile.
    if (m_zoomCache.Adopt(*preparation) && m_zoom.log2 < 0) Invalidate(TRUE);
}

void CMapView::OnUpdate(CScrollView*, LPARAM lHint, CObject* pHint)
{
    emit DocumentUpdated(lHint);
    FollowRulesCheck(lHint, pHint);
    // The zoomed-out forms of tiles and cells follow every change.
    if (lHint & (HINT_NEW_MAP | HINT_TILE_IMAGES)) {
        m_zoomCache.TilesChanged(true);
        PrepareZoomSoon();
    } else if ((lHint & HINT_CELLS) && pHint && static_cast<const CMapHint*>(pHint)->m_bTiles) {
        // The kept forms are of the tile layer: attributes alone leave them.
        m_zoomCache.CellsChanged(static_cast<const CMapHint*>(pHint)->m_rcCells);
    }
    if (lHint & HINT_NEW_MAP) {
        OnInitialUpdate();
        return;
    }
    // The stamp is a tool of its own on the attribute layer.
    if (lHint & HINT_LAYER) Tools().LayerChanged();
    // The cell under the pointer may hold another value, or its value another name.
    if (lHint & (HINT_CELLS | HINT_LAYER | HINT_ATTR_VALUES)) emit StatusChanged();
    if ((lHint & HINT_ATTR_VALUES) && GetDocument()->ShowAttrColours()) {
        Invalidate(TRUE);
        return;
    }
    if (lHint & HINT_MAP_SELECTION) {
        RefreshScreen();
        emit StatusChanged();
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
    // The block previewed may have changed.
    MarksChanged(true);
    if ((lHint & HINT_CELLS) && pHint && HasMap()) {
        // An edit always takes a preview off, even one that wrote nothing.
        HidePreview();
        const CRect& cells = static_cast<const CMapHint*>(pHint)->m_rcCells;
        if (cells.IsRectEmpty()) return;
        const CRect shown = Viewport().ClientRectOfCells(cells);
        // A changed cell's old number may have reached past the cell.
        const QRect reach = NumbersShown() ? LabelReach() : QRect();
        const CRect client = GetClientRect();
        // Only what is on screen of the changed cells.
        const CRect changed(std::clamp(shown.left + std::min(0, reach.left()), -1, client.right),
                            std::clamp(shown.top + std::min(0, reach.top()), -1, client.bottom),
                            std::clamp(shown.right + std::max(0, reach.right()), -1, client.right),
                            std::clamp(shown.bottom + std::max(0, reach.bottom()), -1, client.bottom));
        ComposeArea(changed);
    }
}

void CMapView::OnDraw(CDC*) { RefreshScreen(); }

OverlayTextCache& CMapView::OverlayText()
{
    const int ratio = SurfaceRatio();
    if (!m_pOverlayText || m_nOverlayTextRatio != ratio) {
        // Labels as large on screen as at one device pixel to a logical one.
        QFont font = AfxContextFont();
        if (ratio > 1) {
            if (font.pixelSize() > 0)
                font.setPixelSize(font.pixelSize() * ratio);
            else
                font.setPointSizeF(font.pointSizeF() * ratio);
        }
        m_pOverlayText = std::make_unique<OverlayTextCache>(font);
        m_nOverlayTextRatio = ratio;
    }
    return *m_pOverlayText;
}

QRect CMapView::LabelReach()
{
    const QRect reach = OverlayText().Reach();
    const int ratio = m_nOverlayTextRatio;
    const auto down = [ratio](int v) { return int(std::floor(double(v) / ratio)); };
    const auto up = [ratio](int v) { return int(std::ceil(double(v) / ratio)); };
    return QRect(QPoint(down(reach.left()), down(reach.top())), QPoint(up(reach.right()), up(reach.bottom())));
}

CRect CMapView::MapArea() const
{
    if (!HasMap()) return {};
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    // Only the part of the window that shows the map; the rest keeps the
    // window's background.
    const MapViewport viewport = Viewport();
    const int w = int(std::min<std::int64_t>(client.Width(), viewport.ZoomedWidth() - scroll.x));
    const int h = int(std::min<std::int64_t>(client.Height(), viewport.ZoomedHeight() - scroll.y));
    if (w <= 0 || h <= 0 || scroll.x < 0 || scroll.y < 0) return {};
    return {0, 0, w, h};
}

QRegion CMapView::MarkedArea() const
{
    QRegion area;
    for (const QRect& rect : MarkRects()) area += rect;
    return area;
}

void CMapView::RefreshScreen()
{
    QImage& screen = Screen();
    if (screen.isNull()) return;  // a pane folded away to nothing
    const CRect client = GetClientRect();
    const CRect mapArea = MapArea();
    // The part of the window off the map keeps the window's background.
    QPainter painter(&screen);
    painter.fillRect(QRect(mapArea.right, 0, client.right - mapArea.right, client.bottom), Qt::white);
    painter.fillRect(QRect(0, mapArea.bottom, mapArea.right, client.bottom - mapArea.bottom), Qt::white);
    painter.end();
    ComposePicture(client);
    ShowComposed(QRect(client.left, client.top, client.Width(), client.Height()));
}

int CMapView::SurfaceRatio() const { return PixelRatioStep(devicePixelRatioF()); }

QImage& CMapView::Screen()
{
    if (!SurfaceFits()) UpdateWindow();
    const QImage& surface = Surface();
    if (m_picture.size() != surface.size() || m_picture.devicePixelRatio() != surface.devicePixelRatio()) {
        m_picture = QImage(surface.size(), QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(surface.devicePixelRatio());
        m_picture.fill(Qt::white);
    }
    return m_picture;
}

void CMapView::ComposeArea(const CRect& requested)
{
    const CRect area = ComposePicture(requested);
    if (!area.IsRectEmpty()) ShowComposed(QRect(area.left, area.top, area.Width(), area.Height()));
}

CRect CMapView::ComposePicture(const CRect& requested)
{
    const CRect mapArea = MapArea();
    const CRect area = Intersection(requested, mapArea);
    if (area.IsRectEmpty() || Screen().isNull()) return {};
    ComposeCells(area, mapArea, Viewport().Device());
    DrawSelectionMarks(area);
    return area;
}

void CMapView::ComposeCells(const CRect& logicalArea, const CRect& logicalMapArea, const MapViewport& device)
{
    QImage& screen = Screen();
    const int ratio = SurfaceRatio();
    const auto toDevice = [ratio](const CRect& rc) {
        return CRect(rc.left * ratio, rc.top * ratio, rc.right * ratio, rc.bottom * ratio);
    };
    const CRect area = toDevice(logicalArea);
    const CRect mapArea = toDevice(logicalMapArea);
    if (screen.width() < mapArea.right || screen.height() < mapArea.bottom) return;
    const CPoint scroll = device.scroll;
    const MapPixels pixels{reinterpret_cast<std::uint32_t*>(screen.scanLine(area.top)) + area.left,
                           area.Width(),
                           area.Height(),
                           screen.bytesPerLine() / 4,
                           std::int64_t(area.left) + scroll.x,
                           std::int64_t(area.top) + scroll.y};
    if (IsOneToOne(device.zoom)) {
        RenderMapRegion(pixels, GetDocument()->Map());
        TintAttrColours(pixels, area, device);
        DrawTextOverlay(screen, area, mapArea, scroll);
        return;
    }
    RenderZoomedRegion(pixels, GetDocument()->Map(), m_zoomCache, device.zoom);
    TintAttrColours(pixels, area, device);
    DrawZoomedTextOverlay(screen, area, mapArea, device);
}

std::vector<QRect> CMapView::MarkRects() const
{
    std::vector<QRect> rects;
    const auto add = [&rects](int l, int t, int r, int b) {
        if (r > l && b > t) rects.emplace_back(QPoint(l, t), QPoint(r - 1, b - 1));
    };
    // Only the strips an outline covers: a band over a large pane repaints
    // its edges, not what it encloses.
    const auto outline = [&add](const CRect& rc, int in, int out) {
        add(rc.left - out, rc.top - out, rc.right + out, rc.top + in);
        add(rc.left - out, rc.bottom - in, rc.right + out, rc.bottom + out);
        add(rc.left - out, rc.top - out, rc.left + in, rc.bottom + out);
        add(rc.right - in, rc.top - out, rc.right + out, rc.bottom + out);
    };
    if (const std::optional<CPoint> preview = PreviewCell(); preview && HasMap()) {
        const CCellBlock& block = GetDocument()->Brush();
        const CRect shown = Viewport().ClientRectOfCells(
            CRect(preview->x, preview->y, preview->x + block.m_nCols, preview->y + block.m_nRows));
        add(shown.left, shown.top, shown.right, shown.bottom);
    }
    if (const std::optional<CRect> moved = MovedOutline()) outline(Viewport().ClientRectOfCells(*moved), 2, 0);
    for (const CRect& cell : LineMarkCells()) add(cell.left, cell.top, cell.right, cell.bottom);
    // The highlighted cells' bounds, kept to the window.
    if (const auto cells = CellsToPaint(); cells && !cells->empty()) {
        CRect bounds(cells->front().left, cells->front().row, cells->front().right, cells->back().row + 1);
        for (const CellSpan& span : *cells) {
            bounds.left = std::min(bounds.left, span.left);
            bounds.right = std::max(bounds.right, span.right);
        }
        const CRect shown = Intersection(Viewport().ClientRectOfCells(bounds), GetClientRect());
        add(shown.left, shown.top, shown.right, shown.bottom);
    }
    // The 4-pixel pen reaches 2 pixels out of the frame's outline and 2 in.
    if (std::optional<CRect> frame = DragFrame()) {
        frame->NormalizeRect();
        outline(*frame, 4, 3);
    }
    AddRulesCheckRects(rects);
    return rects;
}

void CMapView::MarksChanged(bool contentChanged)
{
    const std::vector<QRect> rects = MarkRects();
    if (rects == m_markRects && !contentChanged && !m_bMarksStale && CellsToPaint() == m_shownCells) return;
    m_bMarksStale = true;
    QRegion changed;
    for (const QRect& rect : m_markRects) changed += rect;
    for (const QRect& rect : rects) changed += rect;
    viewport()->update(changed);
}

namespace {
// Copies the device pixels of a logical rectangle from one picture to another of the same ratio.
void CopyPixels(const QImage& from, QImage& to, const QRect& rect, int ratio)
{
    const QRect device = QRect(rect.topLeft() * ratio, rect.size() * ratio) & from.rect() & to.rect();
    for (int y = device.top(); y <= device.bottom(); ++y)
        std::memcpy(to.scanLine(y) + device.left() * 4, from.constScanLine(y) + device.left() * 4,
                    std::size_t(device.width()) * 4);
}
}  // namespace

void CMapView::ShowComposed(const QRegion& composed)
{
    QImage& surface = Surface();
    if (surface.isNull() || m_picture.size() != surface.size()) return;
    // Where the marks were and are is shown anew too: the picture under
    // them, then the marks of the state now.
    const std::vector<QRect> rects = MarkRects();
    QRegion area = composed;
    for (const QRect& rect : m_markRects) area += rect;
    for (const QRect& rect : rects) area += rect;
    for (const QRect& rect : area) CopyPixels(m_picture, surface, rect, SurfaceRatio());
    m_markRects = rects;
    m_shownCells = CellsToPaint();
    m_bMarksStale = false;
    DrawMarks(area);
    viewport()->update(area);
}

void CMapView::PrepareSurface()
{
    // Marks whose state changed, told or not, are drawn again.
    if (!m_bMarksStale && MarkRects() == m_markRects && CellsToPaint() == m_shownCells) return;
    ShowComposed({});
}

void CMapView::DrawMarks(const QRegion& area)
{
    if (!HasMap()) return;
    if (const auto cells = CellsToPaint()) HighlightCells(*cells, area);
    QPainter painter(&Surface());
    painter.setClipRegion(area);
    // Under the tool's marks: the brush previewed hides the cell's mark.
    DrawRulesCheckMarks(painter);
    if (const std::optional<CPoint> preview = PreviewCell()) DrawBlockPreview(painter, *preview);
    if (const std::optional<CRect> moved = MovedOutline()) DrawCellsOutline(painter, Viewport(), *moved);
    // The line a click would paint, its cells tinted.
    for (const CRect& cell : LineMarkCells())
        painter.fillRect(QRect(cell.left, cell.top, cell.Width(), cell.Height()), QColor(0, 0, 255, 96));
    // The frame inverts whatever is under it, the preview included.
    if (const std::optional<CRect> frame = DragFrame()) InvertCellFrame(painter, *frame);
}

std::vector<CRect> CMapView::LineMarkCells() const
{
    std::vector<CRect> cells;
    const std::optional<std::pair<CPoint, CPoint>> line = HasMap() ? m_tools.Current().LinePreview() : std::nullopt;
    if (!line) return cells;
    const MapViewport viewport = Viewport();
    const CRect client = GetClientRect();
    for (const CPoint& cell : LineCells(line->first, line->second)) {
        CRect shown = viewport.ClientRectOfCell(cell);
        // A cell narrower than a pixel still shows as one.
        shown.right = std::max(shown.right, shown.left + 1);
        shown.bottom = std::max(shown.bottom, shown.top + 1);
        CRect inside;
        if (inside.IntersectRect(shown, client) && (cells.empty() || !(cells.back() == inside)))
            cells.push_back(inside);
    }
    return cells;
}

void CMapView::HighlightCells(const std::vector<CellSpan>& cells, const QRegion& area)
{
    QImage& surface = Surface();
    const int ratio = SurfaceRatio();
    const MapViewport device = Viewport().Device();
    const QRect logical = area.boundingRect();
    const CRect onMap = device.ClientRectOfCells(CRect(0, 0, device.columns, device.rows));
    const CRect clip = Intersection(Intersection(CRect(logical.left() * ratio, logical.top() * ratio,
                                                       (logical.right() + 1) * ratio, (logical.bottom() + 1) * ratio),
                                                 CRect(0, 0, surface.width(), surface.height())),
                                    onMap);
    if (clip.IsRectEmpty() || cells.empty()) return;
    // Only the cells that show: the spans of the rows under the clip, each
    // cut to the columns under it.
    const CPoint first = device.ClampedCellAt(clip.TopLeft());
    const CPoint last = device.ClampedCellAt(CPoint(clip.right - 1, clip.bottom - 1));
    auto span =
        std::lower_bound(cells.begin(), cells.end(), first.y, [](const CellSpan& s, int row) { return s.row < row; });
    constexpr std::uint32_t kTint = 0xFF3399FFu;
    for (; span != cells.end() && span->row <= last.y; ++span) {
        const int left = std::max(span->left, first.x), right = std::min(span->right, last.x + 1);
        if (left >= right) continue;
        const CRect rc = Intersection(device.ClientRectOfCells(CRect(left, span->row, right, span->row + 1)), clip);
        for (int y = rc.top; y < rc.bottom; ++y) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(m_picture.constScanLine(y));
            auto* to = reinterpret_cast<std::uint32_t*>(surface.scanLine(y));
            // Half the picture, half the tint.
            for (int x = rc.left; x < rc.right; ++x)
                to[x] = 0xFF000000u | (((from[x] >> 1) & 0x7F7F7Fu) + ((kTint >> 1) & 0x7F7F7Fu));
        }
    }
}

void CMapView::DrawBlockPreview(QPainter& painter, CPoint first)
{
    const CZellDoc& doc = *GetDocument();
    const CCellBlock& block = doc.Brush();
    const MapViewport viewport = Viewport();
    for (int r = 0; r < block.m_nRows; ++r) {
        for (int c = 0; c < block.m_nCols; ++c) {
            const short v = block.Tile(r, c);
            // A palette block's empty entry ends its row; a map block's is a hole.
            if (v == kEmptyTileCell && !block.FromMap()) break;
            const CSprite* tile = doc.Map().TileForCell(v);
            if (!tile) continue;
            const CRect cell = viewport.ClientRectOfCell(CPoint(first.x + c, first.y + r));
            if (cell.IsRectEmpty()) continue;
            const QImage picture(reinterpret_cast<const uchar*>(tile->GetScreenBits()), tile->GetWidth(),
                                 tile->GetHeight(), QImage::Format_RGB32);
            // At 1:1 the tile's own pixels, else scaled to the cell (each
            // pixel a square of the screen's pixels, no smoothing).
            const QRect to = IsOneToOne(m_zoom) ? QRect(cell.left, cell.top, tile->GetWidth(), tile->GetHeight())
                                                : QRect(cell.left, cell.top, cell.Width(), cell.Height());
            painter.drawImage(to, picture);
        }
    }
}

void CMapView::TintAttrColours(const MapPixels& pixels, const CRect& area, const MapViewport& viewport)
{
    const CZellDoc& doc = *GetDocument();
    if (!doc.ShowAttrColours()) return;
    // The cell of each pixel column and row, as clicks find it.
    std::vector<int> cols(std::size_t(area.Width()), -1);
    std::vector<int> rows(std::size_t(area.Height()), -1);
    for (int x = 0; x < area.Width(); ++x)
        if (const auto cell = viewport.CellAt(CPoint(area.left + x, area.top))) cols[std::size_t(x)] = cell->x;
    for (int y = 0; y < area.Height(); ++y)
        if (const auto cell = viewport.CellAt(CPoint(area.left, area.top + y))) rows[std::size_t(y)] = cell->y;
    TintAttrCells(pixels, cols.data(), rows.data(), doc.Cells(), doc.AttrValues());
}

void CMapView::DrawTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, CPoint scroll)
{
    if (!NumbersShown()) return;
    const CZellDoc& doc = *GetDocument();
    const Overlay overlay = OverlayOf(doc);
    const int tw = TileWidth();
    const int th = TileHeight();

    // The labels of every cell shown in the map area, whose pixels may reach
    // into the area being drawn; only the area's pixels are touched.
    const QRect reach = OverlayText().Reach();
    const int firstCol = std::max((scroll.x + mapArea.left) / tw, (scroll.x + area.left - reach.right() - 1) / tw);
    const int firstRow = std::max((scroll.y + mapArea.top) / th, (scroll.y + area.top - reach.bottom() - 1) / th);
    const int endCol = std::min(
        {doc.MapWidth(), (scroll.x + mapArea.right - 1) / tw + 1, (scroll.x + area.right - reach.left()) / tw + 1});
    const int endRow = std::min(
        {doc.MapHeight(), (scroll.y + mapArea.bottom - 1) / th + 1, (scroll.y + area.bottom - reach.top()) / th + 1});

    const QRect clip(area.left, area.top, area.Width(), area.Height());
    const COLORREF colour = doc.TextColor();
    const CCellLayers& cells = doc.Cells();
    for (int row = std::max(0, firstRow); row < endRow; ++row) {
        const CellRow tiles = cells.RowOf(CellLayer::Tiles, row);
        const CellRow attrs = cells.RowOf(CellLayer::Attributes, row);
        if (!tiles || !attrs) continue;
        for (int col = std::max(0, firstCol); col < endCol; ++col) {
            const CellLabel label = LabelOf(doc, overlay, tiles[col], attrs[col]);
            OverlayText().Draw(screen, clip, col * tw - scroll.x, row * th - scroll.y, label, colour);
        }
    }
}

void CMapView::DrawSelectionMarks(const CRect& area)
{
    const CRect& selection = GetDocument()->MapSelection();
    if (selection.IsRectEmpty()) return;
    QPainter painter(&Screen());
    painter.setClipRect(QRect(area.left, area.top, area.Width(), area.Height()));
    DrawCellsOutline(painter, Viewport(), selection);
}

bool CMapView::NumbersShown() const
{
    if (!GetDocument() || OverlayOf(*GetDocument()) == Overlay::None) return false;
    return IsOneToOne(m_zoom) || Viewport().CellScreenWidth() >= kMinCellWidthForNumbers;
}

void CMapView::DrawZoomedTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea,
                                     const MapViewport& viewport)
{
    if (!NumbersShown()) return;
    const CZellDoc& doc = *GetDocument();
    const Overlay overlay = OverlayOf(doc);
    // Every cell whose label may reach into the area.
    const QRect reach = OverlayText().Reach();
    const CRect near = Intersection(CRect(area.left - reach.right() - 1, area.top - reach.bottom() - 1,
                                          area.right - reach.left() + 1, area.bottom - reach.top() + 1),
                                    mapArea);
    if (near.IsRectEmpty()) return;
    const CPoint first = viewport.ClampedCellAt(near.TopLeft());
    const CPoint last = viewport.ClampedCellAt(CPoint(near.right - 1, near.bottom - 1));
    const QRect clip(area.left, area.top, area.Width(), area.Height());
    const COLORREF colour = doc.TextColor();
    const CCellLayers& cells = doc.Cells();
    for (int row = first.y; row <= last.y; ++row) {
        const CellRow tiles = cells.RowOf(CellLayer::Tiles, row);
        const CellRow attrs = cells.RowOf(CellLayer::Attributes, row);
        if (!tiles || !attrs) continue;
        for (int col = first.x; col <= last.x; ++col) {
            const CRect at = viewport.ClientRectOfCell(CPoint(col, row));
            OverlayText().Draw(screen, clip, at.left, at.top, LabelOf(doc, overlay, tiles[col], attrs[col]), colour);
        }
    }
}

void CMapView::OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!IsOneToOne(m_zoom)) {
        ScrollZoomed(nSBCode, nPos, pScrollBar ? pScrollBar : verticalScrollBar(), false);
        return;
    }
    if (nSBCode == SB_THUMBTRACK && HasCells()) nPos -= nPos % UINT(TileHeight());
    // The preview comes off before the window's contents move.
    HidePreview();
    RefreshScreen();
    CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CMapView::OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!IsOneToOne(m_zoom)) {
        ScrollZoomed(nSBCode, nPos, pScrollBar ? pScrollBar : horizontalScrollBar(), true);
        return;
    }
    if (nSBCode == SB_THUMBTRACK && HasCells()) nPos -= nPos % UINT(TileWidth());
    HidePreview();
    RefreshScreen();
    CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CMapView::ScrollZoomed(UINT nSBCode, UINT nPos, QScrollBar* bar, bool across)
{
    // A cell need not be a whole number of screen pixels when zoomed out:
    // every step lands on the nearest cell edge.
    HidePreview();
    RefreshScreen();
    const int pos = (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION) ? int(nPos) : bar->sliderPosition();
    bar->setSliderPosition(Viewport().SnapToCell(pos, across));
}
