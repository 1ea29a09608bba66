// Painting on a 4,096 x 4,096-cell map of 32-pixel tiles in a real map
// pane (offscreen) with its document:
// - a pencil stroke of 1,000 pointer samples across the whole map (the pane
//   zoomed to fit it), each sample from the simulated pointer move to the
//   pane's repainted surface, against the same moves with no button held;
//   and what the stroke's undo step keeps against the chunks it touched;
// - the same stroke on the attribute layer with 자동 규칙 on, the rules
//   rewriting the tiles around every sample;
// - a 1,024 x 1,024 band painted with a 2 x 2 brush in random mode against
//   the same band painted plainly, each to the repainted pane.
#include "autoruleengine.h"
#include "benchrules.h"
#include "docbackstage.h"
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <set>

#include "dialogprompts.h"
#include "mainfrm.h"
#include "mainwidget.h"
#include "maphint.h"
#include "mapview.h"
#include "undocommands.h"
#include "zelldoc.h"

namespace {

constexpr int kSide = 4096;
constexpr int kTileSize = 32;

// A document shown in a map pane of 1,280 x 960 pixels.
struct PaneWithMap {
    PaneWithMap()
    {
        AfxSetMainWidget(&frame);
        doc.SetPrompts(&prompts);
        view.AttachDocument(&doc);
        BackstageMap(doc) = RandomMap(kSide, kSide, kTileSize, 1000, 71);
        view.resize(1280, 960);
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
        view.OnCreate();
        view.OnInitialUpdate();
        doc.UpdateAllViews(nullptr, HINT_NEW_MAP | HINT_TILE_IMAGES);
        view.UpdateWindow();
    }
    ~PaneWithMap() { AfxSetMainWidget(nullptr); }

    CDialogPrompts prompts;
    CZellDoc doc;
    CMainFrame frame;
    CMapView view;
};

// A wavy path of 1,000 pointer samples from corner to corner of shown, as
// a fast hand draws.
std::vector<QPoint> WavyPath(const CRect& shown)
{
    std::vector<QPoint> path;
    for (int i = 0; i < 1000; ++i) {
        const double t = i / 999.0;
        const double x = shown.left + 2 + t * (std::min(shown.right, 1279) - shown.left - 4);
        const double y =
            shown.top + 2 + (0.5 + 0.45 * std::sin(t * 12)) * (std::min(shown.bottom, 959) - shown.top - 4);
        path.emplace_back(int(x), int(y));
    }
    return path;
}

// Moves the pointer along path without a button (the baseline), then draws
// it as one stroke, timing each sample to the repainted pane; returns the
// stroke's time.
double TimeStroke(CMapView& view, const std::vector<QPoint>& path, PairedTimes& times)
{
    QWidget* window = view.viewport();
    for (const QPoint& p : path)
        times.baseline.push_back(SecondsOf([&] {
            QTest::mouseMove(window, p);
            view.UpdateWindow();
        }));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, path.front());
    double stroke = 0;
    for (const QPoint& p : path) {
        times.subject.push_back(SecondsOf([&] {
            QTest::mouseMove(window, p);
            view.UpdateWindow();
        }));
        stroke += times.subject.back();
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, path.back());
    return stroke;
}

