// The overview pane: the whole map at about half size, each pixel the AND
// of the map pixels it covers. It keeps no picture: every paint computes
// the part of the picture the pane shows from the document's map, and a
// change of cells recomputes only the part of the picture they cover that
// the pane shows. It
// takes no input.
#pragma once

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

private:
    // Computes the overview pixels of picture rectangle area into dc.
    void DrawPicture(CDC& dc, const CRect& area);
    // The part of the picture under the client area.
    CRect VisiblePicture() const;
};
