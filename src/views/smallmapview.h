// The overview pane: the whole map at about half size, each pixel the AND
// of the map pixels it covers. It keeps no picture: every paint computes
// the part of the picture the pane shows from the document's map, and a
// change of cells recomputes only the part of the picture they cover that
// the pane shows.
//
// A click or drag asks for the map pane to be centred on the map point
// under the pointer (NavigateTo); while the pointer is over the pane or
// dragging, a frame shows the part of the map the map pane shows, painted
// over the picture. Fitted to its pane, the overview shows the whole map
// at whatever scale fits, each pixel sampled from the map (overviewfit.h).
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "overviewfit.h"
#include "scrollview.h"

class CZellDoc;

class CSmallMapView : public CScrollView {
    Q_OBJECT
public:
    CSmallMapView();
    ~CSmallMapView() override;

    CZellDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint) override;

    // Half the map's picture, each side cut down to a multiple of 5 pixels.
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
    // The map's picture at full size.
    int m_nSrcWidth = 0;
    int m_nSrcHeight = 0;

    // The whole map inside the pane, at whatever scale fits (off: half size).
    bool FitsPane() const { return m_bFit; }
    void SetFitToPane(bool fit);
    // The picture's size as the pane shows it now.
    PictureSize Picture() const;
    // Where the map pane is on the map (map pixels, right and bottom
    // exclusive), asked for when the frame is painted.
    void SetShownAreaSource(std::function<CRect()> source) { m_shownArea = std::move(source); }
    // The frame over the picture is shown now.
    bool FrameShown() const { return m_bPointerOver || m_bDragging; }
    // The frame in client coordinates; none while hidden or without a map.
    std::optional<CRect> FrameRect() const;
    // The map point (map pixels) a client point shows, the nearest one when
    // the point is off the picture; none without a map.
    std::optional<CPoint> MapPointAt(CPoint client) const;

signals:
    // The map pane is to show this map point (map pixels) at its centre.
    void NavigateTo(CPoint mapPoint);

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Navigate(CPoint client);
    // Lays the picture out for the pane's size (fitted) or the map's (half size).
    void LayOut();

    // Computes the overview pixels of picture rectangle area into dc.
    void DrawPicture(CDC& dc, const CRect& area);
    // The part of the picture under the client area.
    CRect VisiblePicture() const;

    bool m_bFit = false;
    // The scroll bars' policies while not fitted.
    std::pair<Qt::ScrollBarPolicy, Qt::ScrollBarPolicy> m_barPolicies{Qt::ScrollBarAsNeeded, Qt::ScrollBarAsNeeded};
    PictureSize m_fitted;
    bool m_bPointerOver = false;
    bool m_bDragging = false;
    std::function<CRect()> m_shownArea;
};
