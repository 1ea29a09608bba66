// The tile palette: the whole tile set laid out in rows of the document's
// tiles-per-row count, each tile in a slot with a 5-pixel gap to its right
// and below. Dragging over slots picks the document's selected tile block;
// its frame stays on screen while the block lives.
#pragma once

#include "celldrag.h"
#include "scrollview.h"

#include <optional>

class CZellDoc;

class CTileView : public CScrollView {
    Q_OBJECT
public:
    CTileView();
    ~CTileView() override;

    CZellDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint) override;

    // Client rectangle of the tile cell of the slot under a client point
    // (a point in a gap gives the cell to its left or above), or the empty
    // rectangle when the point lies outside the laid-out palette.
    CRect CellFromPoint(int x, int y) const;
    // Drops the document's selected tile block (the frame is the caller's).
    void ClearTileSelection();

    int LayoutWidth() const { return m_nLayoutWidth; }
    int LayoutHeight() const { return m_nLayoutHeight; }

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnContextMenu(CPoint screenPoint) override;
    void OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    void OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // False while the tile size or the row count would make no layout.
    bool HasLayout() const;
    int PitchX() const;
    int PitchY() const;
    // The frame that belongs on screen now: the anchor or band of a drag,
    // or the frame of the selected block; null when none.
    std::optional<CRect> FrameOnScreen() const;
    // The frame of the document's picked block as the window shows it.
    std::optional<CRect> SelectionFrame() const;
    void DropSelectionFrame();
    // Makes the tiles under a band the document's selected tile block.
    void SelectBandTiles(const CRect& band);

    CCellDrag m_drag;
    int m_nLayoutWidth = 0;
    int m_nLayoutHeight = 0;
};
