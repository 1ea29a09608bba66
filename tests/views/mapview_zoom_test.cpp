// The map pane zoomed: a click lands on the cell drawn under the pointer
// at every zoom and scroll position, and the window's pixels are the map's
// pixels as exact squares above 1:1 and their rounded average at 50%.
#include <random>

#include "maptesting.h"

using namespace maptest;

namespace {

class ZoomTest : public MapViewTest {
protected:
    // The window pixel's colour the zoomed picture must have at (x, y).
    static QRgb Expected(const QImage& image, MapZoom zoom, std::int64_t x, std::int64_t y)
    {
        if (zoom.log2 >= 0) return image.pixel(int(x >> zoom.log2), int(y >> zoom.log2));
        const int n = 1 << -zoom.log2;
        int sum[3] = {0, 0, 0};
        for (int dy = 0; dy < n; ++dy)
            for (int dx = 0; dx < n; ++dx) {
                const QRgb p = image.pixel(int(x * n + dx), int(y * n + dy));
                sum[0] += qRed(p);
                sum[1] += qGreen(p);
                sum[2] += qBlue(p);
            }
        const int half = n * n / 2;
        return qRgb((sum[0] + half) / (n * n), (sum[1] + half) / (n * n), (sum[2] + half) / (n * n));
    }
};

// Every step at which a cell is at least a pixel wide, at random scroll
// positions: a click in a random cell's rectangle stamps that cell and no
// other, and the status pane names the cell the pointer is over.
TEST_F(ZoomTest, ClickStampsTheCellUnderThePointerAtEveryZoomAndScroll)
{
    Open(90, 70, 15, 8);
    std::mt19937 random(7);
    for (const MapZoom& zoom : ZoomSteps()) {
        MapViewport probe = view.Viewport();
        probe.zoom = zoom;
        if (probe.CellScreenWidth() < 1) continue;
        view.SetZoom(zoom);
        for (int round = 0; round < 6; ++round) {
            view.ScrollToDevicePosition(CPoint(int(random() % 4000), int(random() % 4000)));
            const MapViewport viewport = view.Viewport();
            const CPoint scroll = viewport.scroll;
            // A point inside the map part of the window.
            const int w = int(std::min<std::int64_t>(600, viewport.ZoomedWidth() - scroll.x));
            const int h = int(std::min<std::int64_t>(440, viewport.ZoomedHeight() - scroll.y));
            const QPoint p(10 + int(random() % unsigned(std::max(1, w - 10))),
                           10 + int(random() % unsigned(std::max(1, h - 10))));
            const std::optional<CPoint> cell = viewport.CellAt(CPoint(p.x(), p.y()));
            ASSERT_TRUE(cell) << ZoomText(zoom);
            const CRect rc = viewport.ClientRectOfCell(*cell);
            ASSERT_TRUE(rc.PtInRect(CPoint(p.x(), p.y()))) << ZoomText(zoom);
            const short k = short(1 + round % 7);
            Select(1, 1, {k});
            const auto before = PaintedCells();
            Hover(p);
            EXPECT_TRUE(view.WhereText().startsWith(QStringLiteral("%1, %2  타일").arg(cell->x).arg(cell->y)))
                << view.WhereText().toStdString();
            Click(p);
            auto want = before;
            want[{cell->x, cell->y}] = k;
            ASSERT_EQ(PaintedCells(), want) << ZoomText(zoom) << " at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(ZoomTest, WindowShowsSquaresAboveOneAndAveragesBelow)
{
    Open(40, 30, 16, 8);
    std::mt19937 random(11);
    for (int r = 0; r < doc.MapHeight(); ++r)
        for (int c = 0; c < doc.MapWidth(); ++c) SetTile(c, r, short(int(random() % 10) - 1));
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    const QImage image = MapImage();
    for (const MapZoom zoom : {MapZoom{-1}, MapZoom{1}, MapZoom{2}}) {
        view.SetZoom(zoom);
        view.ScrollToDevicePosition(CPoint(37, 21));
        const QImage screen = Screen();
        const MapViewport viewport = view.Viewport();
        const CPoint scroll = viewport.scroll;
        const int w = int(std::min<std::int64_t>(screen.width(), viewport.ZoomedWidth() - scroll.x));
        const int h = int(std::min<std::int64_t>(screen.height(), viewport.ZoomedHeight() - scroll.y));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(screen.pixel(x, y), Expected(image, zoom, x + scroll.x, y + scroll.y))
                    << ZoomText(zoom) << " at " << x << "," << y;
    }
}

// Zooming by the wheel keeps the map point under the pointer where it was.
TEST_F(ZoomTest, CtrlWheelKeepsThePointUnderThePointer)
{
    Open(200, 200, 32, 8);
    view.ScrollToDevicePosition(CPoint(1600, 1600));
    const QPoint at(301, 177);
    for (int notch : {120, 120, -120, -120, -120, -120, 120}) {
        const MapViewport before = view.Viewport();
        const double mapX = (at.x() + before.scroll.x) / (before.zoom.Percent() / 100);
        QWheelEvent wheel(QPointF(at), QPointF(Window()->mapToGlobal(at)), QPoint(), QPoint(0, notch), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Window(), &wheel);
        const MapViewport after = view.Viewport();
        EXPECT_NE(after.zoom, before.zoom);
        const double scale = after.zoom.Percent() / 100;
        const double nowX = (at.x() + after.scroll.x) / scale;
        EXPECT_NEAR(nowX, mapX, 1 / scale + 1) << ZoomText(after.zoom);
    }
}

}  // namespace
