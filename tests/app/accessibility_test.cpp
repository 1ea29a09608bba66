// Assistive technology finds every pane and toolbar button by name: the
// accessibility tree Qt serves to the desktop is walked here directly.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "mainfrm.h"
#include "zellapp.h"
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
}  // namespace
