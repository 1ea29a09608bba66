// Start-up of the whole editor: the window, its panes and pointers, the
// control bars, the caption, the settings key, and the failure path.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <string>
#include <vector>

#include "bmpview.h"
#include "afxmsg.h"
#include "doctemplate.h"
#include "mainfrm.h"
#include "mapview.h"
#include "resource.h"
#include "resources.h"
#include "smallmapview.h"
#include "tileview.h"
#include "zellapp.h"
#include "zelldoc.h"

namespace {
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousSink = AfxSetMessageSink([this](const std::string& text, unsigned) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        theApp.DestroyMainWindow();
        AfxSetMessageSink(previousSink);
    }
    CMainFrame* Frame() const { return qobject_cast<CMainFrame*>(theApp.m_pMainWnd); }

    AfxMessageSink previousSink;
    std::vector<std::string> messages;
};

TEST_F(StartupTest, OpensOneScreenSizedWindowCalledZell)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Zell"));
    // The whole window, frame included, is the screen.
    EXPECT_EQ(frame->frameGeometry(), screen);
    EXPECT_TRUE(messages.empty());
}

TEST_F(StartupTest, PanePointersNameTheFourViewsAndTheMapIsActive)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_pMapView, frame->m_wndSplitterTop.GetPane(0, 0));
    EXPECT_EQ(frame->m_pSmallMapView, frame->m_wndSplitterTop.GetPane(0, 1));
    EXPECT_EQ(frame->m_pTileView, frame->m_wndSplitterBottom.GetPane(0, 0));
    EXPECT_EQ(frame->m_pBmpView, frame->m_wndSplitterBottom.GetPane(0, 1));
    EXPECT_EQ(frame->GetActiveView(), frame->m_pMapView);
    EXPECT_EQ(frame->m_pMapView->accessibleName(), QStringLiteral("맵"));
    EXPECT_EQ(frame->m_pSmallMapView->accessibleName(), QStringLiteral("전체 맵"));
    EXPECT_EQ(frame->m_pTileView->accessibleName(), QStringLiteral("타일 팔레트"));
    EXPECT_EQ(frame->m_pBmpView->accessibleName(), QStringLiteral("원본 비트맵"));
    // Commands reach the document before any pane was clicked.
    auto* doc = static_cast<CZellDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->MapWidth(), 20);
    EXPECT_TRUE(frame->IsCommandEnabled(ID_TEXT_COLOR));
}

struct WidthCase {
    int clientWidth;
    int mapIdeal;
    int paletteIdeal;
};

class PaneWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(PaneWidths, IdealWidthsTruncateBeforeTheyMultiply)
{
    EXPECT_EQ(CMainFrame::MapPaneIdealWidth(GetParam().clientWidth), GetParam().mapIdeal);
    EXPECT_EQ(CMainFrame::PalettePaneIdealWidth(GetParam().clientWidth), GetParam().paletteIdeal);
}

INSTANTIATE_TEST_SUITE_P(Widths, PaneWidths,
                         ::testing::Values(WidthCase{1000, 750, 360}, WidthCase{1001, 750, 361},
                                           WidthCase{1280, 960, 640}));

TEST_F(StartupTest, PanesStartAtTheirIdealSizes)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    // The panes are made before the frame is fitted inside the screen.
    const int w = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(frame->m_wndSplitter.sizes().at(0), CMainFrame::kTopRowIdealHeight);
    EXPECT_EQ(frame->m_wndSplitterTop.sizes().at(0), CMainFrame::MapPaneIdealWidth(w));
    EXPECT_EQ(frame->m_wndSplitterBottom.sizes().at(0), CMainFrame::PalettePaneIdealWidth(w));
}

TEST_F(StartupTest, ToolbarHoldsFifteenButtonsAndFiveSeparators)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    const std::vector<UINT> expected = {ID_FILE_NEW,
                                        ID_FILE_OPEN,
                                        ID_FILE_SAVE,
                                        0,
                                        ID_OPEN_BITMAP,
                                        ID_BITMAP_ALLTILES,
                                        0,
                                        ID_TILE_ARRANGE,
                                        ID_TILE_SETATTR,
                                        ID_SHOW_PALETTEATTR,
                                        0,
                                        ID_TILE_ERASEALL,
                                        ID_TILE_ERASESEL,
                                        0,
                                        ID_SHOW_TILENUMBERS,
                                        ID_SHOW_TILEATTR,
                                        ID_SHOW_MAPATTR,
                                        ID_TILE_FILLALL,
                                        0,
                                        ID_TEXT_COLOR};
    EXPECT_EQ(frame->m_wndToolBar.Buttons(), expected);
    for (UINT id : expected) {
        if (id == 0) continue;
        QToolButton* button = frame->m_wndToolBar.GetButton(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_FALSE(button->accessibleName().isEmpty()) << id;
        const QString tooltip = QString::fromUtf8(AfxCommandTooltip(id));
        EXPECT_EQ(button->defaultAction()->toolTip(), tooltip) << id;
        EXPECT_EQ(button->defaultAction()->statusTip(), QString::fromUtf8(AfxCommandPrompt(id))) << id;
    }
    QToolButton* setAttr = frame->m_wndToolBar.GetButton(ID_TILE_SETATTR);
    EXPECT_EQ(setAttr->accessibleName(), QStringLiteral("타일 속성 지정"));
    EXPECT_TRUE(setAttr->toolTip().isEmpty());
    EXPECT_TRUE(setAttr->defaultAction()->statusTip().isEmpty());
}

