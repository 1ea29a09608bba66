// The shape tool with a filled ellipse of 2,000 x 2,000 cells on a
// 4,096 x 4,096-cell map:
// - the preview per pointer move: a simulated move of the dragged corner to
//   the 1920 x 1080 map pane's repainted window, the highlight drawn over
//   the visible cells, at 1:1 (the ellipse fills the pane) and at the zoom
//   that shows it whole, against one copy of the pane's area and 16 ms;
// - painting it: its 3.1 million cells written through their spans with a
//   2 x 2 brush, against writing as many cells of a rectangle with one value.
#include "figures.h"
#include "docbackstage.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <QApplication>
#include <QMouseEvent>
#include <cstring>

#include "afxmsg.h"
#include "cellshapes.h"
#include "mapview.h"
#include "resource.h"
#include "zelldoc.h"

namespace {

constexpr int kPaneWidth = 1920;
constexpr int kPaneHeight = 1080;
constexpr int kTileSize = 16;
constexpr int kMapSide = 4096;
constexpr int kShapeSide = 2000;
constexpr int kFirstCell = 1000;  // the shape's top-left cell

void SendMouse(QWidget* window, QEvent::Type type, CPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF p(at.x, at.y);
    QMouseEvent event(type, p, window->mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

// The pane's middle pixel of a cell.
CPoint Middle(const CMapView& view, CPoint cell)
{
    const CRect rc = view.Viewport().ClientRectOfCell(cell);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void BM_ShapePreviewMove(benchmark::State& state)
{
    const bool whole = state.range(0) != 0;
    AfxMessageSink previous = AfxSetMessageSink([](const std::string&, unsigned) { return IDOK; });
    CZellDoc doc;
    BackstageMap(doc) = RandomMap(kMapSide, kMapSide, kTileSize, 1000, 71);
    CMapView view;
    view.AttachDocument(&doc);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(kPaneWidth, kPaneHeight);
    view.show();
    QApplication::processEvents();
    view.OnCreate();
    view.OnInitialUpdate();
    // The pane shows the ellipse's middle: at 1:1 a part of it, zoomed out
    // (half a pixel to a cell) all of it. The drag starts and goes on past
    // the pane at 1:1, as the pointer held by a drag may.
    view.SetZoom(MapZoom{whole ? -5 : 0}, CPoint(0, 0));
    const CRect box = view.Viewport().ClientRectOfCells(
        CRect(kFirstCell, kFirstCell, kFirstCell + kShapeSide, kFirstCell + kShapeSide));
    view.ScrollToDevicePosition(
        CPoint((box.left + box.right - kPaneWidth) / 2, (box.top + box.bottom - kPaneHeight) / 2));
    view.UpdateWindow();
    view.SetTool(MapTool::Shape);
    view.Tools().OnCmdMsg(ID_SHAPE_FILLED_ELLIPSE, nullptr);
    QWidget* window = view.viewport();
    const int last = kFirstCell + kShapeSide - 1;
    // The pointer's places a cell apart, the first the ellipse's far corner.
    const CPoint far = Middle(view, CPoint(last, last)), nearer = Middle(view, CPoint(last - 2, last - 2));
    SendMouse(window, QEvent::MouseButtonPress, Middle(view, CPoint(kFirstCell, kFirstCell)), Qt::LeftButton,
              Qt::LeftButton);
    const std::size_t bytes = std::size_t(kPaneWidth) * kPaneHeight * sizeof(std::uint32_t);
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    PairedTimes times;
    std::size_t round = 0;
    for (auto _ : state) {
        const CPoint at = round++ % 2 ? nearer : far;
        times.Round(
            state, [&] { std::memcpy(to.data(), from.data(), bytes); },
            [&] {
                SendMouse(window, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
                window->repaint();
            });
    }
    const QString status = view.WhereText();
    view.Tools().Current().Cancel();
    AfxSetMessageSink(previous);
    if (!status.contains(QStringLiteral("도형 "))) {
        state.SkipWithError(("no shape was being dragged: " + status.toStdString()).c_str());
        return;
    }
    RecordFigure(state, {whole ? "Shape preview per pointer move, 2000x2000-cell filled ellipse seen whole (1/32 zoom)"
                               : "Shape preview per pointer move, 2000x2000-cell filled ellipse at 1:1",
                         times.SubjectMs(), times.BaselineMs(), "ms", "one copy of the pane's area", Limit::AtMost, 16,
                         "1920x1080 pane, 4096x4096-cell map"});
}
BENCHMARK(BM_ShapePreviewMove)->Arg(0)->Arg(1)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);

// The filled ellipse's cells written with a 2 x 2 brush through its spans,
// against a rectangle of as many cells filled with one value.
void BM_ShapePaint(benchmark::State& state)
{
    CCellLayers cells;
    cells.Create(kMapSide, kMapSide);
    const std::vector<CellSpan> spans = ShapeSpans(
        CellShape::FilledEllipse, CRect(kFirstCell, kFirstCell, kFirstCell + kShapeSide, kFirstCell + kShapeSide));
    std::int64_t count = 0;
    for (const CellSpan& span : spans) count += span.right - span.left;
    const int rows = int(count / kShapeSide);
    const short brushes[2][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    PairedTimes times;
    int round = 0;
    for (auto _ : state) {
        // Each round writes other values, so that every cell changes.
        const int k = round++ % 2;
        FillPattern pattern{2, 2, brushes[k], kFirstCell, kFirstCell};
        times.Round(
            state, [&] { cells.FillRect(CellLayer::Tiles, 0, 0, kShapeSide, rows, short(k + 1)); },
            [&] { PaintSpans(cells, CellLayer::Tiles, spans, pattern); });
    }
    RecordFigure(state, {"Shape painted, 2000x2000-cell filled ellipse (3.1 M cells), 2x2 brush", times.SubjectMs(),
                         times.BaselineMs(), "ms", "a rectangle of as many cells filled with one value",
                         Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_ShapePaint)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
