// The drag over a pane's grid of cells that the bitmap view and the palette
// share. The press frames the cell under the pointer (the anchor); each
// move frames the band the pane makes of the anchor and the cell under the
// pointer, or gives the drag up when the pointer reached the pane's border;
// the release ends it. The drag is state only: each change asks the pane to
// paint again, and the pane draws the frame over its picture from Frame().
// A frame inverts the pixels of a 4-pixel outline. Frames are in client
// coordinates.
#pragma once

#include <optional>

#include "scrollview.h"

// Inverts the 4-pixel frame of rc (corners in any order) on dc.
void InvertCellFrame(CDC& dc, const CRect& rc);
// The same pixels through a painter (in its logical pixels, inside its clip).
void InvertCellFrame(QPainter& painter, const CRect& rc);

class CCellDrag {
public:
    explicit CCellDrag(CScrollView& view) : m_view(view) {}

    // Frames the pressed cell and captures the mouse.
    void Press(const CRect& cell);
    // Frames band instead.
    void Move(const CRect& band);
    // The pointer left the pane: the drag ends.
    void Abandon();
    // Ends the drag; true when the pointer moved after the press, so that
    // Band() and not Anchor() is what was dragged.
    bool Release();

    bool IsDragging() const { return m_bDragging; }
    const CRect& Anchor() const { return m_rcAnchor; }
    const CRect& Band() const { return m_rcBand; }
    // The band from the anchor's top-left to the cell's bottom-right.
    CRect FromAnchorTo(const CRect& cell) const { return {m_rcAnchor.left, m_rcAnchor.top, cell.right, cell.bottom}; }
    // The frame on screen now: the anchor until the first move, then the
    // band; none outside a drag.
    std::optional<CRect> Frame() const;

    // Keeps the frames on the cells they were made on when the view's
    // contents move by (dx, dy).
    void Scroll(int dx, int dy);

private:
    void End();

    CScrollView& m_view;
    CRect m_rcAnchor;
    CRect m_rcBand;
    bool m_bDragging = false;
    bool m_bMoved = false;
};