TEST_F(StartupTest, StatusBarSaysReadyAndShowsTheIndicators)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_wndStatusBar.currentMessage(), QStringLiteral("준비"));
    EXPECT_EQ(frame->m_wndStatusBar.Indicator(ID_INDICATOR_CAPS)->text(), QStringLiteral("CAP"));
    EXPECT_EQ(frame->m_wndStatusBar.Indicator(ID_INDICATOR_NUM)->text(), QStringLiteral("NUM"));
    EXPECT_EQ(frame->m_wndStatusBar.Indicator(ID_INDICATOR_SCRL)->text(), QStringLiteral("SCRL"));
}

TEST_F(StartupTest, ViewMenuTogglesTheBarsAndTicksThem)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        EXPECT_EQ(frame->CommandCheck(id), 1) << id;
        frame->SendCommand(id);
        EXPECT_TRUE(frame->ControlBar(id)->isHidden()) << id;
        EXPECT_EQ(frame->CommandCheck(id), 0) << id;
        frame->SendCommand(id);
        EXPECT_FALSE(frame->ControlBar(id)->isHidden()) << id;
    }
}

TEST_F(StartupTest, MenusCarryTheirKoreanTexts)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    QStringList titles;
    for (QAction* action : frame->menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{"파일(&F)", "편집(&E)", "보기(&V)", "도구(&T)", "도움말(&H)"}));
    EXPECT_EQ(frame->CommandAction(ID_FILE_NEW)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(frame->CommandAction(ID_NEXT_PANE)->shortcut(), QKeySequence(Qt::Key_F6));
}

TEST_F(StartupTest, NextPaneMovesWithinTheSameSplitter)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    frame->SendCommand(ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->m_pSmallMapView);
    frame->SendCommand(ID_PREV_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->m_pMapView);
    frame->SetActiveView(frame->m_pTileView);
    frame->SendCommand(ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->m_pBmpView);
}

TEST_F(StartupTest, RecentFileListLivesUnderTheSettingsKey)
{
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(theApp.Settings(), nullptr);
    EXPECT_EQ(theApp.Settings()->organizationName(), QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(theApp.Settings()->applicationName(), QStringLiteral("Pellin Map Tool"));
    for (int i = 0; i < 6; ++i) theApp.AddToRecentFileList("/tmp/map" + std::to_string(i) + ".Map");
    ASSERT_EQ(theApp.RecentFileList().size(), 4u);
    EXPECT_EQ(theApp.RecentFileList().front(), "/tmp/map5.Map");
    theApp.SaveStdProfileSettings();
    EXPECT_EQ(theApp.Settings()->value("Recent File List/File1").toString(), QStringLiteral("/tmp/map5.Map"));
    EXPECT_EQ(theApp.Settings()->value("Recent File List/File4").toString(), QStringLiteral("/tmp/map2.Map"));
    theApp.Settings()->remove("Recent File List");
}

TEST_F(StartupTest, AFrameThatCannotBeBuiltEndsStartUpWithTheMessage)
{
    const std::string caps = AfxLoadString(ID_INDICATOR_CAPS);
    RegisterProgramResources();
    AfxRegisterString(ID_INDICATOR_CAPS, "");  // the status bar's indicators cannot be set
    auto failingStart = [] {
        // InitInstance registers the resources again; take the indicator out after that.
        CCommandLineInfo info;
        theApp.AddDocTemplate(new CSingleDocTemplate(
            IDR_MAINFRAME, [] { return new CZellDoc; }, [] { return new CMainFrame; }));
        return theApp.ProcessShellCommand(info);
    };
    EXPECT_FALSE(failingStart());
    AfxRegisterString(ID_INDICATOR_CAPS, caps);
    EXPECT_EQ(messages, std::vector<std::string>{"빈 문서 작성 실패."});
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}
}  // namespace
