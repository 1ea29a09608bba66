#include "mainfrm.h"

#include <QDockWidget>
#include <algorithm>
#include <cstdlib>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app.h"
#include "attrvaluepane.h"
#include "historypane.h"
#include "stamplibrarypane.h"
#include "rulespane.h"
#include "bmpview.h"
#include "maphint.h"
#include "mapview.h"
#include "resource.h"
#include "smallmapview.h"
#include "tileview.h"
#include "zelldoc.h"
#include "translation.h"

const UINT CMainFrame::indicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

CMainFrame::CMainFrame()
{
    RegisterMapPaneCommands();
    RegisterStampCommands();
    RegisterRulesCommands();
}

UINT CMainFrame::ToolCommand(int tool) { return CToolManager::CommandOf(MapTool(tool)); }

bool CMainFrame::RouteToTools(UINT id, CCmdUI* pUI) { return m_pMapView && m_pMapView->Tools().OnCmdMsg(id, pUI); }

void CMainFrame::RegisterMapPaneCommands()
{
    // The map pane's tool manager answers the tools' commands and ticks the one in use.
    std::vector<UINT> toolCommands = {ID_TOOL_RANDOM, ID_SHAPE_RECT, ID_SHAPE_FILLED_RECT, ID_SHAPE_ELLIPSE,
                                      ID_SHAPE_FILLED_ELLIPSE};
    for (MapTool tool : CToolManager::AllTools()) toolCommands.push_back(CToolManager::CommandOf(tool));
    for (const UINT id : toolCommands) {
        OnCommand(id, [this, id] { RouteToTools(id, nullptr); });
        OnUpdateCommandUI(id, [this, id](CCmdUI* pUI) {
            if (!RouteToTools(id, pUI)) pUI->Enable(FALSE);
        });
    }
    OnCommand(ID_VIEW_ATTRVALUES, [this] {
        if (m_pAttrValuesDock) m_pAttrValuesDock->setVisible(m_pAttrValuesDock->isHidden());
    });
    OnUpdateCommandUI(ID_VIEW_ATTRVALUES, [this](CCmdUI* pUI) {
        pUI->Enable(m_pAttrValuesDock != nullptr);
        pUI->SetCheck(m_pAttrValuesDock && !m_pAttrValuesDock->isHidden());
    });
    OnCommand(ID_VIEW_HISTORY, [this] {
        if (m_pHistoryDock) m_pHistoryDock->setVisible(m_pHistoryDock->isHidden());
    });
    OnUpdateCommandUI(ID_VIEW_HISTORY, [this](CCmdUI* pUI) {
        pUI->Enable(m_pHistoryDock != nullptr);
        pUI->SetCheck(m_pHistoryDock && !m_pHistoryDock->isHidden());
    });
    OnCommand(ID_VIEW_OVERVIEW_FIT, [this] {
        if (m_pSmallMapView) SetOverviewFit(!m_pSmallMapView->FitsPane());
    });
    OnUpdateCommandUI(ID_VIEW_OVERVIEW_FIT, [this](CCmdUI* pUI) {
        pUI->Enable(m_pSmallMapView != nullptr);
        pUI->SetCheck(m_pSmallMapView && m_pSmallMapView->FitsPane());
    });
    OnCommand(ID_VIEW_EDITBAR, [this] { m_wndEditBar.setVisible(m_wndEditBar.isHidden()); });
    OnUpdateCommandUI(ID_VIEW_EDITBAR, [this](CCmdUI* pUI) { pUI->SetCheck(!m_wndEditBar.isHidden()); });
    // Each handler is a lambda of its own: GCC 12 under -fsanitize=vptr gives
    // a lambda made inside another lambda that captured this a wrong this.
    OnCommand(ID_VIEW_ZOOM_IN, [this] { ZoomMapPane(&CMapView::ZoomIn); });
    OnCommand(ID_VIEW_ZOOM_OUT, [this] { ZoomMapPane(&CMapView::ZoomOut); });
    OnCommand(ID_VIEW_ZOOM_FIT, [this] { ZoomMapPane(&CMapView::ZoomToFit); });
    OnCommand(ID_VIEW_ZOOM_ACTUAL, [this] {
        if (m_pMapView) m_pMapView->SetZoom(MapZoom{0});
    });
    OnUpdateCommandUI(ID_VIEW_ZOOM_IN, [this](CCmdUI* pUI) {
        pUI->Enable(m_pMapView && !(m_pMapView->Zoom() == CMapView::LargestZoom()));
    });
    OnUpdateCommandUI(ID_VIEW_ZOOM_OUT, [this](CCmdUI* pUI) {
        pUI->Enable(m_pMapView && !(m_pMapView->Zoom() == CMapView::SmallestZoom()));
    });
}

