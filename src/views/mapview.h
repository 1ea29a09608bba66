// The map pane. It draws only what it shows: a refresh composes the cells
// under the window from the document's map (each tile from its screen
// form), then prints the numbers of the display switch in force over them;
// an edit recomposes only the cells it changed. With a tile block picked in
// the palette the mouse paints tiles; without one it sets map attributes
// through the map attribute dialog (the stamp tool; the other tools are in
// maptools.h). The view keeps only view state: the zoom, the tool, the
// drag, the band and the hover preview. Every conversion between client
// points and cells goes through Viewport().
#pragma once

#include <climits>
#include <memory>
#include <optional>

#include <QString>

#include "celldrag.h"
#include "mapattrdlg.h"
#include "maptools.h"
#include "mapviewport.h"
#include "scrollview.h"

class CZellDoc;
class OverlayTextCache;
class QImage;
class QKeyEvent;
class QWheelEvent;

// The map pane's tools, in the order of the tools menu.
enum class MapTool { Stamp, Eraser, Fill, Select, Picker };

class CMapView : public CScrollView {
    Q_OBJECT
public:
    CMapView();
    ~CMapView() override;

    CZellDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint) override;
    BOOL OnCmdMsg(UINT nID, CCmdUI* pUI) override;

    // Composes the visible part of the map into the window, with the
    // numbers of the display switch in force; takes any preview off.
    void RefreshScreen();

    // The map's size in pixels, as the scroll sizes were last set from it.
    int MapPixelWidth() const { return m_nMapPixelWidth; }
    int MapPixelHeight() const { return m_nMapPixelHeight; }

    // Where the window lies on the map now.
    MapViewport Viewport() const;
    MapZoom Zoom() const { return m_zoom; }
    // Zooms keeping the map point under the client point where it is on
    // screen (the pane's middle when none is given, and then the scroll
    // position is taken to whole cells).
    void SetZoom(MapZoom zoom, std::optional<CPoint> anchor = std::nullopt);
    // The zoom steps' ends.
    static MapZoom SmallestZoom() { return {MapZoom::kMinLog2}; }
    static MapZoom LargestZoom() { return {MapZoom::kMaxLog2}; }
    void ZoomIn() { SetZoom(NextZoomStep(m_zoom, true)); }
    void ZoomOut() { SetZoom(NextZoomStep(m_zoom, false)); }
    void ZoomToFit();

    MapTool Tool() const { return m_tool; }
    void SetTool(MapTool tool);
    // The status bar's "where am I" text: the cell under the pointer, its
    // tile and attribute; the selection's size while there is one.
    QString WhereText() const;

    static constexpr const char* kMsgCannotMakeScreen = "화면을 만들수 없습니다";

signals:
    // The zoom, the tool or the cell under the pointer changed.
    void StatusChanged();
    // The document told the panes of a change (the flags of maphint.h), for
    // the panes beside the map that are no views of their own.
    void DocumentUpdated(long hint);

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    void OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;

private:
    int TileWidth() const;
    int TileHeight() const;
    // False while the tile size would make no cells.
    bool HasCells() const;
    // The map can be drawn and edited: cells of a size, and both layers.
    bool HasMap() const;

    // The part of the window that shows the map (client coordinates).
    CRect MapArea() const;
    // Composes the cells and numbers under the client rectangle area, kept
    // to MapArea(): the pixels a whole refresh would give there.
    void ComposeArea(const CRect& area);
    void ComposeCells(const CRect& area, const CRect& mapArea);
    // The attribute colour display over the cells just composed.
    void TintAttrColours(const MapPixels& pixels, const CRect& area);
    void DrawTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, CPoint scroll);
    void DrawZoomedTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea);
    // The selection's outline, and where a selection being moved would land.
    void DrawSelectionMarks(const CRect& area);
    // Numbers are printed over the cells at this zoom.
    bool NumbersShown() const;
    void UpdateScrollSizes();
    void ScrollZoomed(UINT nSBCode, UINT nPos, QScrollBar* bar, bool across);
    ToolEvent ToolEventAt(CPoint point, UINT flags) const;
    // Frames and outlines what the tool in use describes.
    void ShowToolOverlay();
    // Ends any gesture under way without an edit; true when there was one.
    bool CancelGesture();
    // Marks the pointer's cell for the status bar.
    void TrackPointer(CPoint point);
    OverlayTextCache& OverlayText();
    void PrepareZoomSoon();
    // Takes a preview still on the window off it.
    void EraseStalePreview();

    // Client rectangle of the cell under a client point, as the window
    // shows it; the empty rectangle outside the map.
    CRect CellFromPoint(int x, int y) const;
    CRect CellFromPoint(CPoint point) const { return CellFromPoint(point.x, point.y); }
    // The cell a client cell rectangle (from CellFromPoint) shows.
    CPoint CellOfRect(const CRect& rc) const;
    // The cells a band (client coordinates, normalised) covers.
    CRect CellsOfBand(const CRect& band) const;
    // The point itself when it lies on the map, else the nearest point on it.
    CPoint ClampToMap(CPoint point) const;
    void DrawBlockPreview(int x, int y);
    void DrawZoomedBlockPreview(CPoint at);
    void SetAnchorAttribute(const CRect& anchor);
    void SetBandAttribute(const CRect& band);
    bool HasSelectedBlock() const;

    int m_nMapPixelWidth = 0;
    int m_nMapPixelHeight = 0;
    MapZoom m_zoom;
    // What zoomed-out drawing keeps of the tiles and cells, built when the
    // editor is idle after a new map or new tiles.
    ZoomCache m_zoomCache;
    bool m_bZoomPreparePending = false;
    MapTool m_tool = MapTool::Stamp;
    // The tool in use other than the stamp (none for the stamp).
    std::unique_ptr<CMapTool> m_pTool;
    // A right-button drag of the stamp, capturing cells as the block.
    bool m_bRightDrag = false;
    // Where the selection being moved would land, outlined.
    std::optional<CRect> m_movedOutline;
    std::optional<CPoint> m_pointerCell;

public:
    CCellDrag m_drag;
    // No cell is ever previewed at this point, so the first preview always draws.
    CPoint m_ptLastPreview{INT_MIN, INT_MIN};
    // Where a preview is on the window now (client coordinates); empty when none.
    CRect m_rcPreview;
    CMapAttrDlg m_dlgMapAttr;

private:
    std::unique_ptr<OverlayTextCache> m_pOverlayText;
};
