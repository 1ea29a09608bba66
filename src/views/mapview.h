// The map pane. It owns the map's two cell layers and the map image, a
// picture of the whole map one pixel per map pixel that every edit brings
// up to date at once. A refresh copies the visible part of that image to
// the window and prints the cell numbers over it. With a tile block
// selected in the palette the mouse paints tiles; without one it sets map
// attributes through the map attribute dialog.
#pragma once

#include <climits>
#include <memory>

#include "dialogs/mapattrdlg.h"
#include "scrollview.h"

class CMainFrame;
class CZellDoc;
class OverlayTextCache;

class CMapView : public CScrollView {
    Q_OBJECT
public:
    CMapView();
    ~CMapView() override;

    CZellDoc* GetDocument() const;

    int OnCreate() override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // Copies the visible part of the map image to the window with the
    // numbers of the display switch in force.
    void RefreshScreen();

    // Paints the cells of rcMap (map pixels, aligned to cells) with the
    // selected block repeated from its top-left cell.
    void FillBandWithBlock(CRect rcMap);

    // False until an initial update has made the map image.
    bool HasMapImage() const { return m_pOldBitmap != nullptr; }

    short* m_pTileLayer = nullptr;
    short* m_pAttrLayer = nullptr;
    int m_nMapPixelWidth = 0;
    int m_nMapPixelHeight = 0;
    BOOL m_bDragging = FALSE;
    BOOL m_bRubberBand = FALSE;
    // No cell is ever previewed at this point, so the first preview always draws.
    CPoint m_ptLastPreview{INT_MIN, INT_MIN};
    CDC m_dcMap;
    CBitmap m_bmpMap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rcBand;
    CRect m_rcAnchor;
    CMapAttrDlg m_dlgMapAttr;

    static constexpr const char* kMsgCannotMakeScreen = "화면을 만들수 없습니다";

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    void OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;

private:
    static CMainFrame* MainFrame();
    int TileWidth() const;
    int TileHeight() const;
    int MapWidth() const;
    int MapHeight() const;
    // False while the document's tile size would make no cells.
    bool HasCells() const;

    void DeleteMapImage();
    void DrawWholeMapImage();
    // Brings one cell of the map image up to date with the tile layer.
    void DrawCellIntoImage(int col, int row);
    void DrawTextOverlay(QImage& screen, int width, int height, CPoint scroll);

    // Client rectangle of the cell under a client point, as the window
    // shows it; the empty rectangle outside the map.
    CRect CellFromPoint(int x, int y) const;
    CRect CellFromPoint(CPoint point) const { return CellFromPoint(point.x, point.y); }
    // The cell a client cell rectangle (from CellFromPoint) shows.
    CPoint CellOfRect(const CRect& rc) const;
    // The point itself when it lies on the map, else the nearest point on it.
    CPoint ClampToMap(CPoint point) const;
    // Inverts a 4-pixel frame on the window: twice restores it.
    void DrawBand(CRect rc);
    void DrawBlockPreview(int x, int y);
    void StampBlockAtAnchor();
    void SetAnchorAttribute();
    void SetBandAttribute();

    // Cells (column, row), not pixels: cells outside the map are left alone
    // and read as 0.
    void SetTileAt(int col, int row, short nTile);
    void SetAttrAt(int col, int row, short nAttr);
    short GetAttrAt(int col, int row) const;
    short SelectedTile(int blockRow, int blockCol) const;
    bool HasSelectedBlock() const;

    // What a fresh memory context holds before the map image is selected.
    CBitmap m_bmpDefault;
    std::unique_ptr<OverlayTextCache> m_pOverlayText;
};
