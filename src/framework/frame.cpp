#include "frame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>
#include <QGuiApplication>
#include <new>

#include "afxmsg.h"
#include "app.h"
#include "cmdids.h"
#include "document.h"
#include "mainwidget.h"
#include "resources.h"
#include "scrollview.h"
#include "splitter.h"
#include "translation.h"

namespace {
// The element of one command as an update handler sees it: its action.
class CActionCmdUI : public CCmdUI {
public:
    explicit CActionCmdUI(QAction* action) : m_action(action) {}
    void Enable(BOOL bOn) override { m_action->setEnabled(bOn != FALSE); }
    void SetCheck(int nCheck) override
    {
        if (!m_action->isCheckable()) m_action->setCheckable(true);
        m_action->setChecked(nCheck != 0);
    }
    void SetPrompt(const std::string& prompt) override { m_action->setStatusTip(QString::fromUtf8(prompt)); }

private:
    QAction* m_action;
};

// Records what an update handler decided without touching any widget.
class CProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { enabled = bOn != FALSE; }
    void SetCheck(int nCheck) override { check = nCheck; }
    bool enabled = true;
    int check = 0;
};

// A menu item's text in the interface language, without the key text after
// the tab (the actions' shortcuts show their own).
QString MenuText(const std::string& text)
{
    const QString translated = Pellin::tr(text.c_str());
    return translated.left(translated.indexOf(QLatin1Char('\t')));
}
}  // namespace

CFrameWnd* AfxGetMainWnd() { return qobject_cast<CFrameWnd*>(AfxGetMainWidget()); }

CFrameWnd::CFrameWnd()
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_idleConnection = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                               [this] { UpdateAllCommandUI(); });
    // The view menu's items carry the bars' ids: they show or hide the bar
    // and are ticked while it is visible.
    for (UINT bar : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        OnCommand(bar, [this, bar] { OnBarCheck(bar); });
        OnUpdateCommandUI(bar, [this, bar](CCmdUI* pUI) {
            QWidget* w = ControlBar(bar);
            pUI->Enable(w != nullptr);
            pUI->SetCheck(w && !w->isHidden());
        });
    }
    OnCommand(ID_NEXT_PANE, [this] { ActivateNextPane(false); });
    setAcceptDrops(true);
    OnCommand(ID_PREV_PANE, [this] { ActivateNextPane(true); });
}

QWidget* CFrameWnd::ControlBar(UINT nID) const
{
    // The first toolbar made is the one the view menu names.
    if (nID == ID_VIEW_TOOLBAR) return findChild<QToolBar*>(QStringLiteral("toolbar"));
    if (nID == ID_VIEW_STATUS_BAR) return findChild<QStatusBar*>();
    return nullptr;
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    if (QWidget* bar = ControlBar(nID)) bar->setVisible(bar->isHidden());
}

void CFrameWnd::ActivateNextPane(bool)
{
    // Each splitter here holds two panes: activation moves to the other one.
    if (!m_pActiveView) return;
    auto* splitter = qobject_cast<CSplitterWnd*>(m_pActiveView->parentWidget());
    if (!splitter || splitter->count() < 2) return;
    const int index = splitter->indexOf(m_pActiveView);
    auto* next = qobject_cast<CScrollView*>(splitter->widget((index + 1) % splitter->count()));
    if (!next) return;
    SetActiveView(next);
    next->setFocus(Qt::OtherFocusReason);
}