void BM_PencilStroke(benchmark::State& state)
{
    PaneWithMap pane;
    CMapView& view = pane.view;
    view.ZoomToFit();
    view.UpdateWindow();
    pane.doc.SetSelection(CTileBlock{1, 1, {5}}, nullptr);
    view.SetTool(MapTool::Pencil);
    // A wavy path from corner to corner of the map, as a fast hand draws.
    const CRect shown = view.Viewport().ClientRectOfCells(CRect(0, 0, kSide, kSide));
    const std::vector<QPoint> path = WavyPath(shown);
    PairedTimes times;
    for (auto _ : state) {
        pane.doc.UndoStack().clear();
        state.SetIterationTime(TimeStroke(view, path, times));
        // The next round paints over the map as it was.
        if (state.iterations() + 1 < state.max_iterations) pane.doc.UndoStack().undo();
    }
    const auto* step = dynamic_cast<const CCellsCommand*>(pane.doc.UndoStack().command(0));
    if (!step || pane.doc.UndoStack().count() != 1) {
        state.SkipWithError("the stroke did not make one undo step");
        return;
    }
    // The chunks the stroke touched, found from the cells it painted.
    const int chunkRows = int(step->Changes().front().cells / std::size_t(kChunkColumns));
    std::vector<short> before;
    pane.doc.UndoStack().undo();
    for (int row = 0; row < kSide; ++row)
        for (int col = 0; col < kSide; ++col) before.push_back(*pane.doc.Cells().Tile(col, row));
    pane.doc.UndoStack().redo();
    std::set<std::pair<int, int>> touched;
    for (int row = 0; row < kSide; ++row)
        for (int col = 0; col < kSide; ++col)
            if (*pane.doc.Cells().Tile(col, row) != before[std::size_t(row) * kSide + std::size_t(col)])
                touched.insert({col / kChunkColumns, row / chunkRows});
    RecordFigure(state, {"Pencil stroke of 1,000 samples across a 4096x4096-cell map: one sample to the repainted pane",
                         times.SubjectMs(), times.BaselineMs(), "ms", "the same pointer move with no button held",
                         Limit::AtMost, 2, "median"});
    RecordFigure(state,
                 {"That stroke's undo step: chunks kept (before and after)", 2.0 * double(step->Changes().size()),
                  double(touched.size()), "chunks", "chunks the stroke touched", Limit::RatioAtMost, 2.0, ""});
}
BENCHMARK(BM_PencilStroke)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PencilStrokeAutoRules(benchmark::State& state)
{
    PaneWithMap pane;
    CMapView& view = pane.view;
    CZellDoc& doc = pane.doc;
    // The 40 rules on a floor of 0, the tiles following them to begin with.
    std::vector<TileFingerprint> fingerprints;
    for (int n = 0; n <= 40; ++n) fingerprints.push_back(FingerprintOf(*doc.Tiles().GetAt(n)));
    const RuleSet set = BenchRuleSet(fingerprints);
    const CRect whole(0, 0, kSide, kSide);
    ApplyRules(BackstageMap(doc).m_cells, CompiledRules(set, TileFinder(doc.Tiles())), whole);
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    doc.SetRules(set);
    doc.SetActiveLayer(CellLayer::Attributes);
    doc.SetCurrentAttrValue(1);
    doc.SetAutoRules(true);
    view.ZoomToFit();
    view.UpdateWindow();
    view.SetTool(MapTool::Pencil);
    // A wall drawn from corner to corner, as in BM_PencilStroke.
    const CRect shown = view.Viewport().ClientRectOfCells(whole);
    const std::vector<QPoint> path = WavyPath(shown);
    PairedTimes times;
    const int steps = doc.UndoStack().count();
    for (auto _ : state) {
        state.SetIterationTime(TimeStroke(view, path, times));
        if (doc.UndoStack().count() != steps + 1 || CheckRules(doc.Cells(), doc.CompiledRuleSet(), whole).count != 0) {
            state.SkipWithError("the stroke left cells the rules would change");
            return;
        }
        doc.UndoStack().undo();
    }
    RecordFigure(state, {"Pencil stroke of 1,000 samples on the attributes with 자동 규칙 and the 40 rules: one sample "
                         "to the repainted pane",
                         times.SubjectMs(), times.BaselineMs(), "ms", "the same pointer move with no button held",
                         Limit::AtMost, 3, "median"});
}
BENCHMARK(BM_PencilStrokeAutoRules)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RandomBand1024(benchmark::State& state)
{
    PaneWithMap pane;
    pane.view.ScrollToDevicePosition(CPoint(1000 * kTileSize, 1000 * kTileSize));
    pane.view.UpdateWindow();
    pane.doc.SetSelection(CTileBlock{2, 2, {11, 12, 21, 22}}, nullptr);
    const CRect band(1000, 1000, 2024, 2024);
    const auto paint = [&](bool random) {
        pane.doc.PaintBrush().SetRandomMode(random);
        return SecondsOf([&] {
            pane.doc.FillWithBrush(band);
            pane.view.UpdateWindow();
        });
    };
    PairedTimes times;
    for (auto _ : state) {
        times.baseline.push_back(paint(false));
        pane.doc.UndoStack().undo();
        times.subject.push_back(paint(true));
        pane.doc.UndoStack().undo();
        state.SetIterationTime(times.subject.back());
    }
    RecordFigure(state, {"Random paint of a 1024x1024 band (2x2 brush), to the repainted pane", times.SubjectMs(),
                         times.BaselineMs(), "ms", "the same band painted plainly", Limit::RatioAtMost, 3.0, "median"});
}
BENCHMARK(BM_RandomBand1024)->UseManualTime()->Iterations(11)->Unit(benchmark::kMillisecond);

}  // namespace
