// The main window: menu, toolbar, status bar, and the four panes in nested
// static splitters. Whoever has to reach a pane goes through the four
// pointers here.
#pragma once

#include "controlbars.h"
#include "dialogprompts.h"
#include "frame.h"
#include "splitter.h"

class CAttrValuePane;
class CHistoryPane;
class CStampLibraryPane;
class CRulesPane;
class CBmpView;
class QDockWidget;
class CMapView;
class CSmallMapView;
class CTileView;
class CZellDoc;

class CMainFrame : public CFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(CREATESTRUCT* lpCreateStruct) override;
    BOOL OnCreateClient(CREATESTRUCT* lpcs, CCreateContext* pContext) override;

    // The tool command of each tool, in the order of the tools menu.
    static UINT ToolCommand(int tool);

    // The ideal pane sizes for a client width W (the last pane takes the rest).
    static int MapPaneIdealWidth(int clientWidth) { return (clientWidth / 4) * 3; }
    static int PalettePaneIdealWidth(int clientWidth) { return clientWidth - 640; }
    static constexpr int kTopRowIdealHeight = 480;
    static constexpr int kPaneMinimum = 10;

    // Declared parent first: members are destroyed in reverse order, so
    // each child splitter leaves its parent before the parent goes.
    CSplitterWnd m_wndSplitter;
    CSplitterWnd m_wndSplitterTop;
    CSplitterWnd m_wndSplitterBottom;
    CBmpView* m_pBmpView = nullptr;
    CMapView* m_pMapView = nullptr;
    CSmallMapView* m_pSmallMapView = nullptr;
    CTileView* m_pTileView = nullptr;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    // The map pane's tools, after the toolbar above.
    CToolBar m_wndEditBar;
    // Status panes: the cell under the pointer, and the map pane's zoom.
    QLabel* m_pWherePane = nullptr;
    QLabel* m_pZoomPane = nullptr;
    // The value palette of the attribute layer, docked at the right.
    QDockWidget* m_pAttrValuesDock = nullptr;
    CAttrValuePane* m_pAttrValuePane = nullptr;
    // The undo history as a list ("작업 내역"), docked at the right, hidden at first.
    QDockWidget* m_pHistoryDock = nullptr;
    CHistoryPane* m_pHistoryPane = nullptr;
    // The user's stamp library ("스탬프 모음"), docked at the right, hidden at first.
    QDockWidget* m_pStampsDock = nullptr;
    CStampLibraryPane* m_pStampsPane = nullptr;
    // The auto-tiling rules ("자동 타일 규칙"), docked at the right, hidden at first.
    QDockWidget* m_pRulesDock = nullptr;
    CRulesPane* m_pRulesPane = nullptr;
    // The count of "규칙 확인", shown only while the check is on.
    QLabel* m_pRulesCheckPane = nullptr;

    static const UINT indicators[4];

private:
    void RegisterMapPaneCommands();
    void ZoomMapPane(void (CMapView::*zoom)());
    // The map pane's tools take their commands (pUI: their update); false without the pane.
    bool RouteToTools(UINT id, CCmdUI* pUI);
    void ShowMapPaneStatus();
    // The value palette follows the document; going to the attribute layer shows it.
    void CreateAttrValuesDock();
    void OnDocumentUpdated(long hint);
    void CreateHistoryDock();
    // Reads the stamp library (PELLIN_STAMPS_FILE, else the user's data folder).
    void CreateStampsDock();
    void RegisterStampCommands();
    void CreateRulesDock();
    void RegisterRulesCommands();
    void ShowRulesCheckStatus();
    // The overview moves the map pane and frames what it shows.
    void ConnectOverview();
    void SetOverviewFit(bool fit);
    CRect MapPaneShownPixels() const;
    bool m_bAttrLayerShown = false;
    // The frame answers its document's questions and runs its dialogs.
    CDialogPrompts m_prompts;
    CZellDoc* m_pPromptedDoc = nullptr;
};
