// The source bitmap at its natural size, divided into a grid of tile-sized
// cells anchored at its top-left corner. A double-click cuts the cell under
// the pointer into a new tile; a drag marks whole cells and its release cuts
// every one of them, in reading order.
#pragma once

#include "celldrag.h"
#include "scrollview.h"

#include <cstdint>
#include <vector>

class CZellDoc;

class CBmpView : public CScrollView {
    Q_OBJECT
public:
    CBmpView();
    ~CBmpView() override;

    CZellDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint) override;

    // Client rectangle of the grid cell holding the bitmap point under a
    // client point; the empty rectangle when that point is not on the bitmap.
    CRect CellFromPoint(int x, int y) const;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool HasGrid() const;
    // Cuts every whole cell of a band into a tile and lays the palette out anew.
    void CutBandTiles(const CRect& band);

    // The visible part of the bitmap in screen form, converted at each
    // paint; kept to reuse its memory.
    std::vector<std::uint32_t> m_visibleBits;
    CCellDrag m_drag;
};
