// Refreshing a 1920 x 1080 map pane: CMapView::RefreshScreen composes the
// visible cells of the document's map into the pane's screen surface, and
// the window is then repainted from it, as the event loop would. Without an
// overlay against one copy of the pane's area, on a 256 x 256-cell map and
// at several places of a 4,096 x 4,096-cell map; with the tile numbers of
// 16-pixel cells (8,160 of them) against a frame at 60 Hz.
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <QApplication>
#include <QScrollBar>
#include <cstring>
#include <memory>

#include "afxmsg.h"
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
        m_doc.m_map = RandomMap(mapSide, mapSide, kTileSize, kTileCount, 61);
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

    void ShowTileNumbers(bool on) { m_doc.m_bShowTileNumbers = on ? TRUE : FALSE; }

    // Scrolls there and lets the pane settle, as after a person's scroll.
    void ScrollTo(CPoint position)
    {
        m_view.ScrollToDevicePosition(position);
        m_view.UpdateWindow();
        QApplication::processEvents();
    }

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
        times.Round(state, [&] { std::memcpy(to.data(), from.data(), bytes); }, [&] { fixture.Refresh(); });

    if (tileNumbers)
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, tile numbers on 16 px cells", times.SubjectMs(),
                             times.BaselineMs(), "ms", "one copy of the pane's area", Limit::Below, 16, "median"});
    else
        RecordFigure(state, {"Refresh of a 1920x1080 map pane, no overlay", times.SubjectMs(), times.BaselineMs(),
                             "ms", "one copy of the pane's area", Limit::RatioAtMost, 3, ""});
}

void BM_RefreshNoOverlay(benchmark::State& state) { TimeRefreshes(state, false); }
BENCHMARK(BM_RefreshNoOverlay)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

void BM_RefreshTileNumbers(benchmark::State& state) { TimeRefreshes(state, true); }
BENCHMARK(BM_RefreshTileNumbers)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

// The pane at random places of the large map, none on a cell's edge, in turn.
void BM_RefreshLargeMap(benchmark::State& state)
{
    RefreshFixture fixture(kLargeMapSide);
    if (const std::string problem = fixture.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
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
        times.Round(state, [&] { std::memcpy(to.data(), from.data(), bytes); }, [&] { fixture.Refresh(); });
    }
    RecordFigure(state, {"Refresh of a 1920x1080 map pane, 4096x4096-cell map, 7 places", times.SubjectMs(),
                         times.BaselineMs(), "ms", "one copy of the pane's area", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_RefreshLargeMap)->UseManualTime()->Iterations(105)->Unit(benchmark::kMillisecond);

}  // namespace
