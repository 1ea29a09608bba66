// The main frame: menu, accelerators, control bars, the panes, and the
// routing of every command through the active view, its document, the
// frame and the application. Update handlers run when the event loop goes
// idle and before a menu opens.
#pragma once

#include <QMainWindow>
#include <map>
#include <vector>

#include "cmdtarget.h"
#include "createcontext.h"

class CDocument;
class CScrollView;
class QAction;
class QMenu;

// Shown when a command ran out of memory.
inline constexpr const char* kMsgCommandOutOfMemory =
    QT_TRANSLATE_NOOP("Pellin", "메모리가 모자라 이 작업을 하지 못했습니다");

class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window from the resources with that id: placement from
    // PreCreateWindow, then OnCreate (menu, accelerators, client area).
    BOOL LoadFrame(UINT nIDResource, CCreateContext* pContext);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // The base builds the menu and accelerators and calls OnCreateClient.
    virtual int OnCreate(CREATESTRUCT* lpCreateStruct);
    virtual BOOL OnCreateClient(CREATESTRUCT* lpcs, CCreateContext* pContext);

    // Every view of the frame gets its initial update, then the frame shows.
    void InitialUpdateFrame(BOOL bMakeVisible);
    void RegisterView(CScrollView* pView) { m_views.push_back(pView); }

    void SetActiveView(CScrollView* pView, BOOL bNotify = TRUE);
    CScrollView* GetActiveView() const { return m_pActiveView; }
    CDocument* GetActiveDocument() const;

    BOOL OnCmdMsg(UINT nID, CCmdUI* pUI) override;
    // Runs a command as a menu item, button or accelerator would.
    void SendCommand(UINT nID);
    // Brings one command's (or every command's) element up to date.
    void UpdateCommandUI(UINT nID);
    void UpdateAllCommandUI();
    // Would the command be enabled, and is it checked? (for the view's own menus and tests)
    bool IsCommandEnabled(UINT nID);
    int CommandCheck(UINT nID);

    // The one action of a command, shared by its menu item, button and keys.
    QAction* CommandAction(UINT nID);
    // Every command that has an action (a menu item, button or keys), in id order.
    std::vector<UINT> CommandIds() const;
    // A pop-up from a menu resource; its items are brought up to date each time it shows.
    QMenu* BuildMenu(UINT nIDResource, QWidget* parent);
    void UpdateMenuCommandUI(QMenu* menu);

    // The toolbar or status bar that a view-menu id names, if the frame has it.
    QWidget* ControlBar(UINT nID) const;
    // Shows a message in the status bar's message pane until the next prompt.
    void SetMessageText(const std::string& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window go to the active document.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenuBar(UINT nIDResource);
    void LoadAccelerators(UINT nIDResource);
    void OnBarCheck(UINT nID);
    void UpdateActionUI(UINT nID, QAction* action);
    void ActivateNextPane(bool previous);
    void FitFrameToPlacement();

    UINT m_nIDResource = 0;
    CCreateContext* m_pCreateContext = nullptr;
    QRect m_placement;         // the whole window, frame included, as PreCreateWindow asked
    QMargins m_fittedMargins;  // the window manager's frame the placement was last fitted to
    CScrollView* m_pActiveView = nullptr;
    std::vector<CScrollView*> m_views;
    std::map<UINT, QAction*> m_actions;
    QMetaObject::Connection m_idleConnection;
};

CFrameWnd* AfxGetMainWnd();
