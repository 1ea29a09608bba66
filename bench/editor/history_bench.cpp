// A jump of 200 steps through the history in the whole editor made in this
// process (the history list's click: CZellDoc::JumpToHistoryStep), on a
// 4,096 x 4,096-cell map whose 200 steps are 8 x 8 fills spread over the
// map, from the jump to the map pane's and the overview's updated surfaces,
// against the same 200 steps undone one at a time (each step telling the
// panes, as Ctrl+Z does). The target is absolute: at most 0.5 s.
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <QApplication>
#include <utility>

#include "afxmsg.h"
#include "docbackstage.h"
#include "doctemplate.h"
#include "mainfrm.h"
#include "maphint.h"
#include "mapview.h"
#include "smallmapview.h"
#include "zellapp.h"
#include "zelldoc.h"

namespace {

constexpr int kSteps = 200;

void ShowPanes(CMainFrame* frame)
{
    frame->m_pMapView->UpdateWindow();
    frame->m_pSmallMapView->UpdateWindow();
}

void BM_HistoryJump200(benchmark::State& state)
{
    std::string problem;
    const AfxMessageSink previousSink = AfxSetMessageSink([&](const std::string& text, unsigned) {
        problem = "the editor said: " + text;
        return IDOK;
    });
    CMainFrame* frame = theApp.InitInstance() ? qobject_cast<CMainFrame*>(AfxGetMainWnd()) : nullptr;
    CZellDoc* doc = frame ? static_cast<CZellDoc*>(theApp.DocTemplate()->Document()) : nullptr;
    if (!doc) {
        state.SkipWithError("the editor did not start");
        return;
    }
    CMapModel map = RandomMap(4096, 4096, 32, 1000, 201);
    std::swap(BackstageMap(*doc), map);
    doc->UpdateAllViews(nullptr, HINT_NEW_MAP | HINT_TILE_IMAGES);
    frame->m_pMapView->ScrollToDevicePosition(CPoint(61237, 70411));
    doc->SetSelection({2, 2, {11, 12, 21, 22}}, nullptr);
    RandomBits random(202);
    for (int i = 0; i < kSteps; ++i) {
        const int col = random.Below(4096 - 8), row = random.Below(4096 - 8);
        doc->FillWithBrush(CRect(col, row, col + 8, row + 8));
    }
    ShowPanes(frame);
    QApplication::processEvents();

    PairedTimes times;
    // Each round goes from the end of the history to its start twice: step
    // by step, then in one jump; back to the end untimed after each.
    const auto backToTheEnd = [&] {
        doc->JumpToHistoryStep(kSteps);
        ShowPanes(frame);
        QApplication::processEvents();
    };
    for (auto _ : state) {
        times.baseline.push_back(SecondsOf([&] {
            for (int i = 0; i < kSteps; ++i) doc->UndoStack().undo();
            ShowPanes(frame);
        }));
        backToTheEnd();
        times.subject.push_back(SecondsOf([&] {
            doc->JumpToHistoryStep(0);
            ShowPanes(frame);
        }));
        backToTheEnd();
        state.SetIterationTime(times.subject.back());
    }
    if (problem.empty() && doc->UndoStack().index() != kSteps) problem = "the history did not come back";
    theApp.DestroyMainWindow();
    QApplication::processEvents();
    AfxSetMessageSink(previousSink);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RecordFigure(state, {"History jump of 200 steps (8x8 fills over a 4096x4096-cell map), to the updated panes",
                         times.SubjectMs(), times.BaselineMs(), "ms", "the same 200 steps undone one at a time",
                         Limit::AtMost, 500, "median"});
}
BENCHMARK(BM_HistoryJump200)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
