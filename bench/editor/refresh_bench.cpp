// Refreshing a 1920 x 1080 map pane: CMapView::RefreshScreen composes the
// visible cells of the document's map into the pane's screen surface, and
// the window is then repainted from it, as the event loop would. Without an
// overlay against one copy of the pane's area, on a 256 x 256-cell map and
// at several places of a 4,096 x 4,096-cell map; with the tile numbers of
// 16-pixel cells (8,160 of them) against a frame at 60 Hz; with the
// attribute colour display on a large map whose cells nearly all hold one
// of 1,000 values.
#include "figures.h"
#include "docbackstage.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <numeric>

#include "afxmsg.h"
#include "maphint.h"
#include "mapview.h"
#include "zelldoc.h"

namespace {

constexpr int kPaneWidth = 1920;
constexpr int kPaneHeight = 1080;
constexpr int kTileSize = 16;
constexpr int kMapSide = 256;  // cells: a 4096 x 4096 map image
constexpr int kLargeMapSide = 4096;
constexpr int kTileCount = 1000;

// A map view on its own, as the frame would hold it, showing random cells
// from the middle of the map.
class RefreshFixture {
public:
    explicit RefreshFixture(int mapSide = kMapSide)
    {
        m_previousSink = AfxSetMessageSink([this](const std::string& text, unsigned) {
            m_messages.push_back(text);
            return IDOK;
        });
        BackstageMap(m_doc) = RandomMap(mapSide, mapSide, kTileSize, kTileCount, 61);
        m_view.AttachDocument(&m_doc);
        m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view.resize(kPaneWidth, kPaneHeight);
        m_view.show();
        QApplication::processEvents();
        m_view.OnCreate();
        m_view.OnInitialUpdate();
        m_view.ScrollToDevicePosition(CPoint(40 * kTileSize, 40 * kTileSize));
        m_view.UpdateWindow();
        QApplication::processEvents();
    }
    ~RefreshFixture() { AfxSetMessageSink(m_previousSink); }

    // Empty when the view is ready to be measured.
    std::string Problem() const
    {
        if (!m_messages.empty()) return "the view said: " + m_messages.front();
        const CRect client = m_view.GetClientRect();
        if (client.Width() != kPaneWidth || client.Height() != kPaneHeight) return "the pane is not 1920 x 1080";
        if (!m_doc.Cells().IsComplete()) return "the map has no cells";
        return {};
    }

    void ShowTileNumbers(bool on) { m_doc.SetShowTileNumbers(on); }
    void ShowAttrColours(int valueCount)
    {
        AddRandomAttributes(BackstageMap(m_doc).m_cells, valueCount, 63);
        m_doc.SetShowAttrColours(true);
    }

    // Scrolls there and lets the pane settle, as after a person's scroll.
    void ScrollTo(CPoint position)
    {
        m_view.ScrollToDevicePosition(position);
        m_view.UpdateWindow();
        QApplication::processEvents();
    }

    CMapView& View() { return m_view; }
    CZellDoc& Document() { return m_doc; }

    void Refresh()
    {
        m_view.RefreshScreen();
        m_view.viewport()->repaint();
    }

private:
    AfxMessageSink m_previousSink;
    std::vector<std::string> m_messages;
    CZellDoc m_doc;
    CMapView m_view;
};

void TimeRefreshes(benchmark::State& state, bool tileNumbers)
{
    RefreshFixture fixture;
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    fixture.ShowTileNumbers(tileNumbers);
    fixture.Refresh();  // the overlay's labels are made once, on first use

    const std::size_t bytes = std::size_t(kPaneWidth) * kPaneHeight * sizeof(std::uint32_t);
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    PairedTimes times;
    for (auto _ : state)
        times.Round(
            state, [&] { std::memcpy(to.data(), from.data(), bytes); }, [&] { fixture.Refresh(); });

    if (tileNumbers)
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, tile numbers on 16 px cells", times.SubjectMs(),
                             times.BaselineMs(), "ms", "one copy of the pane's area", Limit::Below, 16, "median"});
    else
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, no overlay", times.SubjectMs(), times.BaselineMs(), "ms",
                             "one copy of the pane's area", Limit::RatioAtMost, 3, ""});
}

