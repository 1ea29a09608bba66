#include "scrollview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "document.h"
#include "frame.h"
#include "paneaccessible.h"

namespace {
UINT KeyFlags(const QMouseEvent* e)
{
    UINT flags = 0;
    if (e->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

CPoint PointOf(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    return {p.x(), p.y()};
}

UINT CodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    default: return SB_THUMBTRACK;
    }
}

const QColor kWindowBackground(255, 255, 255);
}  // namespace

CScrollView::CScrollView()
{
    AfxInstallPaneAccessibility();
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setMinimumSize(0, 0);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Vertical, action); });
}

CScrollView::~CScrollView() { AttachDocument(nullptr); }

void CScrollView::AttachDocument(CDocument* pDoc)
{
    if (m_pDocument == pDoc) return;
    if (m_pDocument) m_pDocument->RemoveView(this);
    m_pDocument = pDoc;
    if (m_pDocument) m_pDocument->AddView(this);
}

void CScrollView::OnUpdate(CScrollView*, LPARAM, CObject*) { Invalidate(TRUE); }

CFrameWnd* CScrollView::GetParentFrame() const { return qobject_cast<CFrameWnd*>(window()); }

int CScrollView::OnCreate() { return 0; }

void CScrollView::OnInitialUpdate() { Invalidate(TRUE); }

void CScrollView::SetScrollSizes(int, CSize total, CSize page, CSize line)
{
    m_totalDev = total;
    m_pageDev = page;
    m_lineDev = line;
    if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
    UpdateBars();
}

void CScrollView::UpdateBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, m_totalDev.cx - client.width()));
    h->setPageStep(std::max(1, m_pageDev.cx));
    h->setSingleStep(std::max(1, m_lineDev.cx));
    v->setRange(0, std::max(0, m_totalDev.cy - client.height()));
    v->setPageStep(std::max(1, m_pageDev.cy));
    v->setSingleStep(std::max(1, m_lineDev.cy));
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CScrollView::ScrollToDevicePosition(CPoint pt)
{
    horizontalScrollBar()->setValue(pt.x);
    verticalScrollBar()->setValue(pt.y);
}

CRect CScrollView::GetClientRect() const
{
    const QSize s = viewport()->size();
    return {0, 0, s.width(), s.height()};
}

void CScrollView::Invalidate(BOOL bErase)
{
    m_bErase = m_bDirty ? (m_bErase || bErase) : bErase;
    m_bDirty = true;
    viewport()->update();
}

void CScrollView::UpdateWindow()
{
    if (m_bDirty || !SurfaceFits()) Redraw();
    PrepareSurface();
    viewport()->update();
}

bool CScrollView::SurfaceFits() const
{
    const int ratio = SurfaceRatio();
    return m_surface.size() == viewport()->size() * ratio && int(m_surface.devicePixelRatio()) == ratio;
}

void CScrollView::Redraw()
{
    const QSize size = viewport()->size();
    if (!SurfaceFits()) {
        const int ratio = SurfaceRatio();
        m_surface = QImage(size * ratio, QImage::Format_RGB32);
        m_surface.setDevicePixelRatio(ratio);
        m_surface.fill(kWindowBackground);
    } else if (m_bErase) {
        m_surface.fill(kWindowBackground);
    }
    m_bDirty = false;
    m_bErase = false;
    if (size.isEmpty()) return;
    const CPoint scroll = GetDeviceScrollPosition();
    CDC dc(&m_surface, QPoint(-scroll.x, -scroll.y));
    OnDraw(&dc);
}

void CScrollView::paintEvent(QPaintEvent*)
{
    if (m_bDirty || !SurfaceFits()) Redraw();
    PrepareSurface();
    QPainter painter(viewport());
    painter.drawImage(0, 0, m_surface);
}

void CScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
    Invalidate(TRUE);
}

void CScrollView::scrollContentsBy(int, int) { Invalidate(TRUE); }

void CScrollView::OnScrollAction(Qt::Orientation orientation, int action)
{
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    const UINT code = CodeOf(action);
    const UINT pos = UINT(std::max(0, bar->sliderPosition()));
    if (orientation == Qt::Vertical)
        OnVScroll(code, pos, bar);
    else
        OnHScroll(code, pos, bar);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!pScrollBar) pScrollBar = verticalScrollBar();
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION) pScrollBar->setSliderPosition(int(nPos));
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!pScrollBar) pScrollBar = horizontalScrollBar();
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION) pScrollBar->setSliderPosition(int(nPos));
}

void CScrollView::OnLButtonDown(UINT, CPoint) {}
void CScrollView::OnLButtonUp(UINT, CPoint) {}
void CScrollView::OnLButtonDblClk(UINT, CPoint) {}
void CScrollView::OnMouseMove(UINT, CPoint) {}
void CScrollView::OnRButtonDown(UINT, CPoint) {}
void CScrollView::OnRButtonUp(UINT, CPoint) {}
void CScrollView::OnContextMenu(CPoint) {}

void CScrollView::mousePressEvent(QMouseEvent* event)
{
    if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(KeyFlags(event), PointOf(event));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(KeyFlags(event), PointOf(event));
}

void CScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(KeyFlags(event), PointOf(event));
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(KeyFlags(event), PointOf(event));
}

void CScrollView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(KeyFlags(event), PointOf(event));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(KeyFlags(event), PointOf(event));
}

void CScrollView::mouseMoveEvent(QMouseEvent* event) { OnMouseMove(KeyFlags(event), PointOf(event)); }

void CScrollView::contextMenuEvent(QContextMenuEvent* event)
{
    OnContextMenu({event->globalPos().x(), event->globalPos().y()});
}

void CScrollView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
}

namespace {
// A surface that has not yet been made at the window's size is made first,
// so client drawing always lands on a picture of the whole window.
QImage* PreparedSurface(CScrollView* pView)
{
    if (!pView->SurfaceFits()) pView->UpdateWindow();
    return &pView->Surface();
}
}  // namespace

CClientDC::CClientDC(CScrollView* pView) : CDC(PreparedSurface(pView)), m_pView(pView) {}

CClientDC::~CClientDC() { m_pView->viewport()->update(); }
