// The overview pane: the whole map image of the map pane, shrunk to about
// half its size. It keeps no picture of its own and takes no input.
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

    // Half the map image, each side cut down to a multiple of 5 pixels.
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
    // The map image's size.
    int m_nSrcWidth = 0;
    int m_nSrcHeight = 0;
};