void BM_RefreshNoOverlay(benchmark::State& state) { TimeRefreshes(state, false); }
BENCHMARK(BM_RefreshNoOverlay)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

void BM_RefreshTileNumbers(benchmark::State& state) { TimeRefreshes(state, true); }
BENCHMARK(BM_RefreshTileNumbers)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

// The pane at random places of the large map, none on a cell's edge, in
// turn; with the attribute colour display when the argument is 1.
void BM_RefreshLargeMap(benchmark::State& state)
{
    const bool attrColours = state.range(0) != 0;
    RefreshFixture fixture(kLargeMapSide);
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    if (attrColours) fixture.ShowAttrColours(1000);
    const int mapPixels = kLargeMapSide * kTileSize;
    RandomBits random(62);
    std::vector<CPoint> places;
    for (int i = 0; i < 7; ++i) {
        const auto offCellEdge = [&](int limit) {
            return random.Below(limit / kTileSize) * kTileSize + 1 + random.Below(kTileSize - 1);
        };
        places.emplace_back(offCellEdge(mapPixels - kPaneWidth), offCellEdge(mapPixels - kPaneHeight));
    }
    for (const CPoint& place : places) {  // each tile's screen form is made on its first use
        fixture.ScrollTo(place);
        fixture.Refresh();
    }

    const std::size_t bytes = std::size_t(kPaneWidth) * kPaneHeight * sizeof(std::uint32_t);
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    PairedTimes times;
    std::size_t round = 0;
    for (auto _ : state) {
        fixture.ScrollTo(places[round++ % places.size()]);
        times.Round(
            state, [&] { std::memcpy(to.data(), from.data(), bytes); }, [&] { fixture.Refresh(); });
    }
    if (attrColours)
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, 4096x4096-cell map, 7 places, attribute colours on",
                             times.SubjectMs(), times.BaselineMs(), "ms", "one copy of the pane's area",
                             Limit::RatioAtMost, 4, "1,000 values, nearly every cell nonzero"});
    else
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, 4096x4096-cell map, 7 places", times.SubjectMs(),
                             times.BaselineMs(), "ms", "one copy of the pane's area", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_RefreshLargeMap)->Arg(0)->Arg(1)->UseManualTime()->Iterations(105)->Unit(benchmark::kMillisecond);

