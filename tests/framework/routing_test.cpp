// Command routing: active view, then its document, then the frame, then the
// application; update handlers decide the element's state, a handler
// without one means enabled, no handler at all means greyed.
#include <gtest/gtest.h>

#include <QAction>
#include <string>
#include <vector>

#include "app.h"
#include "document.h"
#include "frame.h"
#include "scrollview.h"

namespace {
std::vector<std::string> g_calls;

constexpr UINT kViewOnly = 1001, kDocOnly = 1002, kFrameOnly = 1003, kAppOnly = 1004, kViewAndDoc = 1005,
               kDocAndApp = 1006, kNobody = 1007, kDisabledByUpdate = 1008, kChecked = 1009;

class TestDoc : public CDocument {
public:
    TestDoc()
    {
        OnCommand(kDocOnly, [] { g_calls.push_back("doc"); });
        OnCommand(kViewAndDoc, [] { g_calls.push_back("doc"); });
        OnCommand(kDocAndApp, [] { g_calls.push_back("doc"); });
        OnCommand(kDisabledByUpdate, [] { g_calls.push_back("doc"); });
        OnUpdateCommandUI(kDisabledByUpdate, [](CCmdUI* ui) { ui->Enable(FALSE); });
        OnCommand(kChecked, [] {});
        OnUpdateCommandUI(kChecked, [](CCmdUI* ui) { ui->SetCheck(1); });
    }
};

class TestView : public CScrollView {
public:
    TestView()
    {
        OnCommand(kViewOnly, [] { g_calls.push_back("view"); });
        OnCommand(kViewAndDoc, [] { g_calls.push_back("view"); });
    }
    void OnDraw(CDC*) override {}
};

class TestFrame : public CFrameWnd {
public:
    TestFrame()
    {
        OnCommand(kFrameOnly, [] { g_calls.push_back("frame"); });
    }
};

class TestApp : public CWinApp {
public:
    TestApp()
    {
        OnCommand(kAppOnly, [] { g_calls.push_back("app"); });
        OnCommand(kDocAndApp, [] { g_calls.push_back("app"); });
    }
};

class RoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        view = new TestView;
        view->AttachDocument(&doc);
        frame.setCentralWidget(view);
        frame.SetActiveView(view);
    }
    TestApp app;
    TestDoc doc;
    TestFrame frame;
    TestView* view = nullptr;
};

struct RouteCase {
    UINT id;
    const char* expected;  // who runs it; "" for nobody
    bool enabled;
};

class RouteTable : public RoutingTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(RouteTable, FirstTargetInOrderTakesTheCommand)
{
    const RouteCase& c = GetParam();
    EXPECT_EQ(frame.IsCommandEnabled(c.id), c.enabled);
    frame.SendCommand(c.id);
    if (*c.expected)
        EXPECT_EQ(g_calls, std::vector<std::string>{c.expected});
    else
        EXPECT_TRUE(g_calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Routing, RouteTable,
                         ::testing::Values(RouteCase{kViewOnly, "view", true}, RouteCase{kDocOnly, "doc", true},
                                           RouteCase{kFrameOnly, "frame", true}, RouteCase{kAppOnly, "app", true},
                                           RouteCase{kViewAndDoc, "view", true}, RouteCase{kDocAndApp, "doc", true},
                                           RouteCase{kNobody, "", false}, RouteCase{kDisabledByUpdate, "", false}));

TEST_F(RoutingTest, WithoutActiveViewTheDocumentIsNotReached)
{
    frame.SetActiveView(nullptr);
    frame.SendCommand(kDocAndApp);
    EXPECT_EQ(g_calls, std::vector<std::string>{"app"});
}

TEST_F(RoutingTest, ActionsFollowUpdateHandlersWhenIdle)
{
    QAction* greyed = frame.CommandAction(kNobody);
    QAction* handled = frame.CommandAction(kDocOnly);
    QAction* disabled = frame.CommandAction(kDisabledByUpdate);
    QAction* checked = frame.CommandAction(kChecked);
    frame.UpdateAllCommandUI();
    EXPECT_FALSE(greyed->isEnabled());
    EXPECT_TRUE(handled->isEnabled());
    EXPECT_FALSE(disabled->isEnabled());
    EXPECT_TRUE(checked->isChecked());
    EXPECT_EQ(frame.CommandCheck(kChecked), 1);
}

TEST_F(RoutingTest, TriggeringAnActionRunsItsCommandOnce)
{
    frame.CommandAction(kViewOnly)->trigger();
    EXPECT_EQ(g_calls, std::vector<std::string>{"view"});
}
}  // namespace
