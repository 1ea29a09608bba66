#include "mainfrm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include "bmpview.h"
#include "mapview.h"
#include "resource.h"
#include "smallmapview.h"
#include "tileview.h"

const UINT CMainFrame::indicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.x = 0;
    cs.y = 0;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        cs.cx = screen->geometry().width();
        cs.cy = screen->geometry().height();
    }
    // The caption stays the window title: no document name is added.
    cs.style &= ~FWS_ADDTOTITLE;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCT* lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    // This button has no string: no prompt and no tooltip, but assistive
    // technology still needs a name for it.
    if (QToolButton* button = m_wndToolBar.GetButton(ID_TILE_SETATTR))
        button->setAccessibleName(QStringLiteral("타일 속성 지정"));
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, int(std::size(indicators))))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    addToolBar(Qt::TopToolBarArea, &m_wndToolBar);
    return 0;
}

BOOL CMainFrame::OnCreateClient(CREATESTRUCT*, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) ||
        !m_wndSplitterTop.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 0)) ||
        !m_wndSplitterBottom.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                          m_wndSplitter.IdFromRowCol(1, 0)))
        return FALSE;

    // A pane that cannot be made ends the frame's creation: the program
    // would otherwise run with a missing pane.
    if (!m_wndSplitterBottom.CreateView(0, 0, [] { return new CTileView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterBottom.CreateView(0, 1, [] { return new CBmpView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterTop.CreateView(0, 0, [] { return new CMapView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterTop.CreateView(0, 1, [] { return new CSmallMapView; }, CSize(0, 0), pContext))
        return FALSE;

    m_pTileView = qobject_cast<CTileView*>(m_wndSplitterBottom.GetPane(0, 0));
    m_pBmpView = qobject_cast<CBmpView*>(m_wndSplitterBottom.GetPane(0, 1));
    m_pSmallMapView = qobject_cast<CSmallMapView*>(m_wndSplitterTop.GetPane(0, 1));
    m_pMapView = qobject_cast<CMapView*>(m_wndSplitterTop.GetPane(0, 0));
    if (!m_pTileView || !m_pBmpView || !m_pSmallMapView || !m_pMapView) return FALSE;

    // Initial updates run in this order: the map first, so that its cell
    // layers exist before the other panes ask it to refresh.
    RegisterView(m_pMapView);
    RegisterView(m_pSmallMapView);
    RegisterView(m_pTileView);
    RegisterView(m_pBmpView);

    const int clientWidth = width();
    m_wndSplitter.SetRowInfo(0, kTopRowIdealHeight, kPaneMinimum);
    m_wndSplitterTop.SetColumnInfo(0, MapPaneIdealWidth(clientWidth), kPaneMinimum);
    m_wndSplitterBottom.SetColumnInfo(0, PalettePaneIdealWidth(clientWidth), kPaneMinimum);

    SetActiveView(m_pMapView);
    return TRUE;
}