void CMainFrame::ZoomMapPane(void (CMapView::*zoom)())
{
    if (m_pMapView) (m_pMapView->*zoom)();
}

void CMainFrame::ShowMapPaneStatus()
{
    if (!m_pMapView) return;
    if (m_pZoomPane) m_pZoomPane->setText(QString::fromStdString(ZoomText(m_pMapView->Zoom())));
    if (m_pWherePane) m_pWherePane->setText(m_pMapView->WhereText());
}

void CMainFrame::CreateAttrValuesDock()
{
    m_pAttrValuesDock = new QDockWidget(Pellin::tr("속성 값"), this);
    m_pAttrValuesDock->setObjectName(QStringLiteral("attrvalues"));
    m_pAttrValuesDock->setAccessibleName(Pellin::tr("속성 값"));
    m_pAttrValuePane = new CAttrValuePane(m_pAttrValuesDock);
    m_pAttrValuesDock->setWidget(m_pAttrValuePane);
    addDockWidget(Qt::RightDockWidgetArea, m_pAttrValuesDock);
    // Shown with the attribute layer.
    m_pAttrValuesDock->hide();
    m_pAttrValuePane->SetDocument(m_pMapView->GetDocument());
    connect(m_pMapView, &CMapView::DocumentUpdated, this, [this](long hint) { OnDocumentUpdated(hint); });
}

void CMainFrame::OnDocumentUpdated(long hint)
{
    CZellDoc* doc = m_pMapView->GetDocument();
    if (m_pAttrValuePane->Document() != doc) m_pAttrValuePane->SetDocument(doc);
    m_pAttrValuePane->DocumentUpdated(hint);
    // A map made or read names its file after its history starts afresh.
    if ((hint & HINT_NEW_MAP) && m_pHistoryPane) m_pHistoryPane->Refresh();
    if (m_pStampsPane) {
        if (m_pStampsPane->Document() != doc) m_pStampsPane->SetDocument(doc);
        m_pStampsPane->DocumentUpdated(hint);
    }
    const bool attrLayer = doc && doc->OnAttrLayer();
    if (attrLayer && !m_bAttrLayerShown) m_pAttrValuesDock->show();
    m_bAttrLayerShown = attrLayer;
}

void CMainFrame::CreateHistoryDock()
{
    m_pHistoryDock = new QDockWidget(Pellin::tr("작업 내역"), this);
    m_pHistoryDock->setObjectName(QStringLiteral("history"));
    m_pHistoryDock->setAccessibleName(Pellin::tr("작업 내역"));
    m_pHistoryPane = new CHistoryPane(m_pHistoryDock);
    m_pHistoryDock->setWidget(m_pHistoryPane);
    addDockWidget(Qt::RightDockWidgetArea, m_pHistoryDock);
    m_pHistoryDock->hide();
    m_pHistoryPane->SetDocument(m_pMapView->GetDocument());
}

