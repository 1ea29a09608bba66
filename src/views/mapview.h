// The map pane. It draws only what it shows: a refresh composes the cells
// under the window from the document's map (each tile from its screen
// form), then prints the numbers of the display switch in force over them;
// an edit recomposes only the cells it changed. The mouse and keys go to
// the tool in use (toolmanager.h), which edits through the document. The
// view keeps only view state: the zoom, the tools and the pointer's cell.
// Every conversion between client points and cells goes through Viewport().
//
// The cells are composed into the window's picture; the marks over them
// (the brush previewed under the pointer, the frame of a drag, where a
// moved selection would land) are drawn from the tool's state when the
// pane paints, over the composed pixels, which are kept aside where the
// marks lie so that taking them off restores the cells. Only where the
// marks were or are is repainted.
#pragma once

#include <climits>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <QImage>
#include <QRegion>
#include <QString>
#include <QTimer>

#include "celldrag.h"
#include "ruledifferences.h"
#include "maptool.h"
#include "mapviewport.h"
#include "scrollview.h"
#include "toolmanager.h"

class CZellDoc;
class OverlayTextCache;
class QEnterEvent;
class QKeyEvent;
class QPainter;
class QWheelEvent;

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
    // numbers of the display switch in force.
    void RefreshScreen();
    // Where the marks over the cells are drawn now (client coordinates).
    QRegion MarkedArea() const;

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
    // Scrolls so that the map point (map pixels) is at the pane's centre, as
    // near as the map's edges allow.
    void CentreOnMapPoint(CPoint mapPoint);
    // The far zooms' block colours are being made on another thread.
    bool ZoomPreparing() const { return m_zoomPreparation != nullptr; }

    MapTool Tool() const { return m_tools.Tool(); }
    void SetTool(MapTool tool);
    // The tools, the one in use among them.
    CToolManager& Tools();
    // A gesture of the tool in use is under way.
    bool GestureActive() const { return m_tools.Current().IsActive(); }
    // The same once the event loop comes back.
    void SetToolLater(MapTool tool);
    // The status bar's "where am I" text: the cell under the pointer, its
    // tile and attribute; the selection's size while there is one.
    QString WhereText() const;

    // "규칙 확인": the cells whose tile the rules would change are marked
    // over the picture (off by default), and counted over the whole map.
    bool RulesCheckShown() const { return m_bRulesCheck; }
    void SetRulesCheck(bool on);
    const RuleDifferences& RuleDifferencesNow() const { return m_ruleDiffs; }
    // The status bar's text while the check is on ("규칙과 다른 칸 12개").
    QString RulesCheckText() const;

    static constexpr const char* kMsgCannotMakeScreen = QT_TRANSLATE_NOOP("Pellin", "화면을 만들수 없습니다");

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
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    void OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    int SurfaceRatio() const override;
    void PrepareSurface() override;

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
    // to MapArea(), into the picture: the pixels a whole refresh would give there.
    void ComposeArea(const CRect& area);
    // The same into the picture alone; the rectangle composed.
    CRect ComposePicture(const CRect& area);
    // The same in device pixels of the picture (the device viewport's).
    void ComposeCells(const CRect& area, const CRect& mapArea, const MapViewport& device);
    // The attribute colour display over the cells just composed.
    void TintAttrColours(const MapPixels& pixels, const CRect& area, const MapViewport& device);
    void DrawTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, CPoint scroll);
    void DrawZoomedTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, const MapViewport& device);
    // The selection's outline.
    void DrawSelectionMarks(const CRect& area);
    // The composed picture (the cells, their numbers and the selection's
    // outline, without the marks), made first when it does not fit the window.
    QImage& Screen();
    // Shows the composed picture inside composed, and where the marks were
    // and are, with the marks of the state now drawn over it.
    void ShowComposed(const QRegion& composed);
    // The client rectangles the marks cover now.
    std::vector<QRect> MarkRects() const;
    // The marks' state changed: the pane repaints where they were and are.
    // A change of their pictures alone (the block) is told by contentChanged.
    void MarksChanged(bool contentChanged = false);
    // Draws the marks over the surface inside area (client coordinates).
    void DrawMarks(const QRegion& area);
    void DrawBlockPreview(QPainter& painter, CPoint first);
    // Tints the cells a release of the tool would paint, where they show
    // inside area, from the composed picture (so drawing them twice is harmless).
    void HighlightCells(const std::vector<CellSpan>& cells, const QRegion& area);
    std::shared_ptr<const std::vector<CellSpan>> CellsToPaint() const;
    // The frame on screen for the tool's band; none outside a drag (client
    // coordinates, corners in any order).
    std::optional<CRect> DragFrame() const;
    std::optional<CRect> MovedOutline() const;
    // Where the tool previews the brush, while there is a brush to show.
    std::optional<CPoint> PreviewCell() const;
    // The cells of the tool's line preview, on the pane's screen.
    std::vector<CRect> LineMarkCells() const;
    // What followed the pointer goes (see CMapTool::ForgetHover).
    void HidePreview(bool sameCellShowsAgain = false);
    // Numbers are printed over the cells at this zoom.
    bool NumbersShown() const;
    void UpdateScrollSizes();
    void ScrollZoomed(UINT nSBCode, UINT nPos, QScrollBar* bar, bool across);
    ToolEvent ToolEventAt(CPoint point, UINT flags, Qt::MouseButton button = Qt::NoButton) const;
    // After the tool heard of something: the pointer held while its gesture
    // lasts, its marks and its status text brought up to date.
    void AfterToolEvent();
    // Ends any gesture under way without an edit; true when there was one.
    bool CancelGesture();
    // Marks the pointer's cell for the status bar.
    void TrackPointer(CPoint point);
    // The labels' pictures at the surface's ratio, and (in logical pixels)
    // how far they reach from a cell's top-left.
    OverlayTextCache& OverlayText();
    QRect LabelReach();
    void PrepareZoomSoon();
    // Stops the zoom preparation under way, if any, and waits for its thread.
    void StopZoomPreparation();
    void OnZoomPrepared();

    bool HasSelectedBlock() const;
    // The check follows the document's changes (mapview_rulescheck.cpp).
    void FollowRulesCheck(LPARAM hint, const CObject* pHint);
    void AddRulesCheckRects(std::vector<QRect>& rects) const;
    void DrawRulesCheckMarks(QPainter& painter) const;
    // The cells the pane shows now.
    CRect ShownCells() const;

    int m_nMapPixelWidth = 0;
    int m_nMapPixelHeight = 0;
    MapZoom m_zoom;
    // What zoomed-out drawing keeps of the tiles and cells, its block
    // colours made on a thread of their own after a new map or new tiles.
    ZoomCache m_zoomCache;
    bool m_bZoomPreparePending = false;
    std::shared_ptr<ZoomPreparation> m_zoomPreparation;
    std::thread m_zoomWorker;
    // Looks for the preparation's end: nothing crosses threads but its flag.
    QTimer m_zoomPoll;
    CToolManager m_tools;
    // The status text the tool in use gave last.
    QString m_toolStatus;
    std::optional<CPoint> m_pointerCell;
    // What the pane's cells look like without the marks; the window shows
    // it with the marks drawn over (see ShowComposed).
    QImage m_picture;
    // Where the marks are on the surface (client coordinates).
    std::vector<QRect> m_markRects;
    // The marks' state changed since they were drawn.
    bool m_bMarksStale = false;
    // The cells highlighted when the marks were drawn.
    std::shared_ptr<const std::vector<CellSpan>> m_shownCells;

    bool m_bRulesCheck = false;
    RuleDifferences m_ruleDiffs;

    std::unique_ptr<OverlayTextCache> m_pOverlayText;
    int m_nOverlayTextRatio = 0;
};