// The pane on the large map at each zoom step (the argument is the step's
// index), somewhere in the middle; at the smallest steps the whole map is
// in the pane.
void BM_RefreshZoomed(benchmark::State& state)
{
    RefreshFixture fixture(kLargeMapSide);
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const MapZoom zoom = ZoomSteps()[std::size_t(state.range(0))];
    fixture.View().SetZoom(zoom, CPoint(0, 0));
    const MapViewport viewport = fixture.View().Viewport();
    fixture.ScrollTo(CPoint(int(std::max<std::int64_t>(0, viewport.ZoomedWidth() / 2 - kPaneWidth / 2)),
                            int(std::max<std::int64_t>(0, viewport.ZoomedHeight() / 2 - kPaneHeight / 2))));
    fixture.Refresh();

    const std::size_t bytes = std::size_t(kPaneWidth) * kPaneHeight * sizeof(std::uint32_t);
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    PairedTimes times;
    for (auto _ : state)
        times.Round(
            state, [&] { std::memcpy(to.data(), from.data(), bytes); }, [&] { fixture.Refresh(); });
    RecordFigure(state, {"Refresh of a 1920x1080 map pane, 4096x4096-cell map at " + ZoomText(zoom), times.SubjectMs(),
                         times.BaselineMs(), "ms", "one copy of the pane's area", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_RefreshZoomed)
    ->DenseRange(0, int(ZoomSteps().size()) - 1)
    ->UseManualTime()
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);

// One Ctrl+wheel notch at a point of the pane, to the repainted pane.
void CtrlWheelNotch(QWidget* window, QPoint at, int notch)
{
    QWheelEvent wheel(QPointF(at), QPointF(window->mapToGlobal(at)), QPoint(), QPoint(0, notch), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &wheel);
    window->repaint();
}

// One Ctrl+wheel notch on the large map, to the repainted pane, in and out
// in turn through the middle steps, from right after the map arrived; the
// events between notches are handled untimed.
void BM_WheelZoomStep(benchmark::State& state)
{
    RefreshFixture fixture(kLargeMapSide);
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    QWidget* window = fixture.View().viewport();
    const QPoint at(kPaneWidth / 3, kPaneHeight / 2);
    std::vector<double> times;
    int notch = 120;
    // As after a load: the far zooms are prepared elsewhere meanwhile.
    fixture.Document().UpdateAllViews(nullptr, HINT_NEW_MAP);
    fixture.View().UpdateWindow();
    for (auto _ : state) {
        QApplication::processEvents();
        const MapZoom zoom = fixture.View().Zoom();
        if (zoom == ZoomSteps().back()) notch = -120;
        if (zoom == ZoomSteps().front()) notch = 120;
        const auto start = std::chrono::steady_clock::now();
        CtrlWheelNotch(window, at, notch);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
    }
    std::sort(times.begin(), times.end());
    const double worst = times.empty() ? 0 : times.back();
    const double mean = times.empty() ? 0 : std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    RecordFigure(state, {"Ctrl+wheel zoom step to the repainted 1920x1080 pane, 4096x4096-cell map (slowest)", worst, 0,
                         "ms", "", Limit::AtMost, 16, "slowest"});
    RecordFigure(state, {"Ctrl+wheel zoom step to the repainted 1920x1080 pane, 4096x4096-cell map (mean)", mean, 0,
                         "ms", "", Limit::AtMost, 16, "mean"});
}
BENCHMARK(BM_WheelZoomStep)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

// Right after a map arrives: the posted start of the far zooms' preparation
// (on the interface thread), then Ctrl+wheel notches out from 1/16 to
// 1/512 at once, while the blocks are still being made elsewhere.
void BM_FirstFarZoomSteps(benchmark::State& state)
{
    RefreshFixture fixture(kLargeMapSide);
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    QWidget* window = fixture.View().viewport();
    const QPoint at(kPaneWidth / 3, kPaneHeight / 2);
    std::vector<double> starts;
    std::vector<double> steps;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point from) {
        return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
    };
    for (auto _ : state) {
        fixture.Document().UpdateAllViews(nullptr, HINT_NEW_MAP);
        fixture.View().SetZoom(MapZoom{-4}, CPoint(0, 0));
        window->repaint();
        auto start = Clock::now();
        QApplication::processEvents();
        starts.push_back(ms(start));
        double worst = 0;
        for (int notch = 0; notch < 5; ++notch) {
            start = Clock::now();
            CtrlWheelNotch(window, at, -120);
            worst = std::max(worst, ms(start));
        }
        steps.push_back(worst);
        state.SetIterationTime(worst / 1000);
    }
    std::sort(starts.begin(), starts.end());
    std::sort(steps.begin(), steps.end());
    RecordFigure(state, {"Start of the far zooms' preparation after a new 4096x4096-cell map (median)",
                         starts[starts.size() / 2], 0, "ms", "", Limit::AtMost, 16, "median"});
    RecordFigure(state, {"First Ctrl+wheel steps 1/16 to 1/512 right after a new 4096x4096-cell map (slowest)",
                         steps.back(), 0, "ms", "", Limit::AtMost, 16, "slowest"});
}
BENCHMARK(BM_FirstFarZoomSteps)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace
