// A scrolling view of the document. It keeps a screen surface, a picture of
// exactly what the window shows: painting only copies the surface to the
// window, while drawing on a client context (rubber bands, previews,
// composed refreshes) goes into the surface at once and stays there until
// something draws over it, as drawing on a window does.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <string>

#include "cmdtarget.h"
#include "dc.h"

class CDocument;
class CFrameWnd;
class CObject;
using LPARAM = long;
class QScrollBar;

constexpr int MM_TEXT = 1;
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT MK_LBUTTON = 0x1;
constexpr UINT MK_RBUTTON = 0x2;
constexpr UINT MK_SHIFT = 0x4;
constexpr UINT MK_CONTROL = 0x8;

class CScrollView : public QAbstractScrollArea, public CCmdTarget {
    Q_OBJECT
public:
    CScrollView();
    ~CScrollView() override;

    // Attaches the view to its document (null: to none), so that the
    // document's UpdateAllViews reaches it; called once by the frame.
    void AttachDocument(CDocument* pDoc);
    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    // Called once after the window exists (WM_CREATE); 0 or -1.
    virtual int OnCreate();
    // The base invalidates the whole view with erasing.
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC) = 0;
    // The document changed: lHint and pHint say what (the document's own
    // vocabulary). The base invalidates the whole view with erasing.
    virtual void OnUpdate(CScrollView* pSender, LPARAM lHint, CObject* pHint);

    void SetScrollSizes(int mapMode, CSize total, CSize page = {}, CSize line = {});
    CSize GetTotalSize() const { return m_totalDev; }
    CSize GetPageSize() const { return m_pageDev; }
    CSize GetLineSize() const { return m_lineDev; }
    CPoint GetDeviceScrollPosition() const;
    void ScrollToDevicePosition(CPoint pt);
    CRect GetClientRect() const;

    void Invalidate(BOOL bErase = TRUE);
    // Paints whatever is pending into the surface now.
    void UpdateWindow();

    // Mouse capture as the program sees it: held from a press to its release.
    void SetCapture() { m_bCaptured = true; }
    void ReleaseCapture() { m_bCaptured = false; }
    bool HasCapture() const { return m_bCaptured; }

    QImage& Surface() { return m_surface; }
    const QImage& Surface() const { return m_surface; }
    // The surface has the window's size in device pixels.
    bool SurfaceFits() const;

protected:
    // Device pixels of the surface to a logical pixel (1: the window's
    // logical pixels, however many device pixels the screen has).
    virtual int SurfaceRatio() const { return 1; }
    // Called before the surface is shown: a view drawing marks over its
    // picture brings the surface up to date here.
    virtual void PrepareSurface() {}

    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnContextMenu(CPoint screenPoint);
    // nPos is the position the scroll bar is to take for SB_THUMBTRACK and
    // SB_THUMBPOSITION; the base moves it there (other codes are already applied).
    virtual void OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar);
    virtual void OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void UpdateBars();
    void Redraw();
    void OnScrollAction(Qt::Orientation orientation, int action);

    CDocument* m_pDocument = nullptr;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    QImage m_surface;
    bool m_bDirty = true;
    bool m_bErase = true;
    bool m_bCaptured = false;
};

// A context that draws into a view's screen surface; the window shows the
// result when the event loop next paints.
class CClientDC : public CDC {
public:
    explicit CClientDC(CScrollView* pView);
    ~CClientDC() override;

private:
    CScrollView* m_pView;
};