void CMainFrame::CreateStampsDock()
{
    m_pStampsDock = new QDockWidget(Pellin::tr("스탬프 모음"), this);
    m_pStampsDock->setObjectName(QStringLiteral("stamps"));
    m_pStampsDock->setAccessibleName(Pellin::tr("스탬프 모음"));
    m_pStampsPane = new CStampLibraryPane(m_pStampsDock);
    m_pStampsDock->setWidget(m_pStampsPane);
    addDockWidget(Qt::RightDockWidgetArea, m_pStampsDock);
    m_pStampsDock->hide();
    connect(m_pStampsPane, &CStampLibraryPane::Note, this,
            [this](const QString& text) { SetMessageText(text.toStdString()); });
    const char* path = std::getenv("PELLIN_STAMPS_FILE");
    const std::string note = m_pStampsPane->Load(path && *path ? std::string(path) : DefaultStampLibraryPath());
    // The status bar is made after the panes: the note shows once the window runs.
    if (!note.empty()) QTimer::singleShot(0, this, [this, note] { SetMessageText(note); });
    m_pStampsPane->SetDocument(m_pMapView->GetDocument());
}

void CMainFrame::RegisterStampCommands()
{
    OnCommand(ID_VIEW_STAMPS, [this] {
        if (m_pStampsDock) m_pStampsDock->setVisible(m_pStampsDock->isHidden());
    });
    OnUpdateCommandUI(ID_VIEW_STAMPS, [this](CCmdUI* pUI) {
        pUI->Enable(m_pStampsDock != nullptr);
        pUI->SetCheck(m_pStampsDock && !m_pStampsDock->isHidden());
    });
    for (int slot = 1; slot <= 9; ++slot) {
        const UINT store = ID_STAMP_STORE_1 + UINT(slot - 1);
        const UINT recall = ID_STAMP_RECALL_1 + UINT(slot - 1);
        OnCommand(store, [this, slot] {
            if (m_pStampsPane) m_pStampsPane->StoreInSlot(slot);
        });
        OnUpdateCommandUI(store, [this](CCmdUI* pUI) {
            const CZellDoc* doc = m_pStampsPane ? m_pStampsPane->Document() : nullptr;
            pUI->Enable(doc && doc->HasBrush());
        });
        OnCommand(recall, [this, slot] {
            if (m_pStampsPane) m_pStampsPane->RecallSlot(slot);
        });
        OnUpdateCommandUI(recall, [this, slot](CCmdUI* pUI) {
            pUI->Enable(m_pStampsPane && m_pStampsPane->Document() && StampInSlot(m_pStampsPane->Library(), slot));
        });
    }
}

void CMainFrame::CreateRulesDock()
{
    m_pRulesDock = new QDockWidget(Pellin::tr("자동 타일 규칙"), this);
    m_pRulesDock->setObjectName(QStringLiteral("rules"));
    m_pRulesDock->setAccessibleName(Pellin::tr("자동 타일 규칙"));
    m_pRulesPane = new CRulesPane(m_pRulesDock);
    m_pRulesDock->setWidget(m_pRulesPane);
    addDockWidget(Qt::RightDockWidgetArea, m_pRulesDock);
    m_pRulesDock->hide();
    m_pRulesPane->SetDocument(m_pMapView->GetDocument());
    connect(m_pMapView, &CMapView::DocumentUpdated, this, [this](long hint) {
        if (m_pRulesPane->Document() != m_pMapView->GetDocument()) m_pRulesPane->SetDocument(m_pMapView->GetDocument());
        m_pRulesPane->DocumentUpdated(hint);
    });
    connect(m_pMapView, &CMapView::StatusChanged, this, [this] { ShowRulesCheckStatus(); });
}

void CMainFrame::RegisterRulesCommands()
{
    OnCommand(ID_VIEW_RULES, [this] {
        if (m_pRulesDock) m_pRulesDock->setVisible(m_pRulesDock->isHidden());
    });
    OnUpdateCommandUI(ID_VIEW_RULES, [this](CCmdUI* pUI) {
        pUI->Enable(m_pRulesDock != nullptr);
        pUI->SetCheck(m_pRulesDock && !m_pRulesDock->isHidden());
    });
    OnCommand(ID_VIEW_RULES_CHECK, [this] {
        if (m_pMapView) m_pMapView->SetRulesCheck(!m_pMapView->RulesCheckShown());
    });
    OnUpdateCommandUI(ID_VIEW_RULES_CHECK, [this](CCmdUI* pUI) {
        pUI->Enable(m_pMapView != nullptr);
        pUI->SetCheck(m_pMapView && m_pMapView->RulesCheckShown());
    });
}