CFrameWnd::~CFrameWnd()
{
    disconnect(m_idleConnection);
    if (AfxGetMainWidget() == this) AfxSetMainWidget(nullptr);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* pContext)
{
    CREATESTRUCT cs;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        cs.cx = avail.width() * 3 / 4;
        cs.cy = avail.height() * 3 / 4;
    }
    const std::string title = AfxLoadString(nIDResource);
    if (!PreCreateWindow(cs)) return FALSE;
    setWindowTitle(QString::fromUtf8(title.substr(0, title.find('\n'))));
    setWindowIcon(AfxGetAppIcon());
    m_placement = QRect(cs.x, cs.y, cs.cx, cs.cy);
    move(cs.x, cs.y);
    resize(cs.cx, cs.cy);
    m_nIDResource = nIDResource;
    m_pCreateContext = pContext;
    const int created = OnCreate(&cs);
    m_pCreateContext = nullptr;
    return created == -1 ? FALSE : TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCT* lpCreateStruct)
{
    // The client area must have the window's size while the panes are made,
    // as the pane layout is computed from it.
    BuildMenuBar(m_nIDResource);
    LoadAccelerators(m_nIDResource);
    if (!OnCreateClient(lpCreateStruct, m_pCreateContext)) return -1;
    return 0;
}

bool CFrameWnd::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) FitFrameToPlacement();
    return handled;
}

// The placement is the whole window, title bar and borders included, but a
// window's size is that of its inner area. A window manager's frame is
// known only once it has decorated the shown window, so the inner area is
// fitted then, and again whenever that frame changes; without a window
// manager the frame is empty and the inner area is the placement.
void CFrameWnd::FitFrameToPlacement()
{
    const QWindow* window = windowHandle();
    if (!window || !isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QMargins margins = window->frameMargins();
    if (margins == m_fittedMargins) return;
    m_fittedMargins = margins;
    setGeometry(m_placement.marginsRemoved(margins));
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) { return TRUE; }

void CFrameWnd::BuildMenuBar(UINT nIDResource)
{
    const auto* items = AfxFindMenu(nIDResource);
    if (!items) return;
    for (const MenuItemDef& top : *items) {
        QMenu* menu = menuBar()->addMenu(Pellin::tr(top.text.c_str()));
        for (const MenuItemDef& item : top.children) {
            if (item.IsSeparator()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = CommandAction(item.id);
            action->setText(MenuText(item.text));
            menu->addAction(action);
        }
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateAllCommandUI(); });
    }
}

void CFrameWnd::LoadAccelerators(UINT nIDResource)
{
    const auto* accels = AfxFindAccelerators(nIDResource);
    if (!accels) return;
    for (const AccelDef& accel : *accels) {
        QAction* action = CommandAction(accel.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(accel.keys);
        action->setShortcuts(keys);
    }
}

QMenu* CFrameWnd::BuildMenu(UINT nIDResource, QWidget* parent)
{
    const auto* items = AfxFindMenu(nIDResource);
    if (!items || items->empty()) return nullptr;
    auto* menu = new QMenu(Pellin::tr(items->front().text.c_str()), parent);
    // Assistive technology names the pop-up by its title (see paneaccessible.h).
    menu->setAccessibleName(menu->title());
    for (const MenuItemDef& item : items->front().children) {
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(MenuText(item.text));
        action->setData(item.id);
    }
    // Its items greyed and ticked as their update handlers say, as the menu bar's are.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuCommandUI(menu); });
    return menu;
}

void CFrameWnd::UpdateMenuCommandUI(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) UpdateActionUI(action->data().toUInt(), action);
}

std::vector<UINT> CFrameWnd::CommandIds() const
{
    std::vector<UINT> ids;
    ids.reserve(m_actions.size());
    for (const auto& entry : m_actions) ids.push_back(entry.first);
    return ids;
}

QAction* CFrameWnd::CommandAction(UINT nID)
{
    auto it = m_actions.find(nID);
    if (it != m_actions.end()) return it->second;
    auto* action = new QAction(this);
    const QString prompt = QString::fromUtf8(AfxCommandPrompt(nID));
    const QString tooltip = QString::fromUtf8(AfxCommandTooltip(nID));
    action->setText(tooltip.isEmpty() ? prompt : tooltip);
    action->setStatusTip(prompt);
    action->setToolTip(tooltip);
    action->setData(nID);
    // Shortcuts belong to the window, whichever pane has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, nID] {
        // The checked state follows the update handler, not the click.
        UpdateCommandUI(nID);
        SendCommand(nID);
    });
    m_actions.emplace(nID, action);
    UpdateCommandUI(nID);
    return action;
}

void CFrameWnd::InitialUpdateFrame(BOOL bMakeVisible)
{
    for (CScrollView* view : m_views) view->OnInitialUpdate();
    if (bMakeVisible) {
        show();
        activateWindow();
    }
    UpdateAllCommandUI();
}

void CFrameWnd::SetActiveView(CScrollView* pView, BOOL) { m_pActiveView = pView; }

CDocument* CFrameWnd::GetActiveDocument() const { return m_pActiveView ? m_pActiveView->GetDocument() : nullptr; }

BOOL CFrameWnd::OnCmdMsg(UINT nID, CCmdUI* pUI)
{
    if (m_pActiveView) {
        if (m_pActiveView->OnCmdMsg(nID, pUI)) return TRUE;
        if (CDocument* doc = m_pActiveView->GetDocument(); doc && doc->OnCmdMsg(nID, pUI)) return TRUE;
    }
    if (CCmdTarget::OnCmdMsg(nID, pUI)) return TRUE;
    if (CWinApp* app = AfxGetApp(); app && app->OnCmdMsg(nID, pUI)) return TRUE;
    return FALSE;
}

void CFrameWnd::SendCommand(UINT nID)
{
    // A command whose element is greyed does not run.
    if (!IsCommandEnabled(nID)) return;
    // Out of memory, a command ends with a message rather than the program
    // (the document takes its own edits back before it gets here).
    try {
        OnCmdMsg(nID, nullptr);
    } catch (const std::bad_alloc&) {
        try {
            AfxMessageBox(Pellin::trStd(kMsgCommandOutOfMemory), MB_ICONEXCLAMATION);
        } catch (const std::bad_alloc&) {
            // Not even the message fits: the window stays as it is.
        }
    }
}

bool CFrameWnd::IsCommandEnabled(UINT nID)
{
    CProbeCmdUI probe;
    if (OnCmdMsg(nID, &probe)) return probe.enabled;
    bool handled = false;
    if (m_pActiveView) {
        handled = m_pActiveView->HasCommandHandler(nID) ||
                  (m_pActiveView->GetDocument() && m_pActiveView->GetDocument()->HasCommandHandler(nID));
    }
    handled = handled || HasCommandHandler(nID) || (AfxGetApp() && AfxGetApp()->HasCommandHandler(nID));
    return handled;
}

int CFrameWnd::CommandCheck(UINT nID)
{
    CProbeCmdUI probe;
    OnCmdMsg(nID, &probe);
    return probe.check;
}

void CFrameWnd::UpdateCommandUI(UINT nID)
{
    const auto it = m_actions.find(nID);
    if (it != m_actions.end()) UpdateActionUI(nID, it->second);
}

void CFrameWnd::UpdateActionUI(UINT nID, QAction* action)
{
    CActionCmdUI ui(action);
    if (OnCmdMsg(nID, &ui)) return;
    ui.Enable(IsCommandEnabled(nID));
}

void CFrameWnd::UpdateAllCommandUI()
{
    for (const auto& [id, action] : m_actions) UpdateCommandUI(id);
}

void CFrameWnd::closeEvent(QCloseEvent* event)
{
    // A document with unsaved changes may ask first, and may keep the window open.
    if (CDocument* doc = GetActiveDocument(); doc && !doc->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    if (QStatusBar* bar = findChild<QStatusBar*>()) bar->showMessage(Pellin::tr(text.c_str()));
}

namespace {
// The local files a drop carries, as UTF-8 paths.
std::vector<std::string> DroppedFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}
}  // namespace

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = DroppedFiles(event->mimeData());
    CDocument* doc = GetActiveDocument();
    if (paths.empty() || !doc) return;
    event->acceptProposedAction();
    doc->OnDropFiles(paths);
}
