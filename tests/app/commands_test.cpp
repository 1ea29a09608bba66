// Every command of the main frame, sent the way a menu item, button or key
// sends it, on an empty map and on a map with tiles, a brush and a
// selection: none may crash or leave the window unusable. In the sanitizer
// builds this is where code compiled wrongly there shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include "afxmsg.h"
#include "mainfrm.h"
#include "mapview.h"
#include "resource.h"
#include "zellapp.h"
#include "zelldoc.h"

namespace {

// Dismisses every modal window and pop-up menu as soon as it shows, as a
// person pressing Esc would.
class Dismisser : public QObject {
public:
    Dismisser() { qApp->installEventFilter(this); }
    ~Dismisser() override { qApp->removeEventFilter(this); }
    int dismissed = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || !(widget->isModal() || qobject_cast<QMenu*>(widget))) return false;
        QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(widget)] {
            if (!window) return;
            ++dismissed;
            if (auto* dialog = qobject_cast<QDialog*>(window.data()))
                dialog->reject();
            else
                window->close();
        });
        return false;
    }
};

class CommandsTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        previous = AfxSetMessageSink([](const std::string&, unsigned) { return IDNO; });
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

TEST_P(CommandsTest, EveryCommandRunsThroughTheRoute)
{
    auto* doc = static_cast<CZellDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    if (GetParam()) {
        // The example map, a brush and a selection, so that the edit commands act.
        ASSERT_TRUE(doc->LoadMapFileFrom(PELLIN_EXAMPLES "/sample.Map"));
        doc->SetSelection(CTileBlock{2, 1, {0, 1}}, nullptr);
        doc->SetMapSelection(CRect(1, 1, 4, 3));
    }
    const std::vector<UINT> ids = frame->CommandIds();
    ASSERT_GT(ids.size(), 30u);
    Dismisser dismisser;
    for (int round = 0; round < 2; ++round) {
        for (UINT id : ids) {
            if (id == ID_APP_EXIT) continue;
            SCOPED_TRACE(testing::Message() << "command " << id);
            frame->UpdateAllCommandUI();
            if (QAction* action = frame->CommandAction(id); action && action->isEnabled()) action->trigger();
            QApplication::processEvents();
            ASSERT_EQ(theApp.m_pMainWnd, frame);
        }
    }
    // The zoom commands reach the map pane.
    frame->SendCommand(ID_VIEW_ZOOM_ACTUAL);
    frame->SendCommand(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(frame->m_pMapView->Zoom(), MapZoom{1});
    frame->SendCommand(ID_VIEW_ZOOM_OUT);
    frame->SendCommand(ID_VIEW_ZOOM_OUT);
    EXPECT_EQ(frame->m_pMapView->Zoom(), MapZoom{-1});
}

INSTANTIATE_TEST_SUITE_P(EmptyAndFilled, CommandsTest, testing::Bool());

}  // namespace