void CMainFrame::ShowRulesCheckStatus()
{
    if (!m_pRulesCheckPane || !m_pMapView) return;
    const bool shown = m_pMapView->RulesCheckShown();
    if (shown) m_pRulesCheckPane->setText(m_pMapView->RulesCheckText());
    m_pRulesCheckPane->setVisible(shown);
}

namespace {
constexpr const char* kOverviewFitKey = "Settings/OverviewFit";
}

void CMainFrame::ConnectOverview()
{
    m_pSmallMapView->SetShownAreaSource([this] { return MapPaneShownPixels(); });
    connect(m_pSmallMapView, &CSmallMapView::NavigateTo, this,
            [this](CPoint point) { m_pMapView->CentreOnMapPoint(point); });
    // The frame follows a zoom made while the pointer is over the overview.
    connect(m_pMapView, &CMapView::StatusChanged, this, [this] {
        if (m_pSmallMapView->FrameShown()) m_pSmallMapView->viewport()->update();
    });
    // The fitted overview is a preference: kept between runs.
    const QSettings* settings = AfxGetApp() ? AfxGetApp()->Settings() : nullptr;
    if (settings && settings->value(QString::fromLatin1(kOverviewFitKey), false).toBool())
        m_pSmallMapView->SetFitToPane(true);
}

void CMainFrame::SetOverviewFit(bool fit)
{
    m_pSmallMapView->SetFitToPane(fit);
    if (QSettings* settings = AfxGetApp() ? AfxGetApp()->Settings() : nullptr)
        settings->setValue(QString::fromLatin1(kOverviewFitKey), fit);
}

CRect CMainFrame::MapPaneShownPixels() const
{
    const MapViewport viewport = m_pMapView->Viewport();
    if (!viewport.HasCells()) return {};
    const CRect client = m_pMapView->GetClientRect();
    const std::int64_t width = std::int64_t(viewport.columns) * viewport.tileWidth;
    const std::int64_t height = std::int64_t(viewport.rows) * viewport.tileHeight;
    const auto edge = [](std::int64_t v, std::int64_t size) { return int(std::clamp<std::int64_t>(v, 0, size)); };
    return {edge(viewport.Unzoomed(viewport.scroll.x), width), edge(viewport.Unzoomed(viewport.scroll.y), height),
            edge(viewport.Unzoomed(std::int64_t(viewport.scroll.x) + client.Width() - 1) + 1, width),
            edge(viewport.Unzoomed(std::int64_t(viewport.scroll.y) + client.Height() - 1) + 1, height)};
}

