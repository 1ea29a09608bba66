// Assistive technology finds every pane and toolbar button by name: the
// accessibility tree Qt serves to the desktop is walked here directly.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "mainfrm.h"
#include "mapview.h"
#include "resource.h"
#include "zellapp.h"
#include "zelldoc.h"
#include "afxmsg.h"

namespace {
// Every interface below root, depth first.
void Walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit, int depth = 0)
{
    if (!root || depth > 40) return;
    visit(root);
    for (int i = 0; i < root->childCount(); ++i) Walk(root->child(i), visit, depth + 1);
}

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = AfxSetMessageSink([](const std::string&, unsigned) { return IDOK; });
        ASSERT_TRUE(theApp.InitInstance());
        frame = qobject_cast<CMainFrame*>(theApp.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        theApp.DestroyMainWindow();
        AfxSetMessageSink(previous);
    }
    AfxMessageSink previous;
    CMainFrame* frame = nullptr;
};

TEST_F(AccessibilityTest, PanesAndButtonsCarryNamesInTheTree)
{
    QStringList names;
    int unnamedButtons = 0;
    Walk(QAccessible::queryAccessibleInterface(frame), [&](QAccessibleInterface* node) {
        const QString name = node->text(QAccessible::Name);
        names << name;
        const QAccessible::Role role = node->role();
        if ((role == QAccessible::Button || role == QAccessible::PushButton) && name.isEmpty() &&
            qobject_cast<QToolButton*>(node->object()) && node->object()->parent() == &frame->m_wndToolBar)
            ++unnamedButtons;
    });
    for (const char* pane : {"맵", "전체 맵", "타일 팔레트", "원본 비트맵"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(pane))) << pane;
    for (const char* button : {"새 파일", "맵열기", "맵저장", "Bitmap 열기", "타일 속성 지정", "글자색상"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(button))) << button;
    EXPECT_EQ(unnamedButtons, 0);
}

// What the status panes show is what assistive technology reads: found in
// the tree by what they are (their description), read by their name.
TEST_F(AccessibilityTest, StatusPanesReadWhatTheyShow)
{
    auto* doc = static_cast<CZellDoc*>(frame->GetActiveDocument());
    ASSERT_TRUE(doc->LoadMapFileFrom(PELLIN_EXAMPLES "/sample.Map"));
    const auto spoken = [&](const char* what) {
        QStringList names;
        Walk(QAccessible::queryAccessibleInterface(frame), [&](QAccessibleInterface* node) {
            if (node->text(QAccessible::Description) == QString::fromUtf8(what)) names << node->text(QAccessible::Name);
        });
        EXPECT_EQ(names.size(), 1) << what;
        return names.value(0);
    };
    CMapView* view = frame->m_pMapView;
    const auto hover = [&](int col, int row) {
        const CRect cell = view->Viewport().ClientRectOfCell(CPoint(col, row));
        const QPoint at(cell.left + 1, cell.top + 1);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(view->viewport()->mapToGlobal(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
    };
    struct Step {
        UINT zoom;
        int col, row;
        const char* zoomShown;
    };
    for (const Step& step : {Step{ID_VIEW_ZOOM_ACTUAL, 2, 1, "100%"}, Step{ID_VIEW_ZOOM_IN, 1, 3, "200%"},
                             Step{ID_VIEW_ZOOM_IN, 0, 0, "400%"}, Step{ID_VIEW_ZOOM_ACTUAL, 3, 2, "100%"}}) {
        frame->SendCommand(step.zoom);
        hover(step.col, step.row);
        QApplication::processEvents();
        const QString where = QStringLiteral("%1, %2  타일 %3  속성 %4")
                                  .arg(step.col)
                                  .arg(step.row)
                                  .arg(*doc->Cells().Tile(step.col, step.row))
                                  .arg(*doc->Cells().Attr(step.col, step.row));
        EXPECT_EQ(spoken("커서 위치"), where);
        EXPECT_EQ(spoken("확대 비율"), QString::fromUtf8(step.zoomShown));
    }
    // The status bar's message too (the command prompts, the last step).
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&frame->m_wndStatusBar);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(frame->m_wndStatusBar.currentMessage().isEmpty());
    EXPECT_EQ(bar->text(QAccessible::Name), frame->m_wndStatusBar.currentMessage());
}
}  // namespace
