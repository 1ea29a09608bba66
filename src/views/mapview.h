// The map pane. It draws only what it shows: a refresh composes the cells
// under the window from the document's map (each tile from its screen
// form), then prints the numbers of the display switch in force over them;
// an edit recomposes only the cells it changed. With a tile block picked in
// the palette the mouse paints tiles; without one it sets map attributes
// through the map attribute dialog. The view keeps only view state: the
// drag, the band and the hover preview.
#pragma once

#include <climits>
#include <memory>

#include "celldrag.h"
#include "mapattrdlg.h"
#include "scrollview.h"

class CZellDoc;
class OverlayTextCache;
class QImage;

class CMapView : public CScrollView {
    Q_OBJECT
public:
    CMapView();
    ~CMapView() override;

    CZellDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint) override;

    // Composes the visible part of the map into the window, with the
    // numbers of the display switch in force; takes any preview off.
    void RefreshScreen();

    // The map's size in pixels, as the scroll sizes were last set from it.
    int MapPixelWidth() const { return m_nMapPixelWidth; }
    int MapPixelHeight() const { return m_nMapPixelHeight; }

    static constexpr const char* kMsgCannotMakeScreen = "화면을 만들수 없습니다";

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
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
    void DrawTextOverlay(QImage& screen, const CRect& area, const CRect& mapArea, CPoint scroll);
    OverlayTextCache& OverlayText();
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
    void SetAnchorAttribute(const CRect& anchor);
    void SetBandAttribute(const CRect& band);
    bool HasSelectedBlock() const;

    int m_nMapPixelWidth = 0;
    int m_nMapPixelHeight = 0;

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