CMainFrame::~CMainFrame()
{
    // The document may outlive its frame: it must not ask a frame that is gone.
    if (m_pPromptedDoc) m_pPromptedDoc->SetPrompts(nullptr);
}

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
    if (!m_wndToolBar.CreateEx(
            this, TBSTYLE_FLAT,
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
            CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    // This button has no string: no prompt and no tooltip, but assistive
    // technology still needs a name for it.
    if (QToolButton* button = m_wndToolBar.GetButton(ID_TILE_SETATTR))
        button->setAccessibleName(Pellin::tr("타일 속성 지정"));
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, int(std::size(indicators))))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    addToolBar(Qt::TopToolBarArea, &m_wndToolBar);

    if (!m_wndEditBar.CreateEx(
            this, TBSTYLE_FLAT,
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
            CRect(0, 0, 0, 0), ID_VIEW_EDITBAR) ||
        !m_wndEditBar.LoadToolBar(IDR_EDITBAR))
        return -1;
    m_wndEditBar.setObjectName(QStringLiteral("edittoolbar"));
    m_wndEditBar.setWindowTitle(Pellin::tr("편집 도구 모음"));
    m_wndEditBar.setAccessibleName(m_wndEditBar.windowTitle());
    m_wndEditBar.EnableDocking(CBRS_ALIGN_ANY);
    addToolBar(Qt::TopToolBarArea, &m_wndEditBar);

    // Before the lock indicators: where the pointer is, and the zoom. Their
    // text is their accessible name, as for any label that shows a value, so
    // assistive technology reads what they show; the description says what
    // they are.
    m_pWherePane = new QLabel(&m_wndStatusBar);
    m_pWherePane->setAccessibleDescription(Pellin::tr("커서 위치"));
    m_pWherePane->setMinimumWidth(m_pWherePane->fontMetrics().horizontalAdvance(
        Pellin::tr("0000, 0000  타일 00000  속성 00000  선택 0000 x 0000")));
    m_pZoomPane = new QLabel(QStringLiteral("100%"), &m_wndStatusBar);
    m_pZoomPane->setAccessibleDescription(Pellin::tr("확대 비율"));
    m_pZoomPane->setAlignment(Qt::AlignCenter);
    m_pZoomPane->setMinimumWidth(m_pZoomPane->fontMetrics().horizontalAdvance(QStringLiteral("00000%")) + 12);
    for (QLabel* pane : {m_pWherePane, m_pZoomPane}) {
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
    }
    m_wndStatusBar.insertPermanentWidget(0, m_pWherePane);
    m_wndStatusBar.insertPermanentWidget(1, m_pZoomPane);
    m_pRulesCheckPane = new QLabel(&m_wndStatusBar);
    m_pRulesCheckPane->setAccessibleDescription(Pellin::tr("규칙 확인"));
    m_pRulesCheckPane->setFrameShape(QFrame::Panel);
    m_pRulesCheckPane->setFrameShadow(QFrame::Sunken);
    m_wndStatusBar.insertPermanentWidget(0, m_pRulesCheckPane);
    m_pRulesCheckPane->hide();
    return 0;
}

BOOL CMainFrame::OnCreateClient(CREATESTRUCT*, CCreateContext* pContext)
{
    m_pPromptedDoc = pContext ? dynamic_cast<CZellDoc*>(pContext->m_pCurrentDoc) : nullptr;
    if (m_pPromptedDoc) m_pPromptedDoc->SetPrompts(&m_prompts);
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) ||
        !m_wndSplitterTop.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 0)) ||
        !m_wndSplitterBottom.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                          m_wndSplitter.IdFromRowCol(1, 0)))
        return FALSE;

    // A pane that cannot be made ends the frame's creation: the program
    // would otherwise run with a missing pane.
    if (!m_wndSplitterBottom.CreateView(
            0, 0, [] { return new CTileView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterBottom.CreateView(
            0, 1, [] { return new CBmpView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterTop.CreateView(
            0, 0, [] { return new CMapView; }, CSize(0, 0), pContext) ||
        !m_wndSplitterTop.CreateView(
            0, 1, [] { return new CSmallMapView; }, CSize(0, 0), pContext))
        return FALSE;

    m_pTileView = qobject_cast<CTileView*>(m_wndSplitterBottom.GetPane(0, 0));
    m_pBmpView = qobject_cast<CBmpView*>(m_wndSplitterBottom.GetPane(0, 1));
    m_pSmallMapView = qobject_cast<CSmallMapView*>(m_wndSplitterTop.GetPane(0, 1));
    m_pMapView = qobject_cast<CMapView*>(m_wndSplitterTop.GetPane(0, 0));
    if (!m_pTileView || !m_pBmpView || !m_pSmallMapView || !m_pMapView) return FALSE;
    connect(m_pMapView, &CMapView::StatusChanged, this, [this] { ShowMapPaneStatus(); });
    CreateAttrValuesDock();
    CreateHistoryDock();
    CreateStampsDock();
    CreateRulesDock();
    ConnectOverview();

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
